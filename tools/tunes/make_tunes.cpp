// Build-time tool: reads the tunes under scores/ and writes the game's music
// as standard MIDI files, N.mid for the score whose name starts with N.
// With --list it also prints each tune's length and loop point.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string>

#include "score.h"

namespace fs = std::filesystem;

namespace {

// The shortest a tune may run before it starts over, so the loop is not
// heard too often while a player thinks.
constexpr double shortestTuneSeconds = 45.0;

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    bool list = argc == 4 && std::string(argv[3]) == "--list";
    if (argc != 3 && !list) {
        std::fprintf(stderr, "usage: make_tunes SCORES-FOLDER OUTPUT-FOLDER [--list]\n");
        return 2;
    }
    fs::create_directories(argv[2]);
    std::set<int> numbers;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[1])) {
        const fs::path& file = entry.path();
        if (file.extension() != ".tune") continue;
        int number = std::atoi(file.filename().string().c_str());
        if (number < 1 || !numbers.insert(number).second) {
            std::fprintf(stderr, "make_tunes: %s does not start with a number of its own\n", file.string().c_str());
            return 1;
        }
        try {
            RenderedTune tune = readTune(readWhole(file), file.filename().string());
            double seconds = tuneSeconds(tune);
            if (seconds < shortestTuneSeconds) {
                std::fprintf(stderr, "make_tunes: %s lasts only %.1f s\n", file.string().c_str(), seconds);
                return 1;
            }
            fs::path out = fs::path(argv[2]) / (std::to_string(number) + ".mid");
            if (!writeMidiFile(out.string(), tuneTracks(tune))) {
                std::fprintf(stderr, "make_tunes: cannot write %s\n", out.string().c_str());
                return 1;
            }
            if (list) {
                std::printf("%2d %-28s %5.1f s  %d bars\n", number, tune.title.c_str(), seconds,
                            int(tune.lengthTicks / tune.barTicks));
            }
        } catch (const TuneError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    if (numbers.empty()) {
        std::fprintf(stderr, "make_tunes: no tunes in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
