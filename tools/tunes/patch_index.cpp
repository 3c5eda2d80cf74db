// Building the DIGMID patch index from the freepats folders.
#include "patch_index.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Stand-ins that sound closer than the nearest number in the family:
// the soft bells of the celesta for the vibraphone, a clean guitar for
// harmonics, the string ensemble for synth strings and the orchestra hit.
const std::map<int, int> preferredStandIns = {{11, 8}, {31, 27}, {51, 48}, {55, 48}};

void scanFolder(const fs::path& folder, std::map<int, std::string>& into) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path& file = entry.path();
        std::string name = file.filename().string();
        if (file.extension() != ".pat" || name.size() < 5 || name[3] != '_') continue;
        char* end = nullptr;
        long number = std::strtol(name.c_str(), &end, 10);
        if (end != name.c_str() + 3 || number < 0 || number > 127) continue;
        fs::path stem = fs::absolute(file).replace_extension();
        // Two files for one number: the first in name order wins.
        auto found = into.find(int(number));
        if (found == into.end() || stem.string() < found->second) into[int(number)] = stem.string();
    }
}

}  // namespace

PatchSet scanPatchFolder(const std::string& folder) {
    PatchSet patches;
    scanFolder(fs::path(folder) / "Tone_000", patches.melodic);
    scanFolder(fs::path(folder) / "Drum_000", patches.drums);
    return patches;
}

int standInProgram(int program, const std::map<int, std::string>& present) {
    if (present.count(program)) return program;
    auto preferred = preferredStandIns.find(program);
    if (preferred != preferredStandIns.end() && present.count(preferred->second)) return preferred->second;
    int family = program / 8 * 8;
    for (int distance = 1; distance < 8; distance++) {
        for (int candidate : {program - distance, program + distance}) {
            if (candidate >= family && candidate < family + 8 && present.count(candidate)) return candidate;
        }
    }
    return -1;
}

PatchSet completePatchSet(const PatchSet& found) {
    PatchSet complete = found;
    for (int program = 0; program < 128; program++) {
        int standIn = standInProgram(program, found.melodic);
        if (standIn >= 0) complete.melodic[program] = found.melodic.at(standIn);
    }
    if (!found.drums.empty()) {
        for (int key = firstDrumKey; key <= lastDrumKey; key++) {
            if (found.drums.count(key)) continue;
            for (int distance = 1; distance < 128; distance++) {
                if (found.drums.count(key - distance)) {
                    complete.drums[key] = found.drums.at(key - distance);
                    break;
                }
                if (found.drums.count(key + distance)) {
                    complete.drums[key] = found.drums.at(key + distance);
                    break;
                }
            }
        }
    }
    return complete;
}

std::string patchIndexText(const PatchSet& patches) {
    std::ostringstream text;
    for (const auto& [program, file] : patches.melodic) text << program + 1 << ' ' << file << '\n';
    text << "129 begin_multipatch\n";
    for (const auto& [key, file] : patches.drums) text << key << ' ' << file << '\n';
    text << "end_multipatch\n";
    return text.str();
}

std::string soundConfigText(const std::string& indexPath) {
    std::ostringstream text;
    text << "# boxyard's sound settings, written by the build into the game's folder.\n"
            "[sound]\n"
            "# The General MIDI patches the music is played with; the game plays\n"
            "# in its own folder, so the index is named from there.\n"
            "patches = " << indexPath << "\n"
            "# Voices for the push sound and for the tunes' chords and drums.\n"
            "digi_voices = 8\n"
            "midi_voices = 32\n"
            "# Interpolated mixing: the patches are resampled for every note.\n"
            "quality = 2\n"
            "sound_freq = 44100\n"
            "sound_bits = 16\n"
            "sound_stereo = 1\n";
    return text.str();
}
