// The check, solve and bench commands: levels read with the game's own reader,
// followed along their chain as the game follows it, and searched with the
// solver, whose every solution is played through the game's moves.
#include "levels/level_check.h"

#include "files/collection_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/level_file.h"
#include "files/paths.h"
#include "files/tokens.h"
#include "levels/notation.h"
#include "rules/board.h"

namespace fs = std::filesystem;

namespace {

constexpr int levelTokens = 930;
constexpr int firstNameToken = 7;
constexpr int secondNameToken = 8;
const char* const lastLevel = "lastlevel";

// Skips whitespace and tells whether the file ends there.
bool atEnd(std::istream& in) {
    for (;;) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof()) return true;
        if (c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r') return false;
        in.get();
    }
}

bool isOnGrid(int64_t x, int64_t y) { return x >= 0 && x < boardColumns && y >= 0 && y < boardRows; }

bool isFree(int32_t x, int32_t y) { return x == unusedSlot && y == unusedSlot; }

std::string cell(int64_t x, int64_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// "3 walls are off the 20 x 13 grid, the first at (25, 3)".
void countOffGrid(int count, const char* what, const std::string& first, std::vector<std::string>& problems) {
    if (count == 0) return;
    problems.push_back(std::to_string(count) + ' ' + what + (count == 1 ? " is" : " are") +
                       " off the 20 x 13 grid, the first at " + first);
}

// Where the player can get to off the grid when only walls stop him, or "".
std::string wayOffTheGrid() {
    constexpr int width = boardColumns + 2, height = boardRows + 2;  // the grid and a ring round it
    auto index = [](int x, int y) { return (y + 1) * width + (x + 1); };
    std::vector<uint8_t> wall(width * height, 0), seen(width * height, 0);
    for (const WallPos& w : board.walls) {
        if (w.x >= -1 && w.x <= boardColumns && w.y >= -1 && w.y <= boardRows) wall[index(w.x, w.y)] = 1;
    }
    std::vector<std::pair<int, int>> queue = {{board.player.startX, board.player.startY}};
    seen[index(board.player.startX, board.player.startY)] = 1;
    const int dx[4] = {0, 0, -1, 1}, dy[4] = {-1, 1, 0, 0};
    for (size_t i = 0; i < queue.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int x = queue[i].first + dx[d], y = queue[i].second + dy[d];
            if (seen[index(x, y)] || wall[index(x, y)]) continue;
            if (!isOnGrid(x, y)) return cell(x, y);
            seen[index(x, y)] = 1;
            queue.emplace_back(x, y);
        }
    }
    return "";
}

std::string plural(long long count, const char* one, const char* many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

// Reads the named level into the Board with the game's reader, having checked
// the file's shape. False when the file cannot be opened.
bool readNamedLevel(const std::string& name, std::string& format) {
    std::ifstream shape(hostPath(name), std::ios::in | std::ios::binary);
    if (!shape.is_open()) return false;
    format = formatProblem(shape);
    std::ifstream file(hostPath(name), std::ios::in | std::ios::binary);
    readLevel(file);
    return true;
}

// The file-system questions never throw: a name the system refuses (too long,
// say) is a file that cannot be opened, and the chain reports it as such.
bool sameFile(const fs::path& one, const fs::path& other) {
    std::error_code error;
    return fs::equivalent(one, other, error);
}

bool fileExists(const std::string& name) {
    std::error_code error;
    return fs::exists(hostPath(name), error);
}

// Prints the outcome of a search. True when won.
bool reportResult(const std::string& name, const SearchResult& result, std::ostream& out) {
    std::string effort = plural((long long)result.statesSeen, "position", "positions") + ", " + seconds(result.seconds);
    if (result.outcome == Outcome::won) {
        out << name << ": won in " << plural(result.pushes, "push", "pushes") << ' '
            << (result.optimal ? "(proven fewest)" : "(not proven fewest)") << " and "
            << plural(result.moves, "move", "moves") << ", " << effort << '\n';
        out << "    " << (result.solution.empty() ? "(already won as it is loaded)" : result.solution) << '\n';
        return true;
    }
    if (result.replayFailed) {
        out << name << ": solver mismatch: " << result.why << '\n';
    } else if (result.outcome == Outcome::unwinnable) {
        out << name << ": cannot be won: " << result.why << ", " << effort << '\n';
    } else {
        out << name << ": unknown whether it can be won: " << result.why << ", " << effort << '\n';
    }
    return false;
}

// Searches the level in the Board and prints the outcome. True when won.
bool reportSearch(const std::string& name, const SearchLimits& limits, std::ostream& out, bool anySolution = false) {
    return reportResult(name, solveBoard(limits, anySolution), out);
}

// The game's moves play the solution when the level fits the Board; the
// replay on the rows stands in for them otherwise.
bool replayLevel(const std::vector<std::string>& rows, const std::string& solution, std::string* why) {
    PlacedLevel placed;
    if (!placeLevel(rows, placed).empty()) return replayWinsOnRows(rows, solution, why);
    Board saved = board;
    std::istringstream file(levelFileText(placed, "levels\\solved.kzm", "lastlevel"));
    readLevel(file);
    bool won = replayWins(solution, why);
    board = saved;
    return won;
}

}  // namespace

std::string formatProblem(std::istream& in) {
    int32_t number = 0;
    std::string name;
    for (int token = 1; token <= levelTokens; token++) {
        if (atEnd(in)) {
            return "the file ends after " + std::to_string(token - 1) + " of the " + std::to_string(levelTokens) +
                   " tokens, so the game reads the rest as empty slots";
        }
        if (token == firstNameToken || token == secondNameToken) {
            readName(in, name);
        } else {
            readInt32(in, number);
        }
        if (in.fail()) {
            return "token " + std::to_string(token) +
                   " is not a whole number that fits 32 bits, so the game stops reading there";
        }
    }
    if (!atEnd(in)) return "there are tokens past the 930th, which the game never reads";
    return "";
}

std::vector<std::string> boardProblems() {
    std::vector<std::string> problems;
    int count = 0;
    std::string first;
    for (const WallPos& w : board.walls) {
        if (isFree(w.x, w.y) || isOnGrid(w.x, w.y)) continue;
        if (count++ == 0) first = cell(w.x, w.y);
    }
    countOffGrid(count, count == 1 ? "wall" : "walls", first, problems);
    count = 0;
    for (const GridPos& b : board.boxes) {
        if (isFree(b.x, b.y) || isOnGrid(b.x, b.y)) continue;
        if (count++ == 0) first = cell(b.x, b.y);
    }
    countOffGrid(count, count == 1 ? "box" : "boxes", first, problems);
    count = 0;
    int inColumnZero = 0;
    std::string firstInColumnZero;
    for (const GridPos& t : board.targets) {
        if (isFree(t.x, t.y)) continue;
        if (!isOnGrid(t.x, t.y)) {
            if (count++ == 0) first = cell(t.x, t.y);
        } else if (t.x == 0) {
            if (inColumnZero++ == 0) firstInColumnZero = cell(t.x, t.y);
        }
    }
    countOffGrid(count, count == 1 ? "target" : "targets", first, problems);
    if (inColumnZero > 0) {
        problems.push_back(plural(inColumnZero, "target stands", "targets stand") +
                           " in column 0, where a box never counts, the first at " + firstInColumnZero);
    }
    if (!isOnGrid(board.player.startX, board.player.startY)) {
        problems.push_back("the player starts off the grid, at " + cell(board.player.startX, board.player.startY));
    } else {
        std::string way = wayOffTheGrid();
        if (!way.empty()) problems.push_back("the walls do not enclose the player, who can walk off the grid to " + way);
    }
    return problems;
}

int followChain(const std::string& firstName, const std::function<void(const std::string&)>& visit,
                const std::function<void(const std::string&, const std::string&)>& problem) {
    std::vector<fs::path> visited;
    std::string name = firstName;
    int levels = 0;
    for (;;) {
        std::string format;
        if (!readNamedLevel(name, format)) {
            problem(name, "cannot be opened");
            return levels;
        }
        levels++;
        visited.push_back(hostPath(name));
        if (!format.empty()) problem(name, "format: " + format);
        std::string own = board.layout.currentLevelFile;
        std::string next = board.layout.nextLevelFile;
        if (own.empty()) {
            problem(name, "chain: the file gives no name of its own");
        } else if (!fileExists(own)) {
            problem(name, "chain: it names itself \"" + own + "\", which cannot be opened, so restarting would end the game");
        } else if (!sameFile(hostPath(own), hostPath(name))) {
            problem(name, "chain: it names itself \"" + own +
                              "\", another file, so restarting or continuing a saved game would open that one");
        }
        visit(name);
        if (next == lastLevel) return levels;
        if (next.empty()) {
            problem(name, "chain: the file gives no next level");
            return levels;
        }
        if (!fileExists(next)) {
            problem(name, "chain: the next level \"" + next + "\" cannot be opened, so winning this one ends the game");
            return levels;
        }
        for (const fs::path& earlier : visited) {
            if (sameFile(earlier, hostPath(next))) {
                problem(name, "chain: the next level \"" + next + "\" loops back to a level already played");
                return levels;
            }
        }
        name = next;
    }
}

int checkChain(const std::string& firstName, const SearchLimits& limits, std::ostream& out) {
    int failed = 0;
    std::string lastFailed;
    auto fail = [&](const std::string& name) {
        if (name != lastFailed) failed++;
        lastFailed = name;
    };
    int levels = followChain(
        firstName,
        [&](const std::string& name) {
            for (const std::string& text : boardProblems()) {
                out << name << ": board: " << text << '\n';
                fail(name);
            }
            if (!reportSearch(name, limits, out)) fail(name);
        },
        [&](const std::string& name, const std::string& text) {
            out << name << ": " << text << '\n';
            fail(name);
        });
    if (levels == 0) {
        out << "no level could be read\n";
        return 1;
    }
    out << plural(levels, "level", "levels") << " checked: ";
    if (failed == 0) {
        out << "every one readable, correctly chained and winnable\n";
        return 0;
    }
    out << plural(failed, "level has", "levels have") << " problems\n";
    return 1;
}

int solveLevel(const std::string& name, const SearchLimits& limits, std::ostream& out, bool anySolution) {
    std::string format;
    if (!readNamedLevel(name, format)) {
        out << name << ": cannot be opened\n";
        return 1;
    }
    if (!format.empty()) out << name << ": format: " << format << '\n';
    for (const std::string& text : boardProblems()) out << name << ": board: " << text << '\n';
    return reportSearch(name, limits, out, anySolution) ? 0 : 1;
}

int solveCollection(std::istream& in, int ordinal, const SearchLimits& limits, bool anySolution, std::ostream& out) {
    const Collection collection = listCollection(in);
    const int count = int(collection.levels.size());
    if (!collection.problem.empty()) out << "collection: " << collection.problem << '\n';
    if (ordinal > count) {
        out << "the collection has " << plural(count, "level", "levels") << ", no level " << ordinal << '\n';
        return 1;
    }
    int tried = 0, won = 0;
    uint64_t expanded = 0, peakBytes = 0;
    double totalSeconds = 0, slowest = 0;
    for (int index = 0; index < count; index++) {
        if (ordinal != 0 && index + 1 != ordinal) continue;
        const CollectionLevel level = collectionLevel(in, collection, index);
        tried++;
        // A level the game cannot take is a problem of the collection, never skipped.
        if (!level.refusal.empty()) {
            out << describeLevel(level) << ": cannot be played: " << level.refusal << '\n';
            continue;
        }
        const std::vector<std::string>& rows = level.picture.lines;
        SearchResult result = solveRows(rows, limits, anySolution, [&](const std::string& solution, std::string* why) {
            return replayLevel(rows, solution, why);
        });
        if (reportResult(describeLevel(level), result, out)) {
            won++;
            slowest = std::max(slowest, result.seconds);
        }
        expanded += result.statesExpanded;
        peakBytes = std::max(peakBytes, result.peakBytes);
        totalSeconds += result.seconds;
    }
    if (tried == 0) {
        out << "no level could be read\n";
        return 1;
    }
    if (ordinal == 0) {
        char line[200];
        std::snprintf(line, sizeof line,
                      "%d of %d levels won, the slowest won in %.2f s; %llu positions expanded in %.1f s, %.0f a "
                      "second; the largest search held %.1f MiB\n",
                      won, tried, slowest, (unsigned long long)expanded, totalSeconds,
                      totalSeconds > 0 ? double(expanded) / totalSeconds : 0.0, double(peakBytes) / (1 << 20));
        out << line;
    }
    return won == tried ? 0 : 1;
}

int benchChain(const std::string& firstName, const SearchLimits& limits, std::ostream& out,
               const std::function<void(const std::string& name, const SearchResult& result)>& solved) {
    char line[160];
    std::snprintf(line, sizeof line, "%-24s %5s %7s %10s %10s %9s %12s\n", "level", "boxes", "pushes", "expanded",
                  "seen", "seconds", "expanded/s");
    out << line;
    uint64_t totalExpanded = 0;
    double totalSeconds = 0;
    bool allWon = true;
    int levels = followChain(
        firstName,
        [&](const std::string& name) {
            int boxes = 0;
            for (const GridPos& b : board.boxes) boxes += !isFree(b.x, b.y);
            SearchResult result = solveBoard(limits);
            if (solved) solved(name, result);
            totalExpanded += result.statesExpanded;
            totalSeconds += result.seconds;
            if (result.outcome != Outcome::won) allWon = false;
            std::string pushes = result.outcome == Outcome::won ? std::to_string(result.pushes) : "-";
            if (result.outcome == Outcome::won && !result.optimal) pushes += '?';
            std::snprintf(line, sizeof line, "%-24s %5d %7s %10llu %10llu %9.3f %12.0f\n", name.c_str(), boxes,
                          pushes.c_str(), (unsigned long long)result.statesExpanded,
                          (unsigned long long)result.statesSeen, result.seconds,
                          result.seconds > 0 ? double(result.statesExpanded) / result.seconds : 0.0);
            out << line;
        },
        [&](const std::string& name, const std::string& text) { out << name << ": " << text << '\n'; });
    std::snprintf(line, sizeof line, "%d levels, %llu positions expanded in %.2f s, %.0f expanded per second\n", levels,
                  (unsigned long long)totalExpanded, totalSeconds, totalSeconds > 0 ? totalExpanded / totalSeconds : 0.0);
    out << line;
    return allWon && levels > 0 ? 0 : 1;
}
