// The next push towards a win from the position in play, found by the game's
// own search within a time budget.
#pragma once

#include <cstdint>
#include <functional>

enum class HintOutcome { found, lost, notFound };

struct Hint {
    HintOutcome outcome = HintOutcome::notFound;
    int box = -1;             // the slot of the box to push
    int32_t boxX = 0, boxY = 0;
    char way = 0;             // 'u', 'd', 'l' or 'r'
};

struct HintLimits {
    double seconds = 2.0;        // the whole budget
    double thinkingAfter = 0.15;  // when a search still going is worth a word
    uint64_t maxBytes = uint64_t(128) << 20;  // what the search's tables may hold at once
};

// The next push of a solution from the Board as it stands, which is left as
// it was. A solution found before is followed on while the position is one
// of its own, so hints taken one after another lead to the win. `thinking`
// is called once if the search runs past limits.thinkingAfter, and
// `whileSearching` at every look at the clock, a few hundred times a second.
// The search's tables are given back before it returns, so the game is no
// bigger after.
Hint findHint(const HintLimits& limits, const std::function<void()>& thinking,
              const std::function<void()>& whileSearching = nullptr);

// Forgets the solution kept from earlier hints, so the next one searches
// afresh (as the benchmark needs to time a search).
void forgetHintPlan();
