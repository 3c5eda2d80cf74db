// The solver searches over pushes: between two pushes the player walks
// wherever the walls and boxes let him, so a position is the boxes plus the
// patch of floor the player can reach. A* orders the positions by pushes made
// plus a lower bound on the pushes still needed.
//
// It keeps the game's rules exactly, oddities included: a box moves when the
// cell beyond holds neither a wall nor another box, there is no edge to the
// board but walls, and the level is won when the box-on-target pairs, counted
// over every slot as the game counts them, equal boxesToPlace. The prunings
// that assume more (that every box must end on its own target, or that the
// player stays within walls) are only used on boards where that holds.
#include "solve/solver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <queue>
#include <vector>

#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"

namespace {

// What a cell of the searched area is to the player and the boxes.
enum CellKind : uint8_t { openCell, wallCell, pastTheArea };

constexpr uint16_t farAway = 0xFFFF;  // no way for a box to get there
constexpr uint16_t exactPlayer = 0x8000;  // the player stands where he cannot come back to
constexpr int maxAreaCells = 30000;
constexpr int64_t noWin = INT64_MAX / 4;  // the bound of a position that cannot be won

const char stepLetters[4] = {'u', 'd', 'l', 'r'};
const char pushLetters[4] = {'U', 'D', 'L', 'R'};

// The level as the search sees it: a rectangle around everything that moves
// or counts, two cells wider on each side so the player can walk round the
// outside of an open board, and framed by a ring of pastTheArea cells.
struct Area {
    int64_t left = 0, top = 0;  // game coordinates of cell 0
    int width = 0, height = 0;
    std::vector<uint8_t> kind;
    std::vector<int32_t> pairs;  // target slots on the cell, when its column counts
    int step[4] = {0, 0, 0, 0};  // up, down, left, right
    std::vector<uint16_t> boxes;  // sorted cells of the boxes that can be moved
    int player = 0;
    int64_t pairsNeeded = 0;  // boxesToPlace less the pairs of boxes that never move
    bool closed = false;      // walls keep the player inside the area
    bool prunable = false;    // closed, and the player starts on an open cell
    bool everyBoxOnTarget = false;  // the only wins put every box on a target of one pair
    bool stacked = false;           // two boxes share a cell, or the player starts on one

    int cellOf(int64_t x, int64_t y) const { return int((y - top) * width + (x - left)); }
    int64_t columnOf(int cell) const { return left + cell % width; }
};

// Builds the area from the Board, or says why the board cannot be searched.
bool buildArea(Area& area, std::string& why) {
    int64_t minX = board.player.x, maxX = board.player.x, minY = board.player.y, maxY = board.player.y;
    auto include = [&](int64_t x, int64_t y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };
    for (const GridPos& box : board.boxes) include(box.x, box.y);
    for (const GridPos& target : board.targets) {
        if (target.x > 0) include(target.x, target.y);
    }
    // Walls close to all that are taken in too, so the room's own walls lie
    // inside the area; far-off ones cannot matter before the player gets
    // past the area anyway.
    constexpr int64_t wallReach = 40;
    int64_t nearMinX = minX - wallReach, nearMaxX = maxX + wallReach;
    int64_t nearMinY = minY - wallReach, nearMaxY = maxY + wallReach;
    for (const WallPos& wall : board.walls) {
        if (wall.x >= nearMinX && wall.x <= nearMaxX && wall.y >= nearMinY && wall.y <= nearMaxY) {
            include(wall.x, wall.y);
        }
    }
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
    area.step[0] = -area.width;
    area.step[1] = area.width;
    area.step[2] = -1;
    area.step[3] = 1;
    for (int cell = 0; cell < cells; cell++) {
        int column = cell % area.width, row = cell / area.width;
        int64_t x = area.left + column, y = area.top + row;
        if (column == 0 || row == 0 || column == area.width - 1 || row == area.height - 1) {
            area.kind[cell] = pastTheArea;
        } else if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
            area.kind[cell] = wallCell;  // the edge of the coordinates stops everything
        }
    }
    auto inside = [&](int64_t x, int64_t y) {
        return x > area.left && x < area.left + area.width - 1 && y > area.top && y < area.top + area.height - 1;
    };
    for (const WallPos& wall : board.walls) {
        if (inside(wall.x, wall.y)) area.kind[area.cellOf(wall.x, wall.y)] = wallCell;
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

    // Closed when the player, walking through everything but walls, never
    // reaches the frame.
    std::vector<uint8_t> seen(cells, 0);
    std::vector<int> queue = {area.player};
    seen[area.player] = 1;
    area.closed = true;
    for (size_t i = 0; i < queue.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int next = queue[i] + area.step[d];
            if (seen[next]) continue;
            seen[next] = 1;
            if (area.kind[next] == pastTheArea) area.closed = false;
            if (area.kind[next] == openCell) queue.push_back(next);
        }
    }
    area.prunable = area.closed && area.kind[area.player] == openCell;
    bool singlePairs = true;
    for (int32_t count : area.pairs) {
        if (count > 1) singlePairs = false;
    }
    area.everyBoxOnTarget = area.prunable && singlePairs && area.pairsNeeded == int64_t(area.boxes.size());
    return true;
}

// Push distances that ignore the other boxes: from every cell to every target
// cell, a box moving wherever a player could stand behind it.
struct Distances {
    std::vector<int> targets;                  // cells with pairs
    std::vector<std::vector<uint16_t>> toTarget;  // [target][cell]
    std::vector<uint16_t> nearest;             // to any target
    std::vector<int64_t> mostPairs;            // the most pairs a box from here could ever stand on
};

void measureDistances(const Area& area, Distances& distances) {
    int cells = int(area.kind.size());
    distances.nearest.assign(cells, farAway);
    distances.mostPairs.assign(cells, 0);
    if (!area.prunable) return;
    for (int cell = 0; cell < cells; cell++) {
        if (area.pairs[cell] > 0 && area.kind[cell] == openCell) distances.targets.push_back(cell);
    }
    for (int target : distances.targets) {
        std::vector<uint16_t> dist(cells, farAway);
        std::vector<int> queue = {target};
        dist[target] = 0;
        for (size_t i = 0; i < queue.size(); i++) {
            int cell = queue[i];
            for (int d = 0; d < 4; d++) {
                // The box came from `from`, pushed by a player standing at `behind`.
                int from = cell - area.step[d];
                int behind = from - area.step[d];
                if (area.kind[from] != openCell || area.kind[behind] != openCell || dist[from] != farAway) continue;
                dist[from] = uint16_t(dist[cell] + 1);
                queue.push_back(from);
            }
        }
        for (int cell = 0; cell < cells; cell++) {
            if (dist[cell] == farAway) continue;
            distances.nearest[cell] = std::min(distances.nearest[cell], dist[cell]);
            distances.mostPairs[cell] = std::max(distances.mostPairs[cell], int64_t(area.pairs[target]));
        }
        distances.toTarget.push_back(std::move(dist));
    }
}

using Clock = std::chrono::steady_clock;

class Search {
public:
    enum Status { found, exhausted, gaveUp };

    Search(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds, bool greedy)
        : area_(area), distances_(distances), limits_(limits), seconds_(seconds), greedy_(greedy) {
        int cells = int(area.kind.size());
        boxCount_.assign(cells, 0);
        mark_.assign(cells, 0);
        frozenMark_.assign(cells, 0);
        stride_ = area.boxes.size() + 1;
    }

    Status run();
    uint64_t seen() const { return nodes_.size(); }

    std::vector<std::pair<int, int>> pushes;  // (box cell, direction) from the start
    uint64_t expanded = 0;
    bool leftTheArea = false;  // the player could have walked past the searched area
    std::string why;

private:
    struct Node {
        uint32_t parent;
        uint16_t g;
        uint16_t boxFrom;
        uint8_t direction;
        uint8_t closed;
    };

    int flood(int from);
    uint16_t playerKey(int cell);
    int64_t bound(const uint16_t* boxes);
    int64_t matching(const uint16_t* boxes, int n);
    bool frozen(int cell, bool& offTarget);
    bool axisHeld(int cell, int one, int other, bool& offTarget);
    bool isWon(const uint16_t* boxes) const;
    uint32_t find(const uint16_t* key, uint64_t hash) const;
    uint64_t hashOf(const uint16_t* key) const;
    uint32_t insert(const uint16_t* key, uint64_t hash, const Node& node);
    void push(uint32_t node, int64_t h);

    const Area& area_;
    const Distances& distances_;
    SearchLimits limits_;
    double seconds_;
    bool greedy_;
    size_t stride_;
    std::vector<uint8_t> boxCount_;
    std::vector<uint32_t> mark_;
    uint32_t stamp_ = 0;
    std::vector<int> reached_;
    std::vector<uint8_t> frozenMark_;
    std::vector<Node> nodes_;
    std::vector<uint16_t> keys_;
    std::vector<uint32_t> table_;  // node + 1, or 0 for an empty slot
    std::priority_queue<uint64_t, std::vector<uint64_t>, std::greater<uint64_t>> open_;
    std::vector<int64_t> cost_, rowPotential_, columnPotential_, minimum_;
    std::vector<int> match_, way_;
    std::vector<uint8_t> used_;
};

// Marks every cell the player can walk to from `from` without pushing, lists
// them in reached_, and returns the lowest.
int Search::flood(int from) {
    ++stamp_;
    reached_.clear();
    reached_.push_back(from);
    mark_[from] = stamp_;
    int lowest = from;
    for (size_t i = 0; i < reached_.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int next = reached_[i] + area_.step[d];
            if (mark_[next] == stamp_) continue;
            if (area_.kind[next] == pastTheArea) {
                leftTheArea = true;
                continue;
            }
            if (area_.kind[next] == wallCell || boxCount_[next] > 0) continue;
            mark_[next] = stamp_;
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

bool Search::isWon(const uint16_t* boxes) const {
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
    cost_.assign(size_t(n + 1) * (m + 1), 0);
    for (int i = 0; i < n; i++) {
        if (distances_.nearest[boxes[i]] == farAway) return noWin;
        for (int j = 0; j < m; j++) {
            uint16_t d = distances_.toTarget[j][boxes[i]];
            cost_[size_t(i + 1) * (m + 1) + j + 1] = d == farAway ? unreachableCost : d;
        }
    }
    rowPotential_.assign(n + 1, 0);
    columnPotential_.assign(m + 1, 0);
    match_.assign(m + 1, 0);
    way_.assign(m + 1, 0);
    for (int i = 1; i <= n; i++) {
        match_[0] = i;
        int j0 = 0;
        minimum_.assign(m + 1, INT64_MAX);
        used_.assign(m + 1, 0);
        do {
            used_[j0] = 1;
            int i0 = match_[j0], j1 = 0;
            int64_t delta = INT64_MAX;
            for (int j = 1; j <= m; j++) {
                if (used_[j]) continue;
                int64_t reduced = cost_[size_t(i0) * (m + 1) + j] - rowPotential_[i0] - columnPotential_[j];
                if (reduced < minimum_[j]) {
                    minimum_[j] = reduced;
                    way_[j] = j0;
                }
                if (minimum_[j] < delta) {
                    delta = minimum_[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= m; j++) {
                if (used_[j]) {
                    rowPotential_[match_[j]] += delta;
                    columnPotential_[j] -= delta;
                } else {
                    minimum_[j] -= delta;
                }
            }
            j0 = j1;
        } while (match_[j0] != 0);
        do {
            int j1 = way_[j0];
            match_[j0] = match_[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    int64_t total = -columnPotential_[0];
    return total >= unreachableCost ? noWin : total;
}

// A box is frozen when it can move along neither line: each is held by a
// wall, by dead cells on both sides, or by a frozen box. The box looked at is
// taken for a wall meanwhile, so two boxes holding each other are both
// frozen. `offTarget` is set when a frozen box of the group stands off target.
bool Search::frozen(int cell, bool& offTarget) {
    frozenMark_[cell] = 1;
    bool groupOff = false;
    bool held = axisHeld(cell, area_.step[2], area_.step[3], groupOff) &&
                axisHeld(cell, area_.step[0], area_.step[1], groupOff);
    frozenMark_[cell] = 0;
    if (!held) return false;
    if (groupOff || area_.pairs[cell] == 0) offTarget = true;
    return true;
}

bool Search::axisHeld(int cell, int one, int other, bool& offTarget) {
    int a = cell + one, b = cell + other;
    if (area_.kind[a] != openCell || frozenMark_[a] || area_.kind[b] != openCell || frozenMark_[b]) return true;
    if (distances_.nearest[a] == farAway && distances_.nearest[b] == farAway) return true;
    bool off = false;
    if (boxCount_[a] > 0 && frozen(a, off)) {
        offTarget = offTarget || off;
        return true;
    }
    off = false;
    if (boxCount_[b] > 0 && frozen(b, off)) {
        offTarget = offTarget || off;
        return true;
    }
    return false;
}

uint64_t Search::hashOf(const uint16_t* key) const {
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < stride_; i++) {
        hash ^= key[i];
        hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 29);
}

uint32_t Search::find(const uint16_t* key, uint64_t hash) const {
    size_t mask = table_.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        uint32_t entry = table_[slot];
        if (entry == 0) return UINT32_MAX;
        if (std::memcmp(&keys_[size_t(entry - 1) * stride_], key, stride_ * sizeof(uint16_t)) == 0) return entry - 1;
    }
}

uint32_t Search::insert(const uint16_t* key, uint64_t hash, const Node& node) {
    if ((nodes_.size() + 1) * 2 > table_.size()) {
        std::vector<uint32_t> bigger(table_.size() * 2, 0);
        size_t mask = bigger.size() - 1;
        for (uint32_t entry : table_) {
            if (entry == 0) continue;
            size_t slot = hashOf(&keys_[size_t(entry - 1) * stride_]) & mask;
            while (bigger[slot] != 0) slot = (slot + 1) & mask;
            bigger[slot] = entry;
        }
        table_.swap(bigger);
    }
    uint32_t index = uint32_t(nodes_.size());
    nodes_.push_back(node);
    keys_.insert(keys_.end(), key, key + stride_);
    size_t mask = table_.size() - 1;
    size_t slot = hash & mask;
    while (table_[slot] != 0) slot = (slot + 1) & mask;
    table_[slot] = index + 1;
    return index;
}

// Queues a node: lowest estimate first and, among equals, the one with the
// most pushes made, which is nearer a win. The greedy search looks at the
// estimate of pushes still needed alone.
void Search::push(uint32_t node, int64_t h) {
    uint64_t g = nodes_[node].g;
    uint64_t f = std::min<uint64_t>(uint64_t(greedy_ ? h : int64_t(g) + h), 0xFFFF);
    open_.push((f << 48) | ((0xFFFF - g) << 32) | node);
}

Search::Status Search::run() {
    Clock::time_point start = Clock::now();
    table_.assign(1024, 0);
    std::vector<uint16_t> key(stride_), child(stride_);
    for (size_t i = 0; i + 1 < stride_; i++) boxCount_[area_.boxes[i]]++;
    key[0] = playerKey(area_.player);
    std::copy(area_.boxes.begin(), area_.boxes.end(), key.begin() + 1);
    int64_t h = bound(&key[1]);
    for (size_t i = 0; i + 1 < stride_; i++) boxCount_[area_.boxes[i]]--;
    if (h >= noWin && !isWon(&key[1])) return exhausted;
    push(insert(key.data(), hashOf(key.data()), Node{UINT32_MAX, 0, 0, 0, 0}), h);

    while (!open_.empty()) {
        uint64_t top = open_.top();
        open_.pop();
        uint32_t index = uint32_t(top & 0xFFFFFFFFu);
        uint16_t g = uint16_t(0xFFFF - ((top >> 32) & 0xFFFF));
        if (nodes_[index].closed || nodes_[index].g != g) continue;
        nodes_[index].closed = 1;
        std::copy_n(&keys_[size_t(index) * stride_], stride_, key.begin());
        if (isWon(&key[1])) {
            for (uint32_t at = index; nodes_[at].parent != UINT32_MAX; at = nodes_[at].parent) {
                pushes.emplace_back(nodes_[at].boxFrom, nodes_[at].direction);
            }
            std::reverse(pushes.begin(), pushes.end());
            return found;
        }
        if (++expanded % 512 == 0) {
            double spent = std::chrono::duration<double>(Clock::now() - start).count();
            if (spent > seconds_) {
                why = "gave up at the time limit";
                return gaveUp;
            }
        }
        if (nodes_.size() >= limits_.maxStates || g >= 0xFFF0) {
            why = "gave up at the limit of positions";
            return gaveUp;
        }
        for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]++;
        flood(key[0] & ~exactPlayer);
        std::vector<int> standing = reached_;
        for (int from : standing) {
            for (int d = 0; d < 4; d++) {
                int boxCell = from + area_.step[d];
                if (boxCount_[boxCell] == 0) continue;
                int beyond = boxCell + area_.step[d];
                if (area_.kind[beyond] == pastTheArea) {
                    leftTheArea = true;
                    continue;
                }
                if (area_.kind[beyond] != openCell || boxCount_[beyond] > 0) continue;
                if (area_.everyBoxOnTarget && distances_.nearest[beyond] == farAway) continue;
                boxCount_[boxCell]--;
                boxCount_[beyond]++;
                bool dead = false;
                if (area_.everyBoxOnTarget && !area_.stacked) {
                    bool offTarget = false;
                    dead = frozen(beyond, offTarget) && offTarget;
                }
                if (!dead) {
                    // The boxes stay sorted: one entry changes and slides into place.
                    std::copy(key.begin(), key.end(), child.begin());
                    size_t at = std::find(child.begin() + 1, child.end(), uint16_t(boxCell)) - child.begin();
                    child[at] = uint16_t(beyond);
                    while (at + 1 < stride_ && child[at] > child[at + 1]) std::swap(child[at], child[at + 1]), at++;
                    while (at > 1 && child[at] < child[at - 1]) std::swap(child[at], child[at - 1]), at--;
                    child[0] = playerKey(boxCell);
                    int64_t childBound = bound(&child[1]);
                    if (childBound < noWin) {
                        uint16_t childG = uint16_t(g + 1);
                        uint64_t hash = hashOf(child.data());
                        uint32_t known = find(child.data(), hash);
                        Node node{index, childG, uint16_t(boxCell), uint8_t(d), 0};
                        if (known == UINT32_MAX) {
                            push(insert(child.data(), hash, node), childBound);
                        } else if (!nodes_[known].closed && nodes_[known].g > childG) {
                            nodes_[known] = node;
                            push(known, childBound);
                        }
                    }
                }
                boxCount_[beyond]--;
                boxCount_[boxCell]++;
            }
        }
        for (size_t i = 1; i < stride_; i++) boxCount_[key[i]]--;
    }
    return exhausted;
}

// Turns the pushes into letters: before each push the player walks the
// shortest way to the cell behind the box.
std::string spellOut(const Area& area, const std::vector<std::pair<int, int>>& pushes) {
    int cells = int(area.kind.size());
    std::vector<uint8_t> boxCount(cells, 0);
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

const Direction& directionOf(char letter) {
    switch (letter) {
        case 'u': case 'U': return moveUp;
        case 'd': case 'D': return moveDown;
        case 'l': case 'L': return moveLeft;
        default: return moveRight;
    }
}

}  // namespace

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
        if (!tryMove(directionOf(letter), nullptr)) {
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
