// The level tool's solver: the fewest pushes that win the level in the
// Board, proven by A* over pushes, and the replay that checks a solution with
// the game's own moves.
#include "solve/solver.h"

#include <algorithm>
#include <chrono>

#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"
#include "solve/push_search.h"

bool replayWins(const std::string& solution, std::string* why) {
    Board saved = board;
    std::string problem;
    if (solution.find_first_not_of("udlrUDLR") != std::string::npos) problem = "a letter other than u d l r U D L R";
    for (size_t i = 0; i < solution.size() && problem.empty(); i++) {
        if (isLevelComplete()) {
            problem = "the level is already won before move " + std::to_string(i + 1);
            break;
        }
        char letter = solution[i];
        bool pushing = letter >= 'A' && letter <= 'Z';
        uint32_t pushesBefore = board.timesPushed;
        if (!tryMove(directionOf(letter))) {
            problem = "move " + std::to_string(i + 1) + " ('" + letter + "') is blocked";
        } else if ((board.timesPushed != pushesBefore) != pushing) {
            problem = "move " + std::to_string(i + 1) + " ('" + letter + "') " +
                      (pushing ? "pushes nothing" : "pushes a box");
        }
    }
    if (problem.empty() && !isLevelComplete()) problem = "the level is not won at the end";
    board = saved;
    if (why) *why = problem;
    return problem.empty();
}

bool replayWinsOnRows(const std::vector<std::string>& rows, const std::string& solution, std::string* why) {
    // The rows with a border of floor three cells wide, as the search sees them.
    constexpr int margin = 3;
    size_t columns = 0;
    for (const std::string& row : rows) columns = std::max(columns, row.size());
    std::vector<std::string> grid(rows.size() + 2 * margin, std::string(columns + 2 * margin, ' '));
    int px = -1, py = -1;
    for (size_t y = 0; y < rows.size(); y++) {
        for (size_t x = 0; x < rows[y].size(); x++) {
            char c = rows[y][x];
            grid[y + margin][x + margin] = c;
            if (c == '@' || c == '+') px = int(x) + margin, py = int(y) + margin;
        }
    }
    auto isBox = [&](int x, int y) { return grid[y][x] == '$' || grid[y][x] == '*'; };
    auto isTarget = [&](int x, int y) { return grid[y][x] == '.' || grid[y][x] == '*' || grid[y][x] == '+'; };
    auto isFloor = [&](int x, int y) {
        return y >= 0 && y < int(grid.size()) && x >= 0 && x < int(grid[y].size()) && grid[y][x] != '#' && !isBox(x, y);
    };
    auto isWon = [&] {
        for (size_t y = 0; y < grid.size(); y++) {
            for (size_t x = 0; x < grid[y].size(); x++) {
                if (grid[y][x] == '$') return false;
            }
        }
        return true;
    };
    const int dx[4] = {0, 0, -1, 1}, dy[4] = {-1, 1, 0, 0};
    std::string problem;
    if (px < 0) problem = "the level has no player";
    if (solution.find_first_not_of("udlrUDLR") != std::string::npos) problem = "a letter other than u d l r U D L R";
    for (size_t i = 0; i < solution.size() && problem.empty(); i++) {
        if (isWon()) {
            problem = "the level is already won before move " + std::to_string(i + 1);
            break;
        }
        char letter = solution[i];
        bool pushing = letter >= 'A' && letter <= 'Z';
        int way = wayNumber(letter);
        int x = px + dx[way], y = py + dy[way];
        bool inside = y >= 0 && y < int(grid.size()) && x >= 0 && x < int(grid[y].size());
        if (inside && isBox(x, y)) {
            if (!pushing) {
                problem = "move " + std::to_string(i + 1) + " ('" + letter + "') pushes a box";
            } else if (!isFloor(x + dx[way], y + dy[way])) {
                problem = "move " + std::to_string(i + 1) + " ('" + letter + "') is blocked";
            } else {
                grid[y][x] = isTarget(x, y) ? '.' : ' ';
                int bx = x + dx[way], by = y + dy[way];
                grid[by][bx] = isTarget(bx, by) ? '*' : '$';
            }
        } else if (!isFloor(x, y)) {
            problem = "move " + std::to_string(i + 1) + " ('" + letter + "') is blocked";
        } else if (pushing) {
            problem = "move " + std::to_string(i + 1) + " ('" + letter + "') pushes nothing";
        }
        px = x;
        py = y;
    }
    if (problem.empty() && !isWon()) problem = "the level is not won at the end";
    if (why) *why = problem;
    return problem.empty();
}

namespace {

// Searches the area, the fewest pushes or any solution, and has the
// solution it finds replayed before it is reported.
SearchResult solveArea(const Area& area, const SearchLimits& limits, bool anySolution, const Replay& replay,
                       Clock::time_point start) {
    SearchResult result;
    Distances distances;
    measureDistances(area, distances);
    auto secondsLeft = [&] {
        return std::max(0.0, limits.maxSeconds - std::chrono::duration<double>(Clock::now() - start).count());
    };
    SearchRun run;
    if (anySolution) {
        run = searchAny(area, distances, limits, secondsLeft());
    } else {
        // First the search that proves its answer; when that runs out of
        // room, the one that only looks for some solution, where the bound
        // can guide it.
        run = searchFewest(area, distances, limits, limits.maxSeconds * 0.75);
        if (run.status == Search::gaveUp && area.everyBoxOnTarget) {
            SearchRun fewest = run;
            run = searchAny(area, distances, limits, secondsLeft());
            run.expanded += fewest.expanded;
            run.seen += fewest.seen;
            run.peakBytes = std::max(run.peakBytes, fewest.peakBytes);
            if (run.status != Search::found) run.why = fewest.why;
        }
    }
    // A shorter way might have led the player past the searched area.
    result.optimal = run.status == Search::found && run.fewest && !run.leftTheArea;
    result.statesExpanded = run.expanded;
    result.statesSeen = run.seen;
    result.peakBytes = run.peakBytes;
    if (run.status == Search::exhausted) {
        result.outcome = run.leftTheArea ? Outcome::unknown : Outcome::unwinnable;
        result.why = run.leftTheArea ? "the player can walk off past where the search looks"
                                     : "no sequence of pushes wins";
    } else if (run.status == Search::gaveUp) {
        result.why = run.why;
    } else {
        result.solution = spellOut(area, run.pushes);
        result.pushes = int(run.pushes.size());
        result.moves = int(result.solution.size());
        std::string why;
        if (replay(result.solution, &why)) {
            result.outcome = Outcome::won;
        } else {
            result.outcome = Outcome::unknown;
            result.replayFailed = true;
            result.optimal = false;
            result.why = "the solution found does not win when played with the game's moves: " + why;
        }
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

}  // namespace

SearchResult solveBoard(const SearchLimits& limits, bool anySolution) {
    Clock::time_point start = Clock::now();
    Area area;
    SearchResult result;
    if (!buildArea(area, result.why)) return result;
    return solveArea(area, limits, anySolution, [](const std::string& solution, std::string* why) {
        return replayWins(solution, why);
    }, start);
}

SearchResult solveRows(const std::vector<std::string>& rows, const SearchLimits& limits, bool anySolution,
                       const Replay& replay) {
    Clock::time_point start = Clock::now();
    Area area;
    SearchResult result;
    if (!buildAreaFromRows(area, rows, result.why)) return result;
    return solveArea(area, limits, anySolution, replay, start);
}
