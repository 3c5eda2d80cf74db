// Build-time tool: indexes the freepats General MIDI patches for DIGMID and
// writes the index and allegro.cfg into the game folder. allegro.cfg names
// the index relative to the working folder, which is the game's data folder
// wherever the game is installed or unpacked.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "patch_index.h"

namespace {

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_patch_index FREEPATS-FOLDER GAME-FOLDER INDEX-NAME\n");
        return 2;
    }
    PatchSet found = scanPatchFolder(argv[1]);
    if (found.melodic.empty() || found.drums.empty()) {
        std::fprintf(stderr, "make_patch_index: no patches under %s (is Debian's freepats installed?)\n", argv[1]);
        return 1;
    }
    PatchSet complete = completePatchSet(found);
    if (complete.melodic.size() != 128) {
        std::fprintf(stderr, "make_patch_index: some instrument families have no patch at all in %s\n", argv[1]);
        return 1;
    }
    std::filesystem::path game = std::filesystem::absolute(argv[2]);
    std::string index = (game / argv[3]).string();
    if (!writeText(index, patchIndexText(complete)) ||
        !writeText((game / "allegro.cfg").string(), soundConfigText(std::string("./") + argv[3]))) {
        std::fprintf(stderr, "make_patch_index: cannot write into %s\n", game.string().c_str());
        return 1;
    }
    return 0;
}
