// The solver searches over pushes: between two pushes the player walks
// wherever the walls and boxes let him, so a position is the boxes plus the
// patch of floor the player can reach. A* orders the positions by pushes made
// plus a lower bound on the pushes still needed; the greedy variant by that
// bound alone, which finds some solution sooner.
//
// It keeps the game's rules exactly, oddities included: a box moves when the
// cell beyond holds neither a wall nor another box, there is no edge to the
// board but walls, and the level is won when the box-on-target pairs, counted
// over every slot as the game counts them, equal boxesToPlace. The prunings
// that assume more (that every box must end on its own target, or that the
// player stays within walls) are only used on boards where that holds.
#include "solve/push_search.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "rules/board.h"
#include "solve/board_bounds.h"

std::vector<int> walkableCells(const Area& area) {
    std::vector<uint8_t> seen(area.kind.size(), 0);
    std::vector<int> cells = {area.player};
    seen[area.player] = 1;
    for (size_t i = 0; i < cells.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int next = cells[i] + area.step[d];
            if (seen[next] || area.kind[next] != openCell) continue;
            seen[next] = 1;
            cells.push_back(next);
        }
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

namespace {

constexpr uint16_t exactPlayer = 0x8000;  // the player stands where he cannot come back to
constexpr int maxAreaCells = 30000;  // cell numbers stay below exactPlayer
// The small search that asks whether a fenced-off patch can ever be opened
// looks at this many positions, of fences of at most this many boxes.
constexpr size_t mostSmallPositions = 300, mostFenceBoxes = 40;
const char stepLetters[4] = {'u', 'd', 'l', 'r'};
const char pushLetters[4] = {'U', 'D', 'L', 'R'};

// Whether the player, walking through everything but walls, stays off the frame.
bool isClosed(const Area& area) {
    for (int cell : walkableCells(area)) {
        for (int d = 0; d < 4; d++) {
            if (area.kind[cell + area.step[d]] == pastTheArea) return false;
        }
    }
    return true;
}

void setSteps(Area& area) {
    area.step[0] = -area.width;
    area.step[1] = area.width;
    area.step[2] = -1;
    area.step[3] = 1;
}

// A cell of a one-wide tunnel along the way `d`: walls on both sides.
bool betweenWalls(const Area& area, int cell, int d) {
    int side = d < 2 ? area.step[3] : area.step[1];
    return area.kind[cell - side] == wallCell && area.kind[cell + side] == wallCell;
}

}  // namespace

bool buildArea(Area& area, std::string& why) {
    std::vector<GridPos> targets;
    for (const GridPos& target : board.targets) {
        if (target.x > 0) targets.push_back(target);
    }
    // Walls close to all that are taken in too, so the room's own walls lie
    // inside the area; far-off ones cannot matter before the player gets
    // past the area anyway.
    const BoardBounds bounds = boundsOfBoard(targets, 40);
    const int64_t minX = bounds.minX, maxX = bounds.maxX, minY = bounds.minY, maxY = bounds.maxY;
    constexpr int margin = 3;  // two cells to walk in, one of frame
    int64_t width = maxX - minX + 1 + 2 * margin;
    int64_t height = maxY - minY + 1 + 2 * margin;
    if (width * height > maxAreaCells) {
        why = "the boxes, targets and player are spread too far apart to search";
        return false;
    }
    area.left = minX - margin;
    area.top = minY - margin;
    area.width = int(width);
    area.height = int(height);
    int cells = area.width * area.height;
    area.kind.assign(cells, openCell);
    area.pairs.assign(cells, 0);
    setSteps(area);
    for (int cell = 0; cell < cells; cell++) {
        int column = cell % area.width, row = cell / area.width;
        int64_t x = area.left + column, y = area.top + row;
        if (column == 0 || row == 0 || column == area.width - 1 || row == area.height - 1) {
            area.kind[cell] = pastTheArea;
        } else if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
            area.kind[cell] = wallCell;  // the edge of the coordinates stops everything
        }
    }
    for (const WallPos& wall : board.walls) {
        if (area.inside(wall.x, wall.y)) area.kind[area.cellOf(wall.x, wall.y)] = wallCell;
    }
    for (const GridPos& target : board.targets) {
        if (target.x > 0) area.pairs[area.cellOf(target.x, target.y)]++;
    }
    // A box inside a wall can never be reached, but still counts if it stands
    // on a target there.
    int64_t fixedPairs = 0;
    std::vector<int> boxesOnCell(cells, 0);
    for (const GridPos& box : board.boxes) {
        int cell = area.cellOf(box.x, box.y);
        if (area.kind[cell] == wallCell) {
            fixedPairs += area.pairs[cell];
        } else {
            area.boxes.push_back(uint16_t(cell));
            if (++boxesOnCell[cell] > 1) area.stacked = true;
        }
    }
    std::sort(area.boxes.begin(), area.boxes.end());
    area.player = area.cellOf(board.player.x, board.player.y);
    if (boxesOnCell[area.player] > 0) area.stacked = true;
    area.pairsNeeded = int64_t(board.boxesToPlace) - fixedPairs;

    area.closed = isClosed(area);
    area.prunable = area.closed && area.kind[area.player] == openCell;
    bool singlePairs = true;
    for (int32_t count : area.pairs) {
        if (count > 1) singlePairs = false;
    }
    area.everyBoxOnTarget = area.prunable && singlePairs && area.pairsNeeded == int64_t(area.boxes.size());
    return true;
}

bool buildAreaFromRows(Area& area, const std::vector<std::string>& rows, std::string& why) {
    area = Area();
    size_t columns = 0;
    for (const std::string& row : rows) columns = std::max(columns, row.size());
    constexpr int margin = 3;  // as buildArea: two cells to walk round the outside, one of frame
    int64_t width = int64_t(columns) + 2 * margin, height = int64_t(rows.size()) + 2 * margin;
    if (width * height > maxAreaCells) {
        why = "the level is too large to search";
        return false;
    }
    area.left = -margin;
    area.top = -margin;
    area.width = int(width);
    area.height = int(height);
    setSteps(area);
    area.kind.assign(size_t(width * height), openCell);
    area.pairs.assign(area.kind.size(), 0);
    int players = 0;
    for (int cell = 0; cell < int(area.kind.size()); cell++) {
        int column = cell % area.width, row = cell / area.width;
        if (column == 0 || row == 0 || column == area.width - 1 || row == area.height - 1) {
            area.kind[cell] = pastTheArea;
            continue;
        }
        int x = column - margin, y = row - margin;
        char c = y >= 0 && y < int(rows.size()) && x >= 0 && x < int(rows[y].size()) ? rows[y][x] : ' ';
        if (c == '#') area.kind[cell] = wallCell;
        if (c == '.' || c == '*' || c == '+') area.pairs[cell] = 1;
        if (c == '$' || c == '*') area.boxes.push_back(uint16_t(cell));
        if (c == '@' || c == '+') {
            area.player = cell;
            players++;
        }
    }
    if (players != 1) {
        why = players == 0 ? "the level has no player" : "the level has more than one player";
        return false;
    }
    int64_t targets = 0;
    for (int32_t count : area.pairs) targets += count;
    if (targets < int64_t(area.boxes.size())) {
        why = "the level has fewer targets than boxes";
        return false;
    }
    area.pairsNeeded = int64_t(area.boxes.size());
    area.closed = isClosed(area);
    area.prunable = area.closed;
    area.everyBoxOnTarget = area.prunable;
    return true;
}

namespace {

// Push distances from each of `sources`: towards it when `toSource`, a box
// brought there by pushes, or else away from it, a box pushed out from it.
void measureFrom(const Area& area, Distances& distances, const std::vector<int>& sources, bool toSource) {
    int cells = int(area.kind.size());
    distances.targets = sources;
    distances.nearest.assign(cells, farAway);
    distances.mostPairs.assign(cells, 0);
    distances.toTarget.assign(size_t(cells) * sources.size(), farAway);
    for (size_t j = 0; j < sources.size(); j++) {
        int source = sources[j];
        std::vector<uint16_t> dist(cells, farAway);
        std::vector<int> queue = {source};
        dist[source] = 0;
        for (size_t i = 0; i < queue.size(); i++) {
            int cell = queue[i];
            for (int d = 0; d < 4; d++) {
                // Towards the source the box came from `next`, pushed by a
                // player behind it; away from it, the player stands behind
                // `cell` and the box goes on to `next`.
                int next = toSource ? cell - area.step[d] : cell + area.step[d];
                int behind = toSource ? next - area.step[d] : cell - area.step[d];
                if (area.kind[next] != openCell || area.kind[behind] != openCell || dist[next] != farAway) continue;
                dist[next] = uint16_t(dist[cell] + 1);
                queue.push_back(next);
            }
        }
        for (int cell = 0; cell < cells; cell++) {
            if (dist[cell] == farAway) continue;
            distances.nearest[cell] = std::min(distances.nearest[cell], dist[cell]);
            distances.mostPairs[cell] = std::max(distances.mostPairs[cell], int64_t(toSource ? area.pairs[source] : 1));
            distances.toTarget[size_t(cell) * sources.size() + j] = dist[cell];
        }
    }
}

}  // namespace

void measureDistances(const Area& area, Distances& distances) {
    distances = Distances();
    if (!area.prunable) {
        distances.nearest.assign(area.kind.size(), farAway);
        distances.mostPairs.assign(area.kind.size(), 0);
        return;
    }
    std::vector<int> targets;
    for (int cell = 0; cell < int(area.kind.size()); cell++) {
        if (area.pairs[cell] > 0 && area.kind[cell] == openCell) targets.push_back(cell);
    }
    measureFrom(area, distances, targets, true);
}

void measurePullDistances(const Area& area, Distances& distances) {
    std::vector<int> starts(area.boxes.begin(), area.boxes.end());
    measureFrom(area, distances, starts, false);
}

namespace {

// True when the box on `cell` cannot move along the line through `one` and `other`.
bool axisHeld(const Area& area, const Distances& distances, const std::vector<uint16_t>& boxCount,
              std::vector<uint8_t>& mark, bool deadCellsHold, int cell, int one, int other, bool& offTarget) {
    int a = cell + one, b = cell + other;
    if (area.kind[a] != openCell || mark[a] || area.kind[b] != openCell || mark[b]) return true;
    if (deadCellsHold && distances.nearest[a] == farAway && distances.nearest[b] == farAway) return true;
    bool off = false;
    if (boxCount[a] > 0 && isFrozen(area, distances, boxCount, mark, deadCellsHold, a, off)) {
        offTarget = offTarget || off;
        return true;
    }
    off = false;
    if (boxCount[b] > 0 && isFrozen(area, distances, boxCount, mark, deadCellsHold, b, off)) {
        offTarget = offTarget || off;
        return true;
    }
    return false;
}

}  // namespace

bool isFrozen(const Area& area, const Distances& distances, const std::vector<uint16_t>& boxCount,
              std::vector<uint8_t>& mark, bool deadCellsHold, int cell, bool& offTarget) {
    mark[cell] = 1;
    bool groupOff = false;
    bool held = axisHeld(area, distances, boxCount, mark, deadCellsHold, cell, area.step[2], area.step[3], groupOff) &&
                axisHeld(area, distances, boxCount, mark, deadCellsHold, cell, area.step[0], area.step[1], groupOff);
    mark[cell] = 0;
    if (!held) return false;
    if (groupOff || area.pairs[cell] == 0) offTarget = true;
    return true;
}

// Marks every cell the player can walk to from `from` without pushing, lists
// them in reached_, and returns the lowest. Told that no cell he could reach
// is lower than `enough`, it stops on reaching that one.
int Search::flood(int from, int enough) {
    uint32_t stamp = walked_.fresh();
    reached_.clear();
    reached_.push_back(from);
    walked_.stamps[from] = stamp;
    int lowest = from;
    for (size_t i = 0; i < reached_.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int next = reached_[i] + area_.step[d];
            if (walked_.stamps[next] == stamp) continue;
            if (area_.kind[next] == pastTheArea) {
                leftTheArea = true;
                continue;
            }
            if (area_.kind[next] == wallCell || boxCount_[next] > 0) continue;
            if (next == enough) return next;
            walked_.stamps[next] = stamp;
            reached_.push_back(next);
            lowest = std::min(lowest, next);
        }
    }
    return lowest;
}

// Positions that differ only in where the player stands within one patch of
// floor are the same position; the patch is named by its lowest cell. A
// player on a cell he could not walk back onto (a box's, a wall's) is kept
// exactly.
uint16_t Search::playerKey(int cell) {
    if (area_.kind[cell] != openCell || boxCount_[cell] > 0) return uint16_t(cell | exactPlayer);
    return uint16_t(flood(cell));
}

// Whether the player, where the position leaves him, can walk to a cell of
// each of mustReach's sets.
bool Search::leavesAWay(const uint16_t* key) {
    if (mustReach.empty()) return true;
    for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]++;
    flood(key[0] & ~exactPlayer);
    bool open = walkReachesEverySet();
    for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]--;
    return open;
}

// Whether the latest walk came to a cell of each of mustReach's sets.
bool Search::walkReachesEverySet() const {
    return std::all_of(mustReach.begin(), mustReach.end(), [&](const std::vector<int>& cells) {
        return std::any_of(cells.begin(), cells.end(), [&](int cell) { return walked_.has(cell); });
    });
}

bool Search::isWon(const uint16_t* boxes) const {
    if (pulling) return false;
    int64_t pairs = 0;
    for (size_t i = 0; i + 1 < stride_; i++) pairs += area_.pairs[boxes[i]];
    return pairs == area_.pairsNeeded;
}

// The fewest pushes that could still win from these boxes, or noWin.
int64_t Search::bound(const uint16_t* boxes) {
    int n = int(stride_ - 1);
    if (!area_.prunable) return 0;
    if (!area_.everyBoxOnTarget) {
        // Boxes need not reach targets; only an unreachable count is ruled out.
        int64_t most = 0;
        for (int i = 0; i < n; i++) most += distances_.mostPairs[boxes[i]];
        return most < area_.pairsNeeded ? noWin : 0;
    }
    if (area_.stacked || n > 30) {
        int64_t sum = 0;
        for (int i = 0; i < n; i++) {
            if (distances_.nearest[boxes[i]] == farAway) return noWin;
            sum += distances_.nearest[boxes[i]];
        }
        return sum;
    }
    return matching(boxes, n);
}

// The cheapest way to give each box a target cell of its own, by push
// distance (the Hungarian method over boxes and target cells).
int64_t Search::matching(const uint16_t* boxes, int n) {
    int m = int(distances_.targets.size());
    if (n == 0) return 0;
    if (n > m) return noWin;
    constexpr int64_t unreachableCost = 1000000;
    // Rows and columns count from 1; each box's row is read straight from
    // the table of distances, where its targets lie side by side.
    costRow_.resize(n + 1);
    for (int i = 0; i < n; i++) {
        if (distances_.nearest[boxes[i]] == farAway) return noWin;
        costRow_[i + 1] = &distances_.toTarget[size_t(boxes[i]) * m];
    }
    rowPotential_.assign(n + 1, 0);
    columnPotential_.assign(m + 1, 0);
    match_.assign(m + 1, 0);
    way_.assign(m + 1, 0);
    minimum_.resize(m + 1);
    used_.resize(m + 1);
    int64_t* rowPotential = rowPotential_.data();
    int64_t* columnPotential = columnPotential_.data();
    int64_t* minimum = minimum_.data();
    int* match = match_.data();
    int* way = way_.data();
    uint8_t* used = used_.data();
    auto cost = [&](int i, int j) -> int64_t {
        uint16_t distance = costRow_[i][j - 1];
        return distance == farAway ? unreachableCost : distance;
    };
    // Most boxes can simply have a nearest target of their own: each box's
    // potential starts at its nearest distance, and it takes that target when
    // no other box has. Only the rest go through the full search for a
    // cheaper exchange.
    for (int i = 1; i <= n; i++) {
        int64_t best = INT64_MAX;
        int bestColumn = 0;
        for (int j = 1; j <= m; j++) {
            int64_t c = cost(i, j);
            if (c < best || (c == best && match[bestColumn] != 0 && match[j] == 0)) {
                best = c;
                bestColumn = j;
            }
        }
        rowPotential[i] = best;
        if (match[bestColumn] == 0) match[bestColumn] = i;
    }
    placed_.assign(n + 1, 0);
    for (int j = 1; j <= m; j++) placed_[match[j]] = 1;
    for (int i = 1; i <= n; i++) {
        if (placed_[i]) continue;
        match[0] = i;
        int j0 = 0;
        std::fill(minimum, minimum + m + 1, INT64_MAX);
        std::fill(used, used + m + 1, 0);
        do {
            used[j0] = 1;
            int i0 = match[j0], j1 = 0;
            int64_t delta = INT64_MAX;
            const uint16_t* row = costRow_[i0];
            int64_t u = rowPotential[i0];
            for (int j = 1; j <= m; j++) {
                if (used[j]) continue;
                uint16_t distance = row[j - 1];
                int64_t reduced = (distance == farAway ? unreachableCost : distance) - u - columnPotential[j];
                if (reduced < minimum[j]) {
                    minimum[j] = reduced;
                    way[j] = j0;
                }
                if (minimum[j] < delta) {
                    delta = minimum[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= m; j++) {
                if (used[j]) {
                    rowPotential[match[j]] += delta;
                    columnPotential[j] -= delta;
                } else {
                    minimum[j] -= delta;
                }
            }
            j0 = j1;
        } while (match[j0] != 0);
        do {
            int j1 = way[j0];
            match[j0] = match[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    int64_t total = 0;
    for (int j = 1; j <= m; j++) {
        if (match[j] != 0) total += cost(match[j], j);
    }
    return total >= unreachableCost ? noWin : total;
}

bool Search::inTunnel(int cell, int d) const { return betweenWalls(area_, cell, d); }

namespace {

// Stirs a number so that every bit of it moves about half the bits of the
// result: chained over a position's cells, it tells positions apart.
uint64_t mixed(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

// Looks at each patch of floor the player cannot reach (the last flood's
// marks) and the boxes that fence it. Such a patch must be opened some time
// when it still wants work: a target in it is empty (there are no spare
// targets) or a fence box stands off target. If the only pushes of fence boxes
// that could ever come first go into the patch, and the player can make each
// of those now, one of them can as well be made first: the pushes of other
// boxes before it never needed the patch. Of such patches the one with the
// fewest pushes is chosen, and fences_ marks its fence.
// Returns corralNone, corralChosen (only with `useCorrals`), or corralDead
// when some patch that wants work can never be opened.
int Search::findCorral() {
    int bestPushes = INT32_MAX;
    int cells = int(area_.kind.size());
    // Patches are told apart from those of earlier positions by counting on
    // from `base`, so the count must not run out within one position.
    if (corralStamp_ > UINT32_MAX - uint32_t(cells)) {
        std::fill(corralMark_.begin(), corralMark_.end(), 0);
        corralStamp_ = 0;
    }
    uint32_t base = corralStamp_;
    int playerCell = reached_[0];
    fence_.clear();
    for (int start : inside_) {
        if (boxCount_[start] > 0 || walked_.has(start) || corralMark_[start] > base) continue;
        uint32_t patch = ++corralStamp_, fence = fences_.fresh();
        corral_.assign(1, start);
        corralMark_[start] = patch;
        patchFence_.clear();
        bool wantsWork = false;
        for (size_t i = 0; i < corral_.size(); i++) {
            int cell = corral_[i];
            if (area_.pairs[cell] > 0 && noSpareTargets_) wantsWork = true;
            for (int d = 0; d < 4; d++) {
                int next = cell + area_.step[d];
                if (area_.kind[next] != openCell) continue;
                if (boxCount_[next] == 0) {
                    if (corralMark_[next] != patch) {
                        corralMark_[next] = patch;
                        corral_.push_back(next);
                    }
                } else if (!fences_.has(next)) {
                    fences_.stamps[next] = fence;
                    patchFence_.push_back(next);
                    if (area_.pairs[next] == 0) wantsWork = true;
                }
            }
        }
        if (!wantsWork) continue;
        if (corralIsDead(patch, playerCell)) return corralDead;
        // Until a fence box moves, nothing enters the patch, the player
        // included. So a push of a fence box could come before any other
        // when the player could stand behind it (not in the patch, nor on a
        // fence box) and it goes onto a cell that is not dead, a wall or a
        // fence box. Each such push must go into the patch and be one the
        // player can make now.
        bool fit = true;
        int pushes = 0;
        for (size_t i = 0; i < patchFence_.size() && fit; i++) {
            int box = patchFence_[i];
            for (int d = 0; d < 4; d++) {
                int beyond = box + area_.step[d], behind = box - area_.step[d];
                if (area_.kind[beyond] != openCell || fences_.has(beyond) ||
                    distances_.nearest[beyond] == farAway) {
                    continue;
                }
                if (area_.kind[behind] != openCell || fences_.has(behind) || corralMark_[behind] == patch) {
                    continue;
                }
                bool inside = corralMark_[beyond] == patch;
                bool now = boxCount_[behind] == 0 && walked_.has(behind);
                if (!inside || !now) fit = false;
                pushes++;
            }
        }
        if (!fit || pushes == 0 || pushes >= bestPushes) continue;
        bestPushes = pushes;
        fence_ = patchFence_;
    }
    if (fence_.empty() || !useCorrals) return corralNone;
    uint32_t chosen = fences_.fresh();
    for (int box : fence_) fences_.stamps[box] = chosen;
    return corralChosen;
}

// Whether the patch marked `patch` (its fence in patchFence_) can never be
// opened. A small search pushes the fence boxes alone, every other box taken
// away: that only gives them more room, so if no way of pushing them lets the
// player into the patch or puts all of them on targets, nothing can in the
// whole level either. It gives up, saying no, after a few hundred positions.
bool Search::corralIsDead(uint32_t patch, int player) {
    size_t n = patchFence_.size();
    if (n == 0 || n > mostFenceBoxes) return false;
    std::vector<uint16_t> boxes(patchFence_.begin(), patchFence_.end());
    std::sort(boxes.begin(), boxes.end());
    // The answer depends on the fence and where the player stands, and is
    // kept in a small table that forgets; a slot holds the hash with the
    // answer in its lowest bit.
    uint64_t hash = mixed(mixed(uint64_t(player)) ^ uint64_t(corral_[0]));
    for (uint16_t box : boxes) hash = mixed(hash ^ box);
    // The table grows with the search, to at most 2 MiB; the small search's
    // keys are given their room with its first slots. Without room for
    // either, no patch is called lost.
    size_t slots = 1024;
    while (slots < nodes_.size() / 4 && slots < (size_t(1) << 18)) slots *= 2;
    if (corralAnswers_.size() < slots) {
        constexpr size_t keysRoom = mostSmallPositions * (mostFenceBoxes + 1);
        uint64_t more = (slots - corralAnswers_.size()) * sizeof(uint64_t) +
                        (keysRoom - std::min(keysRoom, smallKeys_.capacity())) * sizeof(uint16_t);
        if (bytes() + more + sharedBytes() + setAside > limits_.maxBytes) {
            if (corralAnswers_.empty()) return false;
        } else {
            corralAnswers_.assign(slots, 0);
            smallKeys_.reserve(keysRoom);
            peakBytes = std::max(peakBytes, bytes() + sharedBytes());
            grownTo = std::max(grownTo, bytes());
        }
    }
    uint64_t& slot = corralAnswers_[hash & (corralAnswers_.size() - 1)];
    if ((slot | 1) == (hash | 1)) return slot & 1;
    bool dead = searchCorral(patch, player, boxes);
    slot = (hash & ~uint64_t(1)) | uint64_t(dead);
    return dead;
}

bool Search::searchCorral(uint32_t patch, int player, const std::vector<uint16_t>& boxes) {
    size_t n = boxes.size();
    int cells = int(area_.kind.size());
    if (smallCount_.size() != size_t(cells)) {
        smallCount_.assign(cells, 0);
        small_.reset(cells);
    }
    size_t stride = n + 1;  // the boxes, sorted, then where the player stands
    smallKeys_.clear();
    smallSeen_.clear();
    smallKeys_.insert(smallKeys_.end(), boxes.begin(), boxes.end());
    smallKeys_.push_back(uint16_t(player));
    std::vector<int> reach;
    // Positions queued past the last one it would look at are not kept, so
    // its keys never outgrow the room set aside for them; having left any
    // out, it cannot say the patch is lost.
    bool leftOut = false;
    for (size_t at = 0; at * stride < smallKeys_.size(); at++) {
        if (at >= mostSmallPositions) return false;
        const uint16_t* key = &smallKeys_[at * stride];
        for (size_t i = 0; i < n; i++) smallCount_[key[i]]++;
        // Where the player can walk; the patch reached means it is open.
        uint32_t stamp = small_.fresh();
        reach.assign(1, key[n]);
        small_.stamps[key[n]] = stamp;
        bool open = false;
        int lowest = key[n];
        for (size_t i = 0; i < reach.size() && !open; i++) {
            for (int d = 0; d < 4; d++) {
                int next = reach[i] + area_.step[d];
                if (small_.stamps[next] == stamp || area_.kind[next] != openCell || smallCount_[next] > 0) continue;
                if (corralMark_[next] == patch) open = true;
                small_.stamps[next] = stamp;
                reach.push_back(next);
                lowest = std::min(lowest, next);
            }
        }
        bool placed = true;
        for (size_t i = 0; i < n; i++) placed = placed && area_.pairs[key[i]] > 0;
        bool again = false;
        if (!open && !placed) {
            // Positions are told apart by the boxes and the player's patch.
            uint64_t hash = mixed(uint64_t(lowest));
            for (size_t i = 0; i < n; i++) hash = mixed(hash ^ key[i]);
            again = !smallSeen_.insert(hash).second;
        }
        if (!open && !placed && !again) {
            std::vector<uint16_t> child(stride);
            for (int from : reach) {
                for (int d = 0; d < 4; d++) {
                    int box = from + area_.step[d], beyond = box + area_.step[d];
                    if (smallCount_[box] == 0 || area_.kind[beyond] != openCell || smallCount_[beyond] > 0 ||
                        distances_.nearest[beyond] == farAway) {
                        continue;
                    }
                    smallCount_[box]--;
                    smallCount_[beyond]++;
                    bool offTarget = false;
                    bool dead = isFrozen(area_, distances_, smallCount_, frozenMark_, true, beyond, offTarget) && offTarget;
                    smallCount_[beyond]--;
                    smallCount_[box]++;
                    if (dead) continue;
                    if (smallKeys_.size() >= mostSmallPositions * stride) {
                        leftOut = true;
                        continue;
                    }
                    std::copy(key, key + n, child.begin());
                    *std::find(child.begin(), child.begin() + n, uint16_t(box)) = uint16_t(beyond);
                    std::sort(child.begin(), child.begin() + n);
                    child[n] = uint16_t(box);
                    smallKeys_.insert(smallKeys_.end(), child.begin(), child.end());
                    key = &smallKeys_[at * stride];  // the insert may have moved it
                }
            }
        }
        for (size_t i = 0; i < n; i++) smallCount_[key[i]]--;
        if (open || placed) return false;
    }
    return !leftOut;
}

bool Search::frozen(int cell, bool& offTarget) {
    return isFrozen(area_, distances_, boxCount_, frozenMark_, true, cell, offTarget);
}

uint64_t Search::hashOf(const uint16_t* key) const {
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < stride_; i++) {
        hash ^= key[i];
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29);
}

uint32_t Search::findIn(const std::vector<uint32_t>& table, const uint16_t* key, uint64_t hash) const {
    size_t mask = table.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        uint32_t entry = table[slot];
        if (entry == 0) return UINT32_MAX;
        if (std::memcmp(keys_[entry - 1], key, stride_ * sizeof(uint16_t)) == 0) return entry - 1;
    }
}

// While the table moves into one twice its size, a position not yet moved
// is found in the old one.
uint32_t Search::find(const uint16_t* key, uint64_t hash) const {
    uint32_t found = findIn(table_, key, hash);
    return found == UINT32_MAX && !oldTable_.empty() ? findIn(oldTable_, key, hash) : found;
}

uint64_t Search::bytes() const {
    return nodes_.bytes() + keys_.bytes() + (table_.capacity() + oldTable_.capacity()) * sizeof(uint32_t) +
           open_.bytes() + corralAnswers_.capacity() * sizeof(uint64_t) + smallKeys_.capacity() * sizeof(uint16_t);
}

uint64_t Search::sharedBytes() const {
    uint64_t shared = 0;
    for (const Search* search : sharing) shared += search->bytes();
    return shared;
}

// Whether the search's tables may grow to `peak` bytes: within its own bound
// and, with the searches it shares memory with, within theirs.
bool Search::fits(uint64_t peak) {
    if (peak > ownBytes || peak + sharedBytes() + setAside > limits_.maxBytes) {
        outOfMemory_ = droppedSome_ = true;
        return false;
    }
    grownTo = std::max(grownTo, peak);
    // What this search and those sharing its bound hold together: their
    // peaks came at different times, so adding them up would overstate it.
    peakBytes = std::max(peakBytes, peak + sharedBytes());
    return true;
}

// Whether the table can take one more entry within the bound on memory.
template <typename T>
bool Search::canGrow(const Blocks<T>& table) {
    return !table.full() || fits(bytes() + table.blockBytes());
}

// Whether one more position fits: its node, its key, its slot in the table
// (which doubles at half full, the old one held while the new one fills)
// and its place in the queue, whichever of them need more room all at once.
bool Search::roomFor() {
    uint64_t more = 0;
    if ((nodes_.size() + 1) * 2 > table_.size()) more += table_.size() * 2 * sizeof(uint32_t);
    if (nodes_.full()) more += nodes_.blockBytes();
    if (keys_.full()) more += keys_.blockBytes();
    if (open_.full()) more += open_.blockBytes();
    return more == 0 || fits(bytes() + more);
}

// Puts the position `index`, with its hash, into the table.
void Search::place(uint32_t index, uint64_t hash) {
    size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    while (table_[slot] != 0) slot = (slot + 1) & mask;
    table_[slot] = index + 1;
}

// Moves up to `count` positions of the old table into the new one, in the
// order they were stored, and lets the old one go once all are moved.
void Search::moveSome(size_t count) {
    if (oldTable_.empty()) return;
    for (; count > 0 && moved_ < toMove_; count--, moved_++) place(uint32_t(moved_), hashOf(keys_[moved_]));
    if (moved_ == toMove_) std::vector<uint32_t>().swap(oldTable_);
}

uint32_t Search::insert(const uint16_t* key, uint64_t hash, const Node& node) {
    // At half full the table doubles. Moving a few million positions at
    // once would keep the search from its clock for a tenth of a second, so
    // two move with each new one, done long before the next doubling.
    if ((nodes_.size() + 1) * 2 > table_.size()) {
        moveSome(SIZE_MAX);
        oldTable_.swap(table_);
        table_.assign(oldTable_.size() * 2, 0);
        moved_ = 0;
        toMove_ = nodes_.size();
    }
    uint32_t index = uint32_t(nodes_.size());
    *nodes_.append() = node;
    std::copy_n(key, stride_, keys_.append());
    place(index, hash);
    moveSome(2);
    return index;
}

// Queues a node: lowest estimate first and, among equals, the one with the
// most pushes made, which is nearer a win (in the pulling search, first the
// pull on the box pulled last). The greedy search looks at the estimate of
// pushes still needed alone.
void Search::push(uint32_t node, int64_t h) {
    const Node& made = this->node(node);
    uint64_t g = made.g;
    uint64_t f = std::min<uint64_t>(uint64_t(greedy_ ? h : int64_t(g) + boundWeight * h), 0xFFFF);
    if (pulling) {
        // Of the pulls that leave the same bound, the one that pulls on the
        // box pulled last comes first: a box is taken on out of a room of
        // targets rather than every box moved a step at a time, which fills
        // the table with the room's mixings. It wins levels with such rooms
        // several times sooner. A start and its first pulls have no box
        // pulled last.
        const Node* before = made.parent != UINT32_MAX ? &this->node(made.parent) : nullptr;
        bool sameBox = before && before->parent != UINT32_MAX &&
                       made.boxFrom == before->boxFrom + before->length * area_.step[before->direction];
        f = std::min<uint64_t>(2 * f + (sameBox ? 0 : 1), 0xFFFF);
    }
    // Sifted up from the end of the heap.
    uint64_t entry = (f << 48) | ((0xFFFF - g) << 32) | node;
    size_t at = open_.size();
    open_.append();
    while (at > 0 && *open_[(at - 1) / 2] > entry) {
        *open_[at] = *open_[(at - 1) / 2];
        at = (at - 1) / 2;
    }
    *open_[at] = entry;
}

// Takes the lowest entry off the heap.
uint64_t Search::pop() {
    uint64_t top = *open_[0], last = *open_[open_.size() - 1];
    open_.dropLast();
    size_t n = open_.size(), at = 0;
    while (n > 0) {
        size_t child = 2 * at + 1;
        if (child >= n) break;
        if (child + 1 < n && *open_[child + 1] < *open_[child]) child++;
        if (*open_[child] >= last) break;
        *open_[at] = *open_[child];
        at = child;
    }
    if (n > 0) *open_[at] = last;
    return top;
}

Search::Status Search::run() {
    Status status = begin();
    return status == running ? resume(UINT64_MAX) : status;
}

Search::Status Search::begin() {
    start_ = Clock::now();
    table_.assign(1024, 0);
    if (!roomFor()) {
        why = "gave up at the limit of memory";
        return gaveUp;
    }
    std::vector<uint16_t> key(stride_);
    for (size_t i = 0; i + 1 < stride_; i++) boxCount_[area_.boxes[i]]++;
    key[0] = playerKey(area_.player);
    std::copy(area_.boxes.begin(), area_.boxes.end(), key.begin() + 1);
    int64_t h = bound(&key[1]);
    for (size_t i = 0; i + 1 < stride_; i++) boxCount_[area_.boxes[i]]--;
    if (h >= noWin && !isWon(&key[1])) return exhausted;
    push(insert(key.data(), hashOf(key.data()), Node{UINT32_MAX, 0, 0, 0, 0, 0}), h);
    return running;
}

// The positions a win could end in: every box on a target, the player in
// any patch of floor beside a box.
Search::Status Search::beginPulling() {
    start_ = Clock::now();
    table_.assign(1024, 0);
    std::vector<uint16_t> key(stride_);
    size_t boxes = 0;
    for (int cell = 0; cell < int(area_.kind.size()); cell++) {
        if (area_.pairs[cell] == 0 || area_.kind[cell] != openCell) continue;
        boxCount_[cell]++;
        if (boxes + 1 < stride_) key[1 + boxes] = uint16_t(cell);
        boxes++;
    }
    Status status = boxes + 1 == stride_ ? running : exhausted;
    int64_t h = boxes + 1 == stride_ ? bound(&key[1]) : noWin;
    for (size_t i = 1; i < stride_ && h < noWin; i++) {
        for (int d = 0; d < 4; d++) {
            int cell = key[i] + area_.step[d];
            if (area_.kind[cell] != openCell || boxCount_[cell] > 0) continue;
            key[0] = playerKey(cell);
            // A win that shuts the player off from where he must reach is none.
            if (!walkReachesEverySet()) continue;
            uint64_t hash = hashOf(key.data());
            if (find(key.data(), hash) != UINT32_MAX) continue;
            if (!roomFor()) {
                why = "gave up at the limit of memory";
                status = gaveUp;
                break;
            }
            push(insert(key.data(), hash, Node{UINT32_MAX, 0, 0, 0, 0, 0}), h);
        }
    }
    std::fill(boxCount_.begin(), boxCount_.end(), 0);
    return open_.empty() && status == running ? exhausted : status;
}

// `child` becomes `key` with the box on `from` moved to `to` and the player
// on `player`; boxCount_ already has the box moved. The boxes stay sorted:
// one entry changes and slides into place.
void Search::moveInKey(const std::vector<uint16_t>& key, std::vector<uint16_t>& child, int from, int to,
                       int player) {
    std::copy(key.begin(), key.end(), child.begin());
    size_t at = std::find(child.begin() + 1, child.end(), uint16_t(from)) - child.begin();
    child[at] = uint16_t(to);
    while (at + 1 < stride_ && child[at] > child[at + 1]) std::swap(child[at], child[at + 1]), at++;
    while (at > 1 && child[at] < child[at - 1]) std::swap(child[at], child[at - 1]), at--;
    child[0] = keyAfterMove(from, to, player);
}

// The key of the player's patch once a box has gone from `vacated` to
// `filled` out of the position being expanded, the player now on `player`.
// A move takes one cell from the patch and gives it another, with whatever
// floor lies beyond that; no cell of the new patch can be lower than the
// lowest of these. The patch is all of them when the cells round the filled
// one stay linked without it; otherwise a walk finds its lowest, and stops on
// meeting that.
uint16_t Search::keyAfterMove(int vacated, int filled, int player) {
    auto inPatch = [&](int cell) {
        return cell == vacated || (region_.has(cell) && cell != filled);
    };
    if (walkEveryPatch || regionLowest_ < 0 || regionLowest_ == filled || boxCount_[vacated] > 0 || !inPatch(player)) {
        return playerKey(player);
    }
    // The vacated cell may lead to floor the patch had not reached: that
    // floor joins it, and only that is walked.
    bool joined = false;
    int least = std::min(regionLowest_, vacated);
    for (int d = 0; d < 4; d++) {
        int next = vacated + area_.step[d];
        if (next == filled || area_.kind[next] == wallCell || boxCount_[next] > 0) continue;
        if (area_.kind[next] != openCell) return playerKey(player);
        if (region_.has(next)) {
            joined = true;
        } else {
            boxCount_[vacated]++;
            least = std::min(least, flood(next));
            boxCount_[vacated]--;
        }
    }
    if (!region_.has(filled) && joined) return uint16_t(least);
    // Going round the filled cell, its open sides in the patch are linked
    // through the corners between them when there are at least as many
    // links as sides less one.
    const int ring[8] = {area_.step[0], area_.step[0] + area_.step[3], area_.step[3], area_.step[1] + area_.step[3],
                         area_.step[1], area_.step[1] + area_.step[2], area_.step[2], area_.step[0] + area_.step[2]};
    int sides = 0, links = 0, first = -1, second = -1;
    for (int i = 0; i < 8; i += 2) {
        if (!inPatch(filled + ring[i])) continue;
        sides++;
        bool linked = inPatch(filled + ring[i + 1]) && inPatch(filled + ring[(i + 2) % 8]);
        links += linked;
        // A side not linked to the next one ends a run of linked sides.
        if (!linked) (first < 0 ? first : second) = filled + ring[i];
    }
    if (joined && sides > 0 && sides - links <= 1) return uint16_t(least);
    if (joined && sides - links == 2) return uint16_t(splitPatch(first, second, player, least));
    return uint16_t(player == least ? least : flood(player, least));
}

// The lowest cell of the player's patch when the filled cell may have cut
// the patch in two, each part holding one of `one` and `other`: walks from
// both a step at a time. Meeting, the patch is whole; else the part walked
// to its end first is all of one side.
int Search::splitPatch(int one, int other, int player, int least) {
    uint32_t mine[2] = {walked_.fresh(), walked_.fresh()};
    std::vector<int>* queue[2] = {&reached_, &otherSide_};
    int lowest[2] = {one, other};
    size_t at[2] = {0, 0};
    reached_.assign(1, one);
    otherSide_.assign(1, other);
    walked_.stamps[one] = mine[0];
    walked_.stamps[other] = mine[1];
    for (int side = 0;; side ^= 1) {
        std::vector<int>& cells = *queue[side];
        if (at[side] == cells.size()) {
            // This part is all of one side: the player's patch, or the rest.
            if (walked_.stamps[player] == mine[side]) return lowest[side];
            if (walked_.stamps[least] != mine[side]) return least;
            return flood(player);
        }
        int cell = cells[at[side]++];
        for (int d = 0; d < 4; d++) {
            int next = cell + area_.step[d];
            if (walked_.stamps[next] == mine[side] || area_.kind[next] != openCell || boxCount_[next] > 0) continue;
            if (walked_.stamps[next] == mine[side ^ 1]) return least;
            walked_.stamps[next] = mine[side];
            cells.push_back(next);
            lowest[side] = std::min(lowest[side], next);
        }
    }
}

// Stores and queues a position not met before, when there is room for it;
// true when another search has seen it.
bool Search::addNew(const uint16_t* key, uint64_t hash, const Node& node, int64_t h) {
    if (!roomFor()) return false;
    uint32_t made = insert(key, hash, node);
    push(made, h);
    return meets(made, key, hash);
}

// Whether the other search has seen the position `mine` has just reached.
bool Search::meets(uint32_t mine, const uint16_t* key, uint64_t hash) {
    for (Search* other : others) {
        uint32_t theirs = other->find(key, hash);
        if (theirs == UINT32_MAX) continue;
        metWith = other;
        meetMine = mine;
        meetOther = theirs;
        return true;
    }
    return false;
}

bool Search::metSince(uint32_t from) {
    for (uint32_t i = from; i < nodes_.size(); i++) {
        if (meets(i, keys_[i], hashOf(keys_[i]))) return true;
    }
    return false;
}

std::vector<std::pair<int, int>> Search::pushesAt(uint32_t at) {
    std::vector<std::pair<int, int>> steps;
    for (; node(at).parent != UINT32_MAX; at = node(at).parent) {
        const Node& step = node(at);
        if (pulling) {
            // The box was pulled from boxFrom one cell along `direction`:
            // played forwards, it is pushed back the other way.
            steps.emplace_back(step.boxFrom + area_.step[step.direction], step.direction ^ 1);
            continue;
        }
        for (int i = step.length - 1; i >= 0; i--) {
            steps.emplace_back(step.boxFrom + i * area_.step[step.direction], step.direction);
        }
    }
    if (!pulling) std::reverse(steps.begin(), steps.end());
    return steps;
}

Search::Status Search::resume(uint64_t expansions) {
    Clock::time_point start = start_;
    std::vector<uint16_t> key(stride_), child(stride_);
    for (uint64_t done = 0; !open_.empty(); done++) {
        if (done == expansions || (stopWhen && stopWhen->load(std::memory_order_relaxed))) return running;
        // The clock is read at every position: that costs far less than
        // expanding one, and on a large level one expansion can take long.
        // A search stopped by it can be given more time and resumed.
        if (std::chrono::duration<double>(Clock::now() - start).count() > seconds_) {
            why = "gave up at the time limit";
            return gaveUp;
        }
        if (limits_.giveUpWhen && limits_.giveUpWhen->load(std::memory_order_relaxed)) {
            why = "gave up: another search won first";
            return gaveUp;
        }
        uint64_t top = pop();
        uint32_t index = uint32_t(top & 0xFFFFFFFFu);
        uint16_t g = uint16_t(0xFFFF - ((top >> 32) & 0xFFFF));
        if (node(index).closed || node(index).g != g) continue;
        node(index).closed = 1;
        std::copy_n(keys_[index], stride_, key.begin());
        if (isWon(&key[1])) {
            if (leavesAWay(key.data())) {
                pushes = pushesAt(index);
                return found;
            }
            shutIn = true;
        }
        if (++expanded % 64 == 0 && onSlice) onSlice();
        if (nodes_.size() >= limits_.maxStates || g >= 0xFFF0) {
            why = "gave up at the limit of positions";
            return gaveUp;
        }
        if (outOfMemory_) {
            why = "gave up at the limit of memory";
            return gaveUp;
        }
        for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]++;
        int lowest = flood(key[0] & ~exactPlayer);
        int corralFound = area_.everyBoxOnTarget && !area_.stacked && !pulling ? findCorral() : corralNone;
        if (corralFound == corralDead) {
            for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]--;
            continue;
        }
        bool corral = corralFound == corralChosen;
        prunedCorral = prunedCorral || corral;
        std::vector<int> standing = reached_;
        // The children's patches are worked out from this one.
        std::swap(walked_, region_);
        regionLowest_ = key[0] & exactPlayer ? -1 : lowest;
        bool met = false;
        for (int from : standing) {
            for (int d = 0; d < 4 && !met; d++) {
                if (pulling) {
                    // The player on `from` walks on along `d`, pulling the
                    // box behind him onto `from`.
                    int boxCell = from - area_.step[d], ahead = from + area_.step[d];
                    if (boxCount_[boxCell] == 0 || area_.kind[ahead] != openCell || boxCount_[ahead] > 0 ||
                        distances_.nearest[from] == farAway) {
                        continue;
                    }
                    boxCount_[boxCell]--;
                    boxCount_[from]++;
                    moveInKey(key, child, boxCell, from, ahead);
                    uint64_t hash = hashOf(child.data());
                    if (find(child.data(), hash) == UINT32_MAX) {
                        int64_t childBound = bound(&child[1]);
                        if (childBound < noWin) {
                            met = addNew(child.data(), hash,
                                         Node{index, uint16_t(g + 1), uint16_t(boxCell), uint8_t(d), 0, 1}, childBound);
                        }
                    }
                    boxCount_[from]--;
                    boxCount_[boxCell]++;
                    continue;
                }
                int boxCell = from + area_.step[d];
                if (boxCount_[boxCell] == 0) continue;
                if (corral && !fences_.has(boxCell)) continue;
                int beyond = boxCell + area_.step[d];
                if (area_.kind[beyond] == pastTheArea) {
                    leftTheArea = true;
                    continue;
                }
                if (area_.kind[beyond] != openCell || boxCount_[beyond] > 0) continue;
                if (area_.everyBoxOnTarget && distances_.nearest[beyond] == farAway) continue;
                boxCount_[boxCell]--;
                boxCount_[beyond]++;
                // Into a tunnel the box goes on to its end in one move.
                int length = 1, behind = boxCell;
                if (useTunnels && area_.everyBoxOnTarget && !area_.stacked) {
                    for (;;) {
                        int next = beyond + area_.step[d];
                        if (!inTunnel(behind, d) || !inTunnel(beyond, d) || area_.pairs[beyond] > 0 ||
                            area_.kind[next] != openCell || boxCount_[next] > 0 || distances_.nearest[next] == farAway) {
                            break;
                        }
                        boxCount_[beyond]--;
                        boxCount_[next]++;
                        behind = beyond;
                        beyond = next;
                        length++;
                        tookTunnel = true;
                    }
                }
                bool dead = false;
                if (area_.everyBoxOnTarget && !area_.stacked) {
                    bool offTarget = false;
                    dead = frozen(beyond, offTarget) && offTarget;
                }
                if (!dead) {
                    moveInKey(key, child, boxCell, beyond, behind);
                    // The bound, the dearest part, is worked out only for
                    // positions not met before or now reached in fewer pushes.
                    uint16_t childG = uint16_t(g + length);
                    uint64_t hash = hashOf(child.data());
                    uint32_t known = find(child.data(), hash);
                    bool better = known == UINT32_MAX || (!node(known).closed && node(known).g > childG);
                    int64_t childBound = better ? bound(&child[1]) : noWin;
                    if (childBound < noWin) {
                        Node made{index, childG, uint16_t(boxCell), uint8_t(d), 0, uint16_t(length)};
                        if (known == UINT32_MAX) {
                            met = addNew(child.data(), hash, made, childBound);
                        } else if (canGrow(open_)) {
                            node(known) = made;
                            push(known, childBound);
                        }
                    }
                }
                boxCount_[beyond]--;
                boxCount_[boxCell]++;
            }
        }
        for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]--;
        if (met) return found;
    }
    // A position left out for want of room may have led to a win.
    if (outOfMemory_ || droppedSome_) {
        why = "gave up at the limit of memory";
        return gaveUp;
    }
    return exhausted;
}

std::string spellOut(const Area& area, const std::vector<std::pair<int, int>>& pushes) {
    int cells = int(area.kind.size());
    std::vector<uint16_t> boxCount(cells, 0);
    for (uint16_t box : area.boxes) boxCount[box]++;
    int player = area.player;
    std::string letters;
    std::vector<int> cameFrom(cells);
    for (const auto& [boxCell, d] : pushes) {
        int goal = boxCell - area.step[d];
        std::fill(cameFrom.begin(), cameFrom.end(), -1);
        std::vector<int> queue = {player};
        cameFrom[player] = player;
        for (size_t i = 0; i < queue.size() && cameFrom[goal] < 0; i++) {
            for (int e = 0; e < 4; e++) {
                int next = queue[i] + area.step[e];
                if (cameFrom[next] >= 0 || area.kind[next] != openCell || boxCount[next] > 0) continue;
                cameFrom[next] = queue[i];
                queue.push_back(next);
            }
        }
        std::string walk;
        for (int at = goal; at != player && cameFrom[at] >= 0; at = cameFrom[at]) {
            int difference = at - cameFrom[at];
            for (int e = 0; e < 4; e++) {
                if (area.step[e] == difference) walk.push_back(stepLetters[e]);
            }
        }
        letters.append(walk.rbegin(), walk.rend());
        letters.push_back(pushLetters[d]);
        boxCount[boxCell]--;
        boxCount[boxCell + area.step[d]]++;
        player = boxCell;
    }
    return letters;
}

std::vector<std::pair<int, int>> meetingPushes(Search& one, Search& two) {
    Search& saw = one.metWith ? one : two;
    Search& forward = saw.pulling ? *saw.metWith : saw;
    Search& back = saw.pulling ? saw : *saw.metWith;
    std::vector<std::pair<int, int>> pushes = forward.pushesAt(saw.pulling ? saw.meetOther : saw.meetMine);
    std::vector<std::pair<int, int>> rest = back.pushesAt(saw.pulling ? saw.meetMine : saw.meetOther);
    pushes.insert(pushes.end(), rest.begin(), rest.end());
    return pushes;
}

namespace {

// What the search came to, its status `status` from its last run or resume.
SearchRun runOnce(Search& search, const std::function<void()>& onSlice, Search::Status status) {
    search.onSlice = onSlice;
    SearchRun run;
    run.status = status;
    run.pushes = search.pushes;
    run.leftTheArea = search.leftTheArea;
    run.expanded = search.expanded;
    run.seen = search.seen();
    run.peakBytes = search.peakBytes;
    run.why = search.why;
    run.shutIn = search.shutIn;
    return run;
}

// The rooms of the level: the floor split at its narrow places, cells with
// walls on both sides (doors and tunnels), which get no room (-1), nor do
// walls.
std::vector<int> roomsOf(const Area& area) {
    int cells = int(area.kind.size());
    std::vector<int> room(cells, -1);
    auto narrow = [&](int cell) { return betweenWalls(area, cell, 0) || betweenWalls(area, cell, 2); };
    int rooms = 0;
    std::vector<int> queue;
    for (int start : walkableCells(area)) {
        if (room[start] >= 0 || narrow(start)) continue;
        queue.assign(1, start);
        room[start] = rooms;
        for (size_t i = 0; i < queue.size(); i++) {
            for (int d = 0; d < 4; d++) {
                int next = queue[i] + area.step[d];
                if (area.kind[next] != openCell || room[next] >= 0 || narrow(next)) continue;
                room[next] = rooms;
                queue.push_back(next);
            }
        }
        rooms++;
    }
    return room;
}


// Runs `there` on a second core with `search`, while `here` runs on this
// one. `stop` is set once either is done, and ends `search`'s run at its
// next position. The caller's onSlice (drawing, say) is called from this
// thread alone. An exception thrown on either side is thrown again here once
// both are done.
void onSecondCore(Search& search, const std::function<void(const std::atomic<bool>& stop)>& there,
                  const std::function<void(const std::atomic<bool>& stop)>& here) {
    std::function<void()> onSlice = std::move(search.onSlice);
    search.onSlice = nullptr;
    std::atomic<bool> stop{false};
    search.stopWhen = &stop;
    std::exception_ptr failed, failedBeside;
    std::thread beside([&] {
        try {
            there(stop);
        } catch (...) {
            failedBeside = std::current_exception();
        }
        stop = true;
    });
    try {
        here(stop);
    } catch (...) {
        failed = std::current_exception();
    }
    stop = true;
    beside.join();
    search.stopWhen = nullptr;
    search.onSlice = std::move(onSlice);
    if (failed || failedBeside) std::rethrow_exception(failed ? failed : failedBeside);
}

// A turn of the greedy search and the pulling one side by side, the pulling
// one on a second core, until it has expanded `pulls` positions or either
// stops. While both grow neither looks in the other's tables: each may take
// half of what the bound has left, and once both have stopped, the positions
// each stored meanwhile are looked up in the other's table.
void sideBySide(Search& greedy, Search& back, Search* exact, uint64_t maxBytes, uint64_t pulls,
                Search::Status& status, Search::Status& backStatus) {
    std::vector<Search*> greedyOthers = greedy.others, backOthers = back.others;
    std::vector<const Search*> greedySharing = greedy.sharing, backSharing = back.sharing;
    uint64_t exactBytes = exact ? exact->bytes() : 0;
    uint64_t half = (maxBytes - std::min(maxBytes, greedy.bytes() + back.bytes() + exactBytes)) / 2;
    greedy.setAside = back.bytes() + half;
    back.setAside = greedy.bytes() + half;
    greedy.grownTo = greedy.bytes();
    back.grownTo = back.bytes();
    // The exact search no longer grows: the pulling one may look in it.
    greedy.others.clear();
    back.others.clear();
    greedy.sharing.clear();
    back.sharing.clear();
    if (exact) {
        back.others.push_back(exact);
        greedy.sharing.push_back(exact);
        back.sharing.push_back(exact);
    }
    uint32_t greedyFrom = uint32_t(greedy.seen()), backFrom = uint32_t(back.seen());
    // The greedy search goes on in short runs until the pulling one is done.
    // Should either throw, the fields changed here are put back first.
    std::exception_ptr failed;
    try {
        onSecondCore(
            back, [&](const std::atomic<bool>&) { backStatus = back.resume(pulls); },
            [&](const std::atomic<bool>& stop) {
                while (status == Search::running && !stop) status = greedy.resume(64);
            });
    } catch (...) {
        failed = std::current_exception();
    }
    greedy.others = greedyOthers;
    back.others = backOthers;
    greedy.sharing = greedySharing;
    back.sharing = backSharing;
    greedy.setAside = back.setAside = 0;
    // Each search's tables only grew meanwhile, so either's most with the
    // other's last is the most they can have held at once.
    uint64_t together = std::max(greedy.grownTo + back.bytes(), back.grownTo + greedy.bytes()) + exactBytes;
    greedy.peakBytes = std::max(greedy.peakBytes, together);
    back.peakBytes = std::max(back.peakBytes, together);
    if (failed) std::rethrow_exception(failed);
    if (status == Search::running && greedy.metSince(greedyFrom)) {
        status = Search::found;
    } else if (status == Search::running && backStatus == Search::running && back.metSince(backFrom)) {
        backStatus = Search::found;
    }
}

// The greedy search going on on a second core while this one runs
// `alongside`, which returns the most it held. Each has half of the bound;
// `won` is set once the greedy search has won or tried every push, for
// `alongside` to stop at. Where the greedy search has half the bound and
// `alongside` held no more than it returned, the two together never held
// more than the greedy one's most with that.
void greedyBeside(Search& greedy, Search::Status& status, uint64_t maxBytes, std::atomic<bool>& won,
                  const std::function<uint64_t()>& alongside) {
    greedy.setAside = maxBytes - maxBytes / 2;
    greedy.grownTo = greedy.bytes();
    uint64_t held = 0;
    onSecondCore(
        greedy,
        [&](const std::atomic<bool>& stop) {
            while (status == Search::running && !stop) status = greedy.resume(UINT64_MAX);
            if (status == Search::found || status == Search::exhausted) won = true;
        },
        [&](const std::atomic<bool>&) { held = alongside(); });
    greedy.setAside = 0;
    greedy.peakBytes = std::max(greedy.peakBytes, greedy.grownTo + held);
    // Out of its half, it goes on with what the others leave.
    if (status == Search::gaveUp && greedy.outOfMemory()) {
        greedy.moreRoom();
        status = Search::running;
    }
}

// Whether a search for any solution may use a second core: not one bounded
// by positions, which must search the same positions every time.
bool onTwoCores(const SearchLimits& limits) {
    return limits.secondCore && limits.maxStates == UINT64_MAX && std::thread::hardware_concurrency() > 1;
}

// The greedy search from the start: it goes by the bound alone, takes a box
// pushed into a tunnel on through it in one move, and pushes into fenced-off
// patches first.
std::unique_ptr<Search> greedySearch(const Area& area, const Distances& distances, const SearchLimits& limits,
                                     double seconds, const std::function<void()>& onSlice,
                                     const std::vector<std::vector<int>>& mustReach) {
    auto greedy = std::make_unique<Search>(area, distances, limits, seconds, true);
    greedy->useTunnels = true;
    greedy->useCorrals = true;
    greedy->onSlice = onSlice;
    greedy->mustReach = mustReach;
    return greedy;
}

// The greedy search, begun and come to `status`, and, where every target
// must be filled (`backwards`), the one pulling the boxes back from the
// targets, in turns; `exact`, when given, is a search already run whose
// positions the pulling one may meet too. `shortCuts` tells whether some
// move went through a tunnel in one.
SearchRun greedyAndPulling(Search& greedy, Search::Status status, const Area& area, const SearchLimits& limits,
                           double seconds, const std::function<void()>& onSlice, std::unique_ptr<Search>& exact,
                           bool backwards, const std::vector<std::vector<int>>& mustReach, bool& shortCuts) {
    Clock::time_point start = Clock::now();
    auto secondsLeft = [&] {
        return std::max(0.0, seconds - std::chrono::duration<double>(Clock::now() - start).count());
    };
    SearchRun run;
    // The three share the bound on memory, the pulling one with at most
    // a quarter of it. Should that one run out, it and the exact one are
    // let go, and the greedy one goes on with all the memory.
    Distances pullDistances;
    std::unique_ptr<Search> back;
    Search::Status backStatus = Search::exhausted;
    uint64_t backExpanded = 0, backSeen = 0, backPeak = 0;
    if (backwards && status == Search::running) {
        measurePullDistances(area, pullDistances);
        back = std::make_unique<Search>(area, pullDistances, limits, secondsLeft(), true);
        back->pulling = true;
        back->mustReach = mustReach;
        back->onSlice = onSlice;
        back->ownBytes = limits.maxBytes / 4;
        back->others = {&greedy};
        back->sharing = {&greedy};
        greedy.others = {back.get()};
        greedy.sharing = {back.get()};
        if (exact) {
            back->others.push_back(exact.get());
            back->sharing.push_back(exact.get());
            greedy.sharing.push_back(exact.get());
        }
        backStatus = back->beginPulling();
    }
    auto tally = [&] {
        backExpanded = back->expanded;
        backSeen = back->seen();
        backPeak = back->peakBytes;
    };
    // Once let go, the pulling search takes no more turns.
    auto letGo = [&] {
        tally();
        backStatus = Search::gaveUp;
        greedy.others.clear();
        greedy.sharing.clear();
        back.reset();
        exact.reset();
    };
    // On one core the pulling search takes three turns to each of the greedy
    // one's: measured at 2 s and at 20 s on hand-made levels, it wins the
    // levels with rooms of targets sooner and loses next to none that the
    // greedy search wins alone (taking turns one for one won fewer). With a
    // second core it takes its turns there, the greedy one going on all the
    // while.
    constexpr uint64_t turn = 1024, pullingTurns = 3;
    bool twoCores = onTwoCores(limits);
    while (status == Search::running) {
        if (twoCores && backStatus == Search::running) {
            sideBySide(greedy, *back, exact.get(), limits.maxBytes, turn * pullingTurns, status, backStatus);
        } else {
            status = greedy.resume(turn);
            if (status == Search::running && backStatus == Search::running) {
                backStatus = back->resume(turn * pullingTurns);
            }
        }
        // A win of the greedy search's own needs no meeting.
        if ((status == Search::found && greedy.metWith) || (status != Search::found && backStatus == Search::found)) {
            greedy.pushes = meetingPushes(greedy, *back);
            status = Search::found;
        } else if (status == Search::gaveUp && greedy.outOfMemory() && back) {
            letGo();
            greedy.moreRoom();
            status = Search::running;
        } else if (backStatus == Search::gaveUp && back && back->outOfMemory()) {
            letGo();
        }
    }
    run = runOnce(greedy, onSlice, status);
    if (back) tally();
    run.expanded += backExpanded;
    run.seen += backSeen;
    run.peakBytes = std::max(run.peakBytes, backPeak);
    shortCuts = greedy.tookTunnel;
    return run;
}

// The group of a cell: the cell that names it, following `parent` from
// the cell, and shortening the way for the next time.
int groupOf(std::vector<int>& parent, int cell) {
    while (parent[cell] != cell) cell = parent[cell] = parent[parent[cell]];
    return cell;
}

}  // namespace

std::vector<int> firstGroups(const Area& area) {
    int cells = int(area.kind.size());
    std::vector<int> room = roomsOf(area);
    // Every room, and every narrow cell on its own, starts as a group of
    // its own, named by one of its cells.
    std::vector<int> parent(cells);
    for (int cell = 0; cell < cells; cell++) parent[cell] = cell;
    auto root = [&](int cell) { return groupOf(parent, cell); };
    std::vector<int> firstOfRoom(cells, -1);
    for (int cell = 0; cell < cells; cell++) {
        if (room[cell] < 0) continue;
        if (firstOfRoom[room[cell]] < 0) firstOfRoom[room[cell]] = cell;
        parent[cell] = firstOfRoom[room[cell]];
    }
    // A group with more boxes than targets cannot be won alone: it takes in
    // every group on the shortest way to the nearest one with targets to
    // spare, until none is short or none is left to spare any.
    for (bool joined = true; joined;) {
        joined = false;
        std::unordered_map<int, int64_t> spare;  // targets less boxes
        for (int cell = 0; cell < cells; cell++) {
            if (area.kind[cell] == openCell) spare[root(cell)] += area.pairs[cell];
        }
        for (uint16_t box : area.boxes) spare[root(box)]--;
        for (const auto& [group, count] : spare) {
            if (count >= 0) continue;
            std::vector<int> cameFrom(cells, -2), queue;
            for (int cell = 0; cell < cells; cell++) {
                if (area.kind[cell] == openCell && root(cell) == group) {
                    cameFrom[cell] = -1;
                    queue.push_back(cell);
                }
            }
            int found = -1;
            for (size_t i = 0; i < queue.size() && found < 0; i++) {
                for (int d = 0; d < 4 && found < 0; d++) {
                    int next = queue[i] + area.step[d];
                    if (area.kind[next] != openCell || cameFrom[next] != -2) continue;
                    cameFrom[next] = queue[i];
                    queue.push_back(next);
                    if (spare[root(next)] > 0) found = next;
                }
            }
            if (found < 0) continue;
            for (int cell = found; cell >= 0; cell = cameFrom[cell]) parent[root(cell)] = group;
            joined = true;
            break;
        }
    }
    for (int cell = 0; cell < cells; cell++) parent[cell] = root(cell);
    return parent;
}

SearchRun searchRoomByRoom(const Area& area, const SearchLimits& limits, double seconds,
                           const std::function<void()>& onSlice) {
    Clock::time_point start = Clock::now();
    auto secondsLeft = [&] {
        return std::max(0.0, seconds - std::chrono::duration<double>(Clock::now() - start).count());
    };
    SearchRun run;
    run.status = Search::gaveUp;
    run.why = "the rooms could not be won one by one";
    int cells = int(area.kind.size());
    std::vector<int> parent = firstGroups(area);
    auto root = [&](int cell) { return groupOf(parent, cell); };
    // A group that cannot be won after others were is tried first next
    // time; one that cannot be won first, or fails again, takes in the
    // groups that had pushed boxes into its rooms, or else the group of the
    // nearest box not its own. Either way the work starts again from the
    // level's start.
    std::vector<int> order, movedFirst, shutting;
    bool retried = false;
    // Where a group last went without care: should a group after it fail,
    // the work goes back there, and that group takes in the group of the
    // nearest box not its own, won or not.
    struct Before {
        std::vector<uint16_t> boxes;
        int player = 0;
        size_t pushes = 0;
        int group = 0;
        std::vector<int> pushedBy;
    };
    std::optional<Before> beforeCarefree;
    std::unordered_set<int> backedUp;
    // The group whose win pushed the box on each cell, or -1, and for each
    // group that failed, the groups that had pushed boxes into its rooms.
    std::vector<int> pushedBy(cells, -1);
    std::unordered_map<int, std::vector<int>> pushedIn;
    auto rank = [&](int group) {
        auto at = std::find(order.begin(), order.end(), group);
        if (at == order.end()) at = order.insert(order.end(), group);
        return at - order.begin();
    };
    // After a restart the same rooms are searched again from the same
    // start; what a search settled (won, or tried every push) is kept,
    // asked by the boxes, which of them move, the player and the cells
    // he must still reach.
    struct RoomAnswer {
        Search::Status status = Search::gaveUp;
        bool shutIn = false;
        std::vector<std::pair<int, int>> pushes;
    };
    std::unordered_map<uint64_t, RoomAnswer> answers;
    // Groups change only by one taking in another; what was settled for
    // the groups before may not hold for the new ones.
    auto join = [&](int taken, int into) {
        parent[taken] = into;
        answers.clear();
    };
    auto takeInNearest = [&](int group, const std::vector<uint16_t>& boxes) {
        std::vector<uint8_t> hasBox(cells, 0), seen(cells, 0);
        for (uint16_t box : boxes) hasBox[box] = 1;
        std::vector<int> queue;
        for (int cell = 0; cell < cells; cell++) {
            if (area.kind[cell] == openCell && root(cell) == group) {
                queue.push_back(cell);
                seen[cell] = 1;
            }
        }
        for (size_t i = 0; i < queue.size(); i++) {
            int cell = queue[i];
            if (hasBox[cell] && root(cell) != group) {
                join(root(cell), group);
                return true;
            }
            for (int d = 0; d < 4; d++) {
                int next = cell + area.step[d];
                if (area.kind[next] != openCell || seen[next]) continue;
                seen[next] = 1;
                queue.push_back(next);
            }
        }
        return false;
    };
    // The rooms worth winning apart are small: a room's search that holds
    // more positions than this is left to the searches of the whole level.
    SearchLimits roomLimits = limits;
    roomLimits.maxStates = std::min<uint64_t>(limits.maxStates, 30000);
    std::vector<uint16_t> boxes = area.boxes;
    int player = area.player;
    for (;;) {
        std::vector<int> pending, groups;
        for (uint16_t box : boxes) {
            int group = root(box);
            if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
            if (area.pairs[box] == 0 && std::find(pending.begin(), pending.end(), group) == pending.end()) {
                pending.push_back(group);
            }
        }
        if (pending.empty()) break;
        // With work in one room alone, there is nothing to split.
        if (groups.size() < 2 || (pending.size() < 2 && order.empty()) || secondsLeft() <= 0) return run;
        if (limits.giveUpWhen && limits.giveUpWhen->load()) return run;
        for (int group : pending) rank(group);
        std::sort(pending.begin(), pending.end(), [&](int one, int other) { return rank(one) < rank(other); });
        // A group that can only be won by shutting the player in waits
        // while another can be won. When every group still to do waits,
        // each is tried with that care once more (the rooms won meanwhile
        // no longer need a way in), and then the first goes without it.
        int group = -1;
        for (int waiting : pending) {
            if (std::find(shutting.begin(), shutting.end(), waiting) == shutting.end()) {
                group = waiting;
                break;
            }
        }
        if (group < 0 && !retried) {
            shutting.clear();
            retried = true;
        }
        if (group < 0) group = pending[0];
        bool carefree = std::find(shutting.begin(), shutting.end(), group) != shutting.end();
        if (carefree) beforeCarefree = Before{boxes, player, run.pushes.size(), group, pushedBy};
        // The group's boxes alone move; every other box stands as a wall.
        Area part = area;
        part.boxes.clear();
        for (uint16_t box : boxes) {
            if (root(box) == group) {
                part.boxes.push_back(box);
            } else {
                part.kind[box] = wallCell;
                part.pairs[box] = 0;
            }
        }
        part.player = player;
        part.pairsNeeded = int64_t(part.boxes.size());
        // The group's boxes keep to the targets of its own rooms when those
        // are enough for them, leaving the other rooms theirs.
        int64_t own = 0;
        for (int cell = 0; cell < cells; cell++) {
            if (part.pairs[cell] > 0 && root(cell) == group) own += part.pairs[cell];
        }
        if (own >= part.pairsNeeded) {
            for (int cell = 0; cell < cells; cell++) {
                if (part.pairs[cell] > 0 && root(cell) != group) part.pairs[cell] = 0;
            }
        }
        // Its win must leave the player a way to each other group's boxes
        // that he could walk to now, were the group's own boxes out of the
        // way: a group already out of reach is not this one's to shut off.
        std::vector<std::vector<int>> mustReach;
        std::vector<uint8_t> reachable(cells, 0);
        if (!carefree) {
            for (int cell : walkableCells(part)) reachable[cell] = 1;
        }
        for (int other : carefree ? std::vector<int>() : pending) {
            if (other == group) continue;
            std::vector<int> beside;
            bool nowReached = false;
            for (uint16_t box : boxes) {
                if (root(box) != other) continue;
                for (int d = 0; d < 4; d++) {
                    int cell = box + area.step[d];
                    if (part.kind[cell] != openCell) continue;
                    beside.push_back(cell);
                    nowReached = nowReached || reachable[cell];
                }
            }
            if (nowReached) mustReach.push_back(beside);
        }
        uint64_t question = mixed(uint64_t(player) * 2 + carefree);
        for (uint16_t box : boxes) question = mixed(question ^ (uint64_t(box) * 2 + (root(box) == group)));
        for (const std::vector<int>& beside : mustReach) {
            question = mixed(question ^ 0xFFFFFFFFu);
            for (int cell : beside) question = mixed(question ^ uint64_t(cell));
        }
        RoomAnswer answer;
        if (auto known = answers.find(question); known != answers.end()) {
            answer = known->second;
        } else {
            Distances partDistances;
            measureDistances(part, partDistances);
            // Where the room's boxes must fill all its targets, the search
            // pulling them back from the targets helps, as on a whole level.
            int64_t partTargets = 0;
            for (int32_t count : part.pairs) partTargets += count;
            bool backwards = partTargets == int64_t(part.boxes.size());
            std::unique_ptr<Search> noExact;
            bool shortCuts = false;
            double roomSeconds = std::min(secondsLeft() / double(pending.size()), seconds / 4);
            auto greedy = greedySearch(part, partDistances, roomLimits, roomSeconds, onSlice, mustReach);
            SearchRun searched = greedyAndPulling(*greedy, greedy->begin(), part, roomLimits, roomSeconds, onSlice,
                                                  noExact, backwards, mustReach, shortCuts);
            answer = RoomAnswer{searched.status, searched.shutIn, searched.pushes};
            run.expanded += searched.expanded;
            run.seen += searched.seen;
            run.peakBytes = std::max(run.peakBytes, searched.peakBytes);
            if (answer.status == Search::found || answer.status == Search::exhausted) answers[question] = answer;
        }
        if (answer.status == Search::found) {
            std::vector<uint16_t> count(cells, 0);
            for (uint16_t box : boxes) count[box]++;
            for (const auto& [cell, d] : answer.pushes) {
                count[cell]--;
                count[cell + area.step[d]]++;
                pushedBy[cell + area.step[d]] = group;
                player = cell;  // behind the box, where it stood
            }
            run.pushes.insert(run.pushes.end(), answer.pushes.begin(), answer.pushes.end());
            boxes.clear();
            for (int cell = 0; cell < cells; cell++) {
                if (count[cell]) boxes.push_back(uint16_t(cell));
            }
            retried = false;
            continue;
        }
        if (answer.shutIn && !carefree) {
            shutting.push_back(group);
            continue;
        }
        // The groups whose wins pushed boxes into this one's rooms are
        // remembered: should it fail even when won first, it takes them in.
        for (uint16_t box : boxes) {
            if (root(box) == group && pushedBy[box] >= 0) pushedIn[group].push_back(pushedBy[box]);
        }
        if (beforeCarefree && !backedUp.count(root(beforeCarefree->group)) &&
            takeInNearest(root(beforeCarefree->group), beforeCarefree->boxes)) {
            backedUp.insert(root(beforeCarefree->group));
            boxes = beforeCarefree->boxes;
            player = beforeCarefree->player;
            run.pushes.resize(beforeCarefree->pushes);
            pushedBy = beforeCarefree->pushedBy;
            beforeCarefree.reset();
            shutting.clear();
            retried = false;
            continue;
        }
        beforeCarefree.reset();
        bool first = run.pushes.empty();
        if (!first && std::find(movedFirst.begin(), movedFirst.end(), group) == movedFirst.end()) {
            movedFirst.push_back(group);
            order.erase(order.begin() + rank(group));
            order.insert(order.begin(), group);
        } else {
            bool tookIn = false;
            for (int pusher : pushedIn[group]) {
                if (root(pusher) == group) continue;
                join(root(pusher), group);
                tookIn = true;
            }
            if (!tookIn && !takeInNearest(group, boxes)) return run;
        }
        boxes = area.boxes;
        player = area.player;
        run.pushes.clear();
        std::fill(pushedBy.begin(), pushedBy.end(), -1);
        shutting.clear();
        retried = false;
    }
    run.status = Search::found;
    run.why.clear();
    return run;
}

SearchRun searchFewest(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds,
                       const std::function<void()>& onSlice) {
    Search search(area, distances, limits, seconds, false);
    search.useCorrals = true;
    search.onSlice = onSlice;
    SearchRun run = runOnce(search, onSlice, search.run());
    run.fewest = run.status == Search::found;
    return run;
}

SearchRun searchAny(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds,
                    const std::function<void()>& onSlice) {
    // The exact search settles the small levels at once, and some of the
    // game's own (levels 60 and 75) only it settles in time; the greedy
    // search, pushing into closed-off patches first, wins far more hand-made
    // levels. So the exact search has the first 15% of the time and the
    // greedy one the rest. Measured at the hint's 2 s, giving the exact
    // search more time, or taking it up again after the greedy one, won
    // fewer levels.
    constexpr double exactShare = 0.15;
    // Of what is left, the search room by room may take this much when the
    // level has more than one room with work in it.
    constexpr double roomShare = 0.4;
    Clock::time_point start = Clock::now();
    auto secondsLeft = [&] {
        return std::max(0.0, seconds - std::chrono::duration<double>(Clock::now() - start).count());
    };
    // Beside the greedy search, one that pulls the boxes back from the
    // targets, where a room of targets is as easy to empty as it is hard to
    // fill. They take turns, and meet when the pulling one comes to a position
    // the greedy one or the exact one has seen (the exact one is kept for
    // that: it has seen much of what lies round the start), or the greedy one
    // to a position the pulling one has seen. That needs every target filled
    // in the end.
    int64_t targets = 0;
    for (int32_t count : area.pairs) targets += count;
    bool backwards =
        area.everyBoxOnTarget && !area.stacked && area.closed && targets == int64_t(area.boxes.size());
    uint64_t expanded = 0, seen = 0, peakBytes = 0;
    auto addEarlier = [&](SearchRun& run) {
        run.expanded += expanded;
        run.seen += seen;
        run.peakBytes = std::max(run.peakBytes, peakBytes);
        expanded = run.expanded;
        seen = run.seen;
        peakBytes = run.peakBytes;
    };
    auto exact = std::make_unique<Search>(area, distances, limits, seconds * exactShare, false);
    exact->useCorrals = true;
    exact->onSlice = onSlice;
    // The exact search settles the small levels; what it cannot settle is
    // tried room by room on levels of rooms (with at most `roomShare` of the
    // time left). Both run here, and the greedy search all the while beside
    // them where there is a second core.
    bool rooms = area.everyBoxOnTarget && !area.stacked && area.closed;
    SearchRun settled;
    auto exactAndRooms = [&](Search::Status status, const SearchLimits& roomLimits) {
        if (status == Search::running) status = exact->resume(UINT64_MAX);
        settled = runOnce(*exact, onSlice, status);
        settled.fewest = settled.status == Search::found;
        uint64_t held = settled.peakBytes;
        if (settled.status == Search::gaveUp && rooms) {
            SearchLimits left = roomLimits;
            left.maxBytes -= std::min(left.maxBytes, exact->bytes());
            SearchRun byRooms = searchRoomByRoom(area, left, secondsLeft() * roomShare, onSlice);
            byRooms.peakBytes += exact->bytes();  // the exact one's table is held meanwhile
            held = std::max(held, byRooms.peakBytes);
            addEarlier(settled);
            settled = byRooms;
        }
        return held;
    };
    // Beside them the greedy search has half of the bound, and the exact one
    // the other half from the start. A level the exact search settles in its
    // first few thousand positions (most small ones) needs no second core.
    bool twoCores = onTwoCores(limits);
    if (twoCores) exact->setAside = limits.maxBytes - limits.maxBytes / 2;
    Search::Status exactStatus = exact->begin();
    if (exactStatus == Search::running) exactStatus = exact->resume(4096);
    std::unique_ptr<Search> greedy;
    Search::Status status = Search::running;
    if (twoCores && exactStatus == Search::running) {
        greedy = greedySearch(area, distances, limits, secondsLeft(), onSlice, {});
        status = greedy->begin();
        std::atomic<bool> won{false};
        SearchLimits besideLimits = limits;
        besideLimits.maxBytes = limits.maxBytes / 2;
        besideLimits.giveUpWhen = &won;
        greedyBeside(*greedy, status, limits.maxBytes, won,
                     [&] { return exactAndRooms(exactStatus, besideLimits); });
    } else {
        exactAndRooms(exactStatus, limits);
    }
    exact->setAside = 0;
    // A level the exact search settled, or one won room by room.
    if (settled.status != Search::gaveUp) {
        if (greedy) {
            settled.expanded += greedy->expanded;
            settled.seen += greedy->seen();
            settled.peakBytes = std::max(settled.peakBytes, greedy->peakBytes);
        }
        addEarlier(settled);
        return settled;
    }
    addEarlier(settled);
    // Its memory is handed back unless the pulling search can use it.
    if (!backwards || exact->bytes() > limits.maxBytes / 4) exact.reset();
    if (!greedy) {
        greedy = greedySearch(area, distances, limits, secondsLeft(), onSlice, {});
        status = greedy->begin();
    }
    bool shortCuts = false;
    SearchRun run = greedyAndPulling(*greedy, status, area, limits, secondsLeft(), onSlice, exact, backwards, {},
                                     shortCuts);
    greedy.reset();
    exact.reset();
    addEarlier(run);
    // A level is only called lost by a search that tried every push a box
    // in a tunnel could make.
    if (run.status == Search::exhausted && shortCuts) {
        Search every(area, distances, limits, secondsLeft(), true);
        every.useCorrals = true;
        every.onSlice = onSlice;
        run = runOnce(every, onSlice, every.run());
        addEarlier(run);
    }
    return run;
}
