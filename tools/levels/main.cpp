// boxyard-levels: checks, solves, imports and exports the game's level chains
// with the game's own level reader, moves and completion test.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "files/collection_file.h"
#include "levels/collection_files.h"
#include "levels/generate.h"
#include "levels/level_check.h"
#include "levels/notation.h"

namespace {

const char* const usage =
    "usage: boxyard-levels COMMAND [OPTIONS] ARGUMENTS\n"
    "\n"
    "  check FIRST-LEVEL          follow the chain from FIRST-LEVEL as the game does and report\n"
    "                             each level: file format, chain, board, and the fewest pushes\n"
    "                             that win it with a solution; exit 0 only when all are fine\n"
    "  solve LEVEL                search one level and print its solution\n"
    "  solve COLLECTION           search the levels of a text collection, of any size, and print\n"
    "                             each solution and a summary: how many were won, positions a\n"
    "                             second, the most memory a search held\n"
    "  import COLLECTION FOLDER   write the levels of a text collection ('#' wall, '@' player,\n"
    "                             '$' box, '.' target, ...) as level1.kzm, level2.kzm, ... into\n"
    "                             FOLDER, named as the game will open them from here; with an\n"
    "                             absolute FOLDER, play them from anywhere: boxyard --levels FOLDER\n"
    "  export FIRST-LEVEL [FILE]  write the chain in the same text notation (to standard output\n"
    "                             unless FILE is given)\n"
    "  bench FIRST-LEVEL          time the solver on every level of the chain\n"
    "  generate FOLDER            make a new chain of levels in FOLDER: each one proven winnable\n"
    "                             in the fewest pushes by the solver before it is written, no two\n"
    "                             alike, easiest first; the same seed makes the same levels. It\n"
    "                             writes them as text (FOLDER/levels.txt) and imports them as\n"
    "                             FOLDER/level1.kzm ..., named as the game will open them from\n"
    "                             here, so give an absolute FOLDER to play them from anywhere:\n"
    "                               boxyard-levels generate --count 20 --pushes 30-80 --seed 7 \\\n"
    "                                   ~/.local/share/boxyard/fresh\n"
    "                               boxyard --levels ~/.local/share/boxyard/fresh\n"
    "\n"
    "Level names are written as in the level files (levels\\level1.kzm) or with '/'; they are\n"
    "opened relative to the current folder, as the game opens them. Run from the game folder\n"
    "(/usr/share/games/boxyard when installed) to check the shipped levels.\n"
    "\n"
    "options for check, solve and bench:\n"
    "  --max-seconds S   give up on a level after S seconds (default 30)\n"
    "  --max-memory B    give up on a level when the search would hold more than B bytes;\n"
    "                    K, M and G multiply by 1024 each (default 1G)\n"
    "  --max-states N    give up on a level after N positions (default: no limit)\n"
    "options for solve:\n"
    "  --any             stop at the first solution found, not proven the fewest pushes (as\n"
    "                    the game's hint does): far sooner on hard levels\n"
    "  --level N         only level N of the collection, counted from 1\n"
    "  --one-core        search on one core, as --max-states does, even where the machine has\n"
    "                    more: --any otherwise pulls the boxes back from the targets on a second\n"
    "                    core\n"
    "\n"
    "options for generate:\n"
    "  --count N         how many levels to make (default 20)\n"
    "  --pushes A-B      the fewest pushes that win each level lie from A to B (default 30-80)\n"
    "  --seed N          the seed of the generator (default 1)\n"
    "  --max-states N    keep only levels the solver proves within N positions (default 200000)\n"
    "\n"
    "  --help            show this text\n";

// A folder holding a chain stands for its first level.
std::string firstLevelOf(const std::string& name) {
    return collectionKind(name) == CollectionKind::chainFolder ? name + "/level1.kzm" : name;
}

int fail(const std::string& text) {
    std::cerr << "boxyard-levels: " << text << " (try --help)\n";
    return 2;
}

// A whole number from `least` to `most`, all of the text.
bool readWhole(const std::string& text, long long least, long long most, long long& value) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::stoll(text);
    return value >= least && value <= most;
}

// "30-80": two whole numbers, the first no greater than the second.
bool readRange(const std::string& text, int& fewest, int& most) {
    size_t dash = text.find('-');
    long long a = 0, b = 0;
    if (dash == std::string::npos || !readWhole(text.substr(0, dash), 1, 10000, a) ||
        !readWhole(text.substr(dash + 1), 1, 10000, b) || a > b) {
        return false;
    }
    fewest = int(a);
    most = int(b);
    return true;
}

bool readNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value > 0;
}

// "512M", "1G", "100000": bytes, with K, M or G multiplying by 1024 each.
bool readBytes(const std::string& text, uint64_t& bytes) {
    std::string digits = text;
    int shift = 0;
    if (!digits.empty()) {
        char unit = char(std::toupper(static_cast<unsigned char>(digits.back())));
        shift = unit == 'K' ? 10 : unit == 'M' ? 20 : unit == 'G' ? 30 : 0;
        if (shift > 0) digits.pop_back();
    }
    long long value = 0;
    if (!readWhole(digits, 1, 1LL << 40, value)) return false;
    bytes = uint64_t(value) << shift;
    return bytes <= (uint64_t(1) << 40);
}

int runCommand(int argc, char** argv) {
    SearchLimits limits;
    GenerateRequest request;
    bool statesGiven = false, secondsGiven = false, generateOptions = false;
    bool anySolution = false;
    int ordinal = 0;
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
            statesGiven = statesGiven || arg == "--max-states";
            secondsGiven = secondsGiven || arg == "--max-seconds";
            i++;
            continue;
        }
        if (arg == "--any") {
            anySolution = true;
            continue;
        }
        if (arg == "--one-core") {
            limits.secondCore = false;
            continue;
        }
        if (arg == "--max-memory") {
            if (i + 1 >= argc || !readBytes(argv[i + 1], limits.maxBytes)) {
                return fail("--max-memory needs a number of bytes up to 1024G, such as 512M");
            }
            i++;
            continue;
        }
        if (arg == "--level") {
            long long number = 0;
            if (i + 1 >= argc || !readWhole(argv[i + 1], 1, 1000000, number)) return fail("--level needs a level number");
            ordinal = int(number);
            i++;
            continue;
        }
        if (arg == "--count" || arg == "--pushes" || arg == "--seed") {
            if (i + 1 >= argc) return fail(arg + " needs a value");
            std::string value = argv[++i];
            long long number = 0;
            generateOptions = true;
            if (arg == "--count") {
                if (!readWhole(value, 1, 1000, number)) return fail("--count needs a whole number from 1 to 1000");
                request.count = int(number);
            } else if (arg == "--seed") {
                if (!readWhole(value, 0, 4294967295LL, number)) return fail("--seed needs a whole number from 0 to 4294967295");
                request.seed = uint32_t(number);
            } else if (!readRange(value, request.fewestPushes, request.mostPushes)) {
                return fail("--pushes needs a range such as 30-80");
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return fail("unknown option " + arg);
        words.push_back(arg);
    }
    if (words.empty()) return fail("no command given");
    const std::string& command = words[0];
    if (generateOptions && command != "generate") return fail("--count, --pushes and --seed belong to generate");
    if ((anySolution || ordinal > 0) && command != "solve") return fail("--any and --level belong to solve");
    size_t arguments = words.size() - 1;
    auto wants = [&](size_t least, size_t most) { return arguments >= least && arguments <= most; };
    if (command == "check" || command == "solve" || command == "bench") {
        if (!wants(1, 1)) return fail(command + " takes one level file, collection or folder");
        // A collection in the common notation: every level of it, or the one asked for.
        if (command != "bench" && collectionKind(words[1]) == CollectionKind::notationFile) {
            std::ifstream collection(words[1], std::ios::in | std::ios::binary);
            return solveCollection(collection, ordinal, limits, anySolution && command == "solve", std::cout);
        }
        if (ordinal > 0) return fail("--level belongs to a collection; \"" + words[1] + "\" is not one");
        const std::string first = firstLevelOf(words[1]);
        if (command == "check") return checkChain(first, limits, std::cout);
        if (command == "solve") return solveLevel(first, limits, std::cout, anySolution);
        return benchChain(first, limits, std::cout);
    }
    if (command == "generate") {
        if (!wants(1, 1)) return fail("generate takes the folder to write the levels into");
        if (secondsGiven) return fail("generate gives up on a level by positions only (--max-states), never by time");
        if (statesGiven) request.maxStates = limits.maxStates;
        return generateChain(request, words[1], std::cout);
    }
    if (command == "import") {
        if (!wants(2, 2)) return fail("import takes a collection file and a folder");
        return importCollection(words[1], words[2], std::cout);
    }
    if (command == "export") {
        if (!wants(1, 2)) return fail("export takes the first level file and, if wanted, an output file");
        if (arguments == 1) return exportChain(firstLevelOf(words[1]), std::cout, std::cerr);
        std::ofstream out(words[2], std::ios::out | std::ios::binary | std::ios::trunc);
        if (!out.is_open()) return fail("cannot write \"" + words[2] + "\"");
        return exportChain(firstLevelOf(words[1]), out, std::cerr);
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
