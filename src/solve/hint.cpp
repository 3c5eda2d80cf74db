// The hint needs any sound solution, not the fewest pushes: it searches as
// `boxyard-levels solve --any` does. The solution found is kept as a plan,
// each push with the layout of the boxes it was made from, and later hints
// follow it on for as long as the rest of it still wins from the position on
// the board.
#include "solve/hint.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "rules/board.h"
#include "rules/moves.h"
#include "solve/lost_position.h"
#include "solve/push_search.h"
#include "solve/solver.h"

namespace {

struct PlannedPush {
    uint64_t layout;  // where every box slot stood before the push
    int32_t x, y;     // the box pushed
    char way;
};

std::vector<PlannedPush> plan;

uint64_t layoutOfBoxes() {
    uint64_t hash = 1469598103934665603ull;
    for (const GridPos& box : board.boxes) {
        hash = (hash ^ uint32_t(box.x)) * 1099511628211ull;
        hash = (hash ^ uint32_t(box.y)) * 1099511628211ull;
    }
    return hash;
}

// True when the plan from push `from` on, with the walks between its pushes
// worked out afresh from where the player stands, wins with the game's moves.
bool planWinsFrom(const Area& area, size_t from) {
    std::vector<std::pair<int, int>> pushes;
    for (size_t i = from; i < plan.size(); i++) {
        const PlannedPush& push = plan[i];
        if (!area.inside(push.x, push.y)) return false;
        pushes.emplace_back(area.cellOf(push.x, push.y), wayNumber(push.way));
    }
    return replayWins(spellOut(area, pushes));
}

// Keeps the pushes of a winning solution, each with the layout it starts from.
void keepPlan(const std::string& letters) {
    Board saved = board;
    plan.clear();
    for (char letter : letters) {
        const Direction& direction = directionOf(letter);
        if (std::isupper(static_cast<unsigned char>(letter))) {
            const GridPos& box = board.boxes[boxInFront(direction)];
            plan.push_back({layoutOfBoxes(), box.x, box.y, char(std::tolower(static_cast<unsigned char>(letter)))});
        }
        tryMove(direction);
    }
    board = saved;
}

Hint hintFromPlan(size_t step) {
    Hint hint;
    hint.outcome = HintOutcome::found;
    hint.boxX = plan[step].x;
    hint.boxY = plan[step].y;
    hint.way = plan[step].way;
    hint.box = boxAt(hint.boxX, hint.boxY);
    return hint;
}

}  // namespace

Hint findHint(const HintLimits& limits, const std::function<void()>& thinking,
              const std::function<void()>& whileSearching) {
    Clock::time_point start = Clock::now();
    Hint hint;
    Area area;
    std::string why;
    if (!buildArea(area, why)) return hint;
    Distances distances;
    measureDistances(area, distances);
    if (isAreaLost(area, distances)) {
        hint.outcome = HintOutcome::lost;
        return hint;
    }
    const uint64_t layout = layoutOfBoxes();
    for (size_t step = 0; step < plan.size(); step++) {
        if (plan[step].layout == layout && planWinsFrom(area, step)) return hintFromPlan(step);
    }

    SearchLimits searchLimits;
    searchLimits.maxBytes = limits.maxBytes;
    searchLimits.maxSeconds = limits.seconds;
    bool told = false;
    auto tellIfSlow = [&] {
        if (whileSearching) whileSearching();
        if (!told && std::chrono::duration<double>(Clock::now() - start).count() > limits.thinkingAfter) {
            told = true;
            if (thinking) thinking();
        }
    };
    double secondsLeft = std::max(0.0, limits.seconds - std::chrono::duration<double>(Clock::now() - start).count());
    SearchRun run = searchAny(area, distances, searchLimits, secondsLeft, tellIfSlow);
    // The search's tables are freed by now; the C library is asked to hand
    // the pages back too, so a hint leaves the game no bigger than it was.
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    if (run.status == Search::exhausted && !run.leftTheArea) {
        hint.outcome = HintOutcome::lost;
    } else if (run.status == Search::found && !run.pushes.empty()) {
        std::string letters = spellOut(area, run.pushes);
        if (replayWins(letters)) {
            keepPlan(letters);
            return hintFromPlan(0);
        }
    }
    return hint;
}

void forgetHintPlan() { plan.clear(); }
