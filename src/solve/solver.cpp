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

SearchResult solveBoard(const SearchLimits& limits) {
    Clock::time_point start = Clock::now();
    SearchResult result;
    Area area;
    if (!buildArea(area, result.why)) return result;
    Distances distances;
    measureDistances(area, distances);

    // First the search that proves its answer; when that runs out of room, a
    // greedy one that only looks for some solution, where the bound can guide it.
    Search exact(area, distances, limits, limits.maxSeconds * 0.75, false);
    Search::Status status = exact.run();
    result.statesExpanded = exact.expanded;
    result.statesSeen = exact.seen();
    std::vector<std::pair<int, int>> pushes = exact.pushes;
    if (status == Search::found) {
        // A shorter way might have led the player past the searched area.
        result.optimal = !exact.leftTheArea;
    } else if (status == Search::exhausted) {
        result.outcome = exact.leftTheArea ? Outcome::unknown : Outcome::unwinnable;
        result.why = exact.leftTheArea ? "the player can walk off past where the search looks"
                                       : "no sequence of pushes wins";
    } else {
        result.why = exact.why;
        if (area.everyBoxOnTarget) {
            double left = limits.maxSeconds - std::chrono::duration<double>(Clock::now() - start).count();
            Search greedy(area, distances, limits, std::max(left, 0.0), true);
            if (greedy.run() == Search::found) {
                status = Search::found;
                pushes = greedy.pushes;
            }
            result.statesExpanded += greedy.expanded;
            result.statesSeen += greedy.seen();
        }
    }
    if (status == Search::found) {
        result.solution = spellOut(area, pushes);
        result.pushes = int(pushes.size());
        std::string why;
        if (replayWins(result.solution, &why)) {
            result.outcome = Outcome::won;
            result.why.clear();
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
