// boxyard-levels: checks, solves, imports and exports the game's level chains
// with the game's own level reader, moves and completion test.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "levels/collection_files.h"
#include "levels/level_check.h"

namespace {

const char* const usage =
    "usage: boxyard-levels COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "  check FIRST-LEVEL          follow the chain from FIRST-LEVEL as the game does and report\n"
    "                             each level: file format, chain, board, and the fewest pushes\n"
    "                             that win it with a solution; exit 0 only when all are fine\n"
    "  solve LEVEL                search one level and print its solution\n"
    "  import COLLECTION FOLDER   write the levels of a text collection ('#' wall, '@' player,\n"
    "                             '$' box, '.' target, ...) as level1.kzm, level2.kzm, ... into\n"
    "                             FOLDER, named as the game will open them from here; with an\n"
    "                             absolute FOLDER, play them from anywhere: boxyard --levels FOLDER\n"
    "  export FIRST-LEVEL [FILE]  write the chain in the same text notation (to standard output\n"
    "                             unless FILE is given)\n"
    "  bench FIRST-LEVEL          time the solver on every level of the chain\n"
    "\n"
    "Level names are written as in the level files (levels\\level1.kzm) or with '/'; they are\n"
    "opened relative to the current folder, as the game opens them. Run from the game folder\n"
    "(/usr/share/games/boxyard when installed) to check the shipped levels.\n"
    "\n"
    "options for check, solve and bench:\n"
    "  --max-states N    give up on a level after N positions (default 3000000)\n"
    "  --max-seconds S   give up on a level after S seconds (default 30)\n"
    "  --help            show this text\n";

int fail(const std::string& text) {
    std::cerr << "boxyard-levels: " << text << " (try --help)\n";
    return 2;
}

bool readNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value > 0;
}

int runCommand(int argc, char** argv) {
    SearchLimits limits;
    std::vector<std::string> words;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usage;
            return 0;
        }
        if (arg == "--max-states" || arg == "--max-seconds") {
            double value = 0;
            if (i + 1 >= argc || !readNumber(argv[i + 1], value)) return fail(arg + " needs a positive number");
            if (arg == "--max-states") limits.maxStates = uint64_t(value);
            else limits.maxSeconds = value;
            i++;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return fail("unknown option " + arg);
        words.push_back(arg);
    }
    if (words.empty()) return fail("no command given");
    const std::string& command = words[0];
    size_t arguments = words.size() - 1;
    auto wants = [&](size_t least, size_t most) { return arguments >= least && arguments <= most; };
    if (command == "check" || command == "solve" || command == "bench") {
        if (!wants(1, 1)) return fail(command + " takes one level file");
        if (command == "check") return checkChain(words[1], limits, std::cout);
        if (command == "solve") return solveLevel(words[1], limits, std::cout);
        return benchChain(words[1], limits, std::cout);
    }
    if (command == "import") {
        if (!wants(2, 2)) return fail("import takes a collection file and a folder");
        return importCollection(words[1], words[2], std::cout);
    }
    if (command == "export") {
        if (!wants(1, 2)) return fail("export takes the first level file and, if wanted, an output file");
        if (arguments == 1) return exportChain(words[1], std::cout, std::cerr);
        std::ofstream out(words[2], std::ios::out | std::ios::binary | std::ios::trunc);
        if (!out.is_open()) return fail("cannot write \"" + words[2] + "\"");
        return exportChain(words[1], out, std::cerr);
    }
    return fail("unknown command \"" + command + "\"");
}

}  // namespace

// The commands never throw what they read as an exception; should anything
// else go wrong at run time (memory, say), it is said in one line, not an abort.
int main(int argc, char** argv) {
    try {
        return runCommand(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "boxyard-levels: " << error.what() << '\n';
        return 1;
    }
}
