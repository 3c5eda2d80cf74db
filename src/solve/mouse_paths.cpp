// The searches behind the mouse. They work on a yard: the rectangle round the
// player, the boxes, the asked cell and the walls near them, with a border of
// two cells (one to walk round the outside of a board no walls close in, one
// that stops everything), each cell of it open or not.
//
// A box's routes are searched over positions of (the box's cell, the side of
// it the player stands on). Whether the player can walk from one side of the
// box to another is known at once from the blocks of the open cells, the
// parts that stay joined whichever one cell is taken out: two cells beside
// the box are joined round it exactly when their edges to it lie in one
// block. Only the push route, which counts steps, walks the way round.
#include "solve/mouse_paths.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <iterator>
#include <queue>
#include <utility>

#include "solve/board_bounds.h"

namespace {

// Walls farther than this from all that moves are left out, so that one
// stray wall far off cannot make the yard huge.
constexpr int64_t wallReach = 128;
constexpr int64_t maxYardCells = 1 << 18;
constexpr int yardBorder = 2;
const char stepLetters[4] = {'u', 'd', 'l', 'r'};
const char pushLetters[4] = {'U', 'D', 'L', 'R'};

// The four ways in the game's order: up, down, left, right; a way's opposite
// differs in the lowest bit.
int opposite(int way) { return way ^ 1; }

struct Yard {
    int64_t left = 0, top = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> open;  // neither a wall nor a box that stays, nor the border
    int step[4] = {0, 0, 0, 0};

    int cellOf(int64_t x, int64_t y) const { return int((y - top) * width + (x - left)); }
    bool isOpen(int64_t x, int64_t y) const {
        return x >= left && x < left + width && y >= top && y < top + height && open[cellOf(x, y)];
    }
    int cells() const { return int(open.size()); }
};

bool isWallAt(int64_t x, int64_t y) {
    for (const WallPos& wall : board.walls) {
        if (wall.x == x && wall.y == y) return true;
    }
    return false;
}

// The yard for a search. Every box is an obstacle but the one in `movingBox`
// (-1 for none); `asked` is a cell the yard must take in, when given.
// False when what is on the board lies too far apart to search.
bool buildYard(Yard& yard, int movingBox, const GridPos* asked) {
    std::vector<GridPos> also;
    if (asked) also.push_back(*asked);
    const BoardBounds bounds = boundsOfBoard(also, wallReach);
    const int64_t minX = bounds.minX, maxX = bounds.maxX, minY = bounds.minY, maxY = bounds.maxY;
    const int64_t width = maxX - minX + 1 + 2 * yardBorder, height = maxY - minY + 1 + 2 * yardBorder;
    if (width > maxYardCells || height > maxYardCells || width * height > maxYardCells) return false;
    yard.left = minX - yardBorder;
    yard.top = minY - yardBorder;
    yard.width = int(width);
    yard.height = int(height);
    yard.step[0] = -yard.width;
    yard.step[1] = yard.width;
    yard.step[2] = -1;
    yard.step[3] = 1;
    yard.open.assign(size_t(width * height), 1);
    for (int row = 0; row < yard.height; row++) {
        for (int column = 0; column < yard.width; column++) {
            const int64_t x = yard.left + column, y = yard.top + row;
            // The last ring stops everything, and so does the edge of the
            // coordinates, as it does in play.
            const bool border = column == 0 || row == 0 || column == yard.width - 1 || row == yard.height - 1;
            if (border || x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
                yard.open[size_t(row) * size_t(yard.width) + size_t(column)] = 0;
            }
        }
    }
    for (const WallPos& wall : board.walls) {
        if (yard.isOpen(wall.x, wall.y)) yard.open[yard.cellOf(wall.x, wall.y)] = 0;
    }
    int slot = 0;
    for (const GridPos& box : board.boxes) {
        if (slot++ != movingBox && yard.isOpen(box.x, box.y)) yard.open[yard.cellOf(box.x, box.y)] = 0;
    }
    return true;
}

// Breadth-first walks over the open cells of one yard, reusing their marks.
class Walker {
public:
    explicit Walker(const Yard& yard)
        : yard_(yard), seen_(yard.open.size(), 0), cameBy_(yard.open.size(), 0), distance_(yard.open.size(), 0) {}

    // Walks from `from`, never into `blocked` (the cell of the box being
    // moved, or -1), until every cell of `wanted` is reached or no more can be.
    void walk(int from, int blocked, const int* wanted, int count) {
        stamp_++;
        from_ = from;
        queue_.clear();
        queue_.push_back(from);
        seen_[from] = stamp_;
        distance_[from] = 0;
        int missing = 0;
        for (int i = 0; i < count; i++) missing += wanted[i] != from;
        for (size_t i = 0; i < queue_.size() && missing > 0; i++) {
            const int at = queue_[i];
            for (int way = 0; way < 4; way++) {
                const int next = at + yard_.step[way];
                if (seen_[next] == stamp_ || !yard_.open[next] || next == blocked) continue;
                seen_[next] = stamp_;
                distance_[next] = distance_[at] + 1;
                cameBy_[next] = uint8_t(way);
                queue_.push_back(next);
                missing -= int(std::count(wanted, wanted + count, next));
            }
        }
    }
    bool reached(int cell) const { return seen_[cell] == stamp_; }
    int distanceTo(int cell) const { return distance_[cell]; }
    // The steps of the last walk from its start to a cell it reached.
    std::string lettersTo(int cell) const {
        std::string letters;
        for (int at = cell; at != from_; at -= yard_.step[cameBy_[at]]) letters.push_back(stepLetters[cameBy_[at]]);
        std::reverse(letters.begin(), letters.end());
        return letters;
    }

private:
    const Yard& yard_;
    std::vector<uint32_t> seen_;
    std::vector<uint8_t> cameBy_;
    std::vector<int> distance_;
    std::vector<int> queue_;
    uint32_t stamp_ = 0;
    int from_ = 0;
};

// The block of every edge between two open cells, at cell * 4 + way; -1 where
// the neighbour that way is not open. Tarjan's search, with its own stack so
// that a large yard cannot run out of the call stack.
std::vector<int> edgeBlocks(const Yard& yard) {
    const int cells = yard.cells();
    std::vector<int> block(size_t(cells) * 4, -1), order(size_t(cells), 0), low(size_t(cells), 0);
    struct Frame {
        int cell;
        int cameBy;  // the way from the parent, or -1 at a root
        int nextWay;
    };
    std::vector<Frame> frames;
    std::vector<std::pair<int, int>> edges;  // (cell, way), in the order first met
    int clock = 0, blocks = 0;
    for (int root = 0; root < cells; root++) {
        if (!yard.open[root] || order[root]) continue;
        order[root] = low[root] = ++clock;
        frames.push_back({root, -1, 0});
        while (!frames.empty()) {
            Frame& frame = frames.back();
            if (frame.nextWay < 4) {
                const int way = frame.nextWay++;
                const int cell = frame.cell, next = cell + yard.step[way];
                if (!yard.open[next] || (frame.cameBy >= 0 && way == opposite(frame.cameBy))) continue;
                if (!order[next]) {
                    edges.push_back({cell, way});
                    order[next] = low[next] = ++clock;
                    frames.push_back({next, way, 0});
                } else if (order[next] < order[cell]) {
                    edges.push_back({cell, way});
                    low[cell] = std::min(low[cell], order[next]);
                }
                continue;
            }
            const Frame done = frame;
            frames.pop_back();
            if (frames.empty()) break;
            const int parent = frames.back().cell;
            low[parent] = std::min(low[parent], low[done.cell]);
            if (low[done.cell] < order[parent]) continue;
            // The parent cuts everything met from `done` on from the rest: one block.
            for (;;) {
                const auto [cell, way] = edges.back();
                edges.pop_back();
                block[size_t(cell) * 4 + size_t(way)] = blocks;
                block[size_t(cell + yard.step[way]) * 4 + size_t(opposite(way))] = blocks;
                if (cell == parent && way == done.cameBy) break;
            }
            blocks++;
        }
    }
    return block;
}

// What a box search starts from: the yard with the box free to move, the
// box's cell and the sides of it the player can walk to.
struct BoxStart {
    Yard yard;
    int box = 0;
    bool sides[4] = {false, false, false, false};
};

// False when the slot holds no box the player could push: outside the
// slots, inside a wall, on one cell with another box (a push there moves
// the first slot's box), or too far from all else.
bool startBoxSearch(BoxStart& start, int boxSlot, const GridPos* asked) {
    if (boxSlot < 0 || size_t(boxSlot) >= std::size(board.boxes)) return false;
    const GridPos moving = board.boxes[boxSlot];
    if (isWallAt(moving.x, moving.y)) return false;
    int slot = 0;
    for (const GridPos& box : board.boxes) {
        if (slot++ != boxSlot && box.x == moving.x && box.y == moving.y) return false;
    }
    if (!buildYard(start.yard, boxSlot, asked)) return false;
    const Yard& yard = start.yard;
    start.box = yard.cellOf(moving.x, moving.y);
    int wanted[4], count = 0;
    for (int way = 0; way < 4; way++) {
        if (yard.open[start.box - yard.step[way]]) wanted[count++] = start.box - yard.step[way];
    }
    Walker walker(yard);
    walker.walk(yard.cellOf(board.player.x, board.player.y), start.box, wanted, count);
    for (int way = 0; way < 4; way++) {
        const int side = start.box - yard.step[way];
        start.sides[way] = yard.open[side] && walker.reached(side);
    }
    return true;
}

// The block of the edge between a box's cell and the side a push in `way`
// is made from, or -1 when the player cannot stand there.
int sideBlock(const std::vector<int>& blocks, int box, int way) {
    return blocks[size_t(box) * 4 + size_t(opposite(way))];
}

// The fewest pushes from the `seeds` to each position (the box's cell * 4 +
// the way the player stands to push it), or -1 where none lead; walking round
// the box costs nothing. Backwards, the fewest from each position to a seed.
std::vector<int> countPushes(const Yard& yard, const std::vector<int>& blocks, const std::vector<int>& seeds,
                             bool backwards) {
    std::vector<int> pushes(size_t(yard.cells()) * 4, -1);
    std::deque<int> queue;
    auto reach = [&](int position, int count) {
        if (pushes[size_t(position)] >= 0 && pushes[size_t(position)] <= count) return false;
        pushes[size_t(position)] = count;
        return true;
    };
    for (int seed : seeds) {
        if (reach(seed, 0)) queue.push_back(seed);
    }
    while (!queue.empty()) {
        const int position = queue.front();
        queue.pop_front();
        const int box = position / 4, way = position % 4, count = pushes[size_t(position)];
        const int here = sideBlock(blocks, box, way);
        for (int other = 0; other < 4; other++) {
            const int beside = box * 4 + other;
            if (sideBlock(blocks, box, other) == here && reach(beside, count)) queue.push_front(beside);
        }
        // Forwards the box moves on and the player follows into its cell;
        // backwards the box came from the player's cell, pushed from beyond.
        const int next = backwards ? box - yard.step[way] : box + yard.step[way];
        const bool pushable = backwards ? yard.open[next - yard.step[way]] : yard.open[next];
        if (pushable && reach(next * 4 + way, count + 1)) queue.push_back(next * 4 + way);
    }
    return pushes;
}

std::vector<int> startPositions(const BoxStart& start) {
    std::vector<int> positions;
    for (int way = 0; way < 4; way++) {
        if (start.sides[way]) positions.push_back(start.box * 4 + way);
    }
    return positions;
}

}  // namespace

MousePath walkPath(int64_t targetX, int64_t targetY) {
    MousePath path;
    if (board.player.x == targetX && board.player.y == targetY) {
        path.outcome = PathOutcome::alreadyThere;
        return path;
    }
    const GridPos asked = {int32_t(targetX), int32_t(targetY)};
    Yard yard;
    if (targetX != asked.x || targetY != asked.y || !buildYard(yard, -1, &asked)) return path;
    if (!yard.isOpen(targetX, targetY)) return path;
    const int goal = yard.cellOf(targetX, targetY);
    Walker walker(yard);
    walker.walk(yard.cellOf(board.player.x, board.player.y), -1, &goal, 1);
    if (walker.reached(goal)) {
        path.outcome = PathOutcome::found;
        path.moves = walker.lettersTo(goal);
    }
    return path;
}

std::vector<GridPos> pushDestinations(int boxSlot) {
    std::vector<GridPos> destinations;
    BoxStart start;
    if (!startBoxSearch(start, boxSlot, nullptr)) return destinations;
    const Yard& yard = start.yard;
    const std::vector<int> pushes = countPushes(yard, edgeBlocks(yard), startPositions(start), false);
    for (int cell = 0; cell < yard.cells(); cell++) {
        const bool reached = pushes[size_t(cell) * 4] >= 0 || pushes[size_t(cell) * 4 + 1] >= 0 ||
                             pushes[size_t(cell) * 4 + 2] >= 0 || pushes[size_t(cell) * 4 + 3] >= 0;
        if (reached && cell != start.box) {
            destinations.push_back({int32_t(yard.left + cell % yard.width), int32_t(yard.top + cell / yard.width)});
        }
    }
    return destinations;
}

MousePath pushPath(int boxSlot, int64_t targetX, int64_t targetY) {
    MousePath path;
    if (boxSlot < 0 || size_t(boxSlot) >= std::size(board.boxes)) return path;
    if (board.boxes[boxSlot].x == targetX && board.boxes[boxSlot].y == targetY) {
        path.outcome = PathOutcome::alreadyThere;
        return path;
    }
    const GridPos asked = {int32_t(targetX), int32_t(targetY)};
    BoxStart start;
    if (targetX != asked.x || targetY != asked.y || !startBoxSearch(start, boxSlot, &asked)) return path;
    const Yard& yard = start.yard;
    if (!yard.isOpen(targetX, targetY)) return path;
    const int goal = yard.cellOf(targetX, targetY);
    const std::vector<int> blocks = edgeBlocks(yard);

    // First the fewest pushes, counted from the start and back from the
    // goal: a position lies on a route of the fewest pushes exactly when its
    // two counts add up to them. Only those positions are searched for the
    // fewest steps, which the walks round the box between pushes decide.
    const std::vector<int> fromStart = countPushes(yard, blocks, startPositions(start), false);
    std::vector<int> ends;
    int fewest = -1;
    for (int way = 0; way < 4; way++) {
        const int position = goal * 4 + way;
        if (!yard.open[goal - yard.step[way]]) continue;
        ends.push_back(position);
        if (fromStart[size_t(position)] >= 0 && (fewest < 0 || fromStart[size_t(position)] < fewest)) {
            fewest = fromStart[size_t(position)];
        }
    }
    if (fewest < 0) return path;
    const std::vector<int> toGoal = countPushes(yard, blocks, ends, true);
    auto onRoute = [&](int position) {
        const int before = fromStart[size_t(position)], after = toGoal[size_t(position)];
        return before >= 0 && after >= 0 && before + after == fewest;
    };

    // A* over those positions by steps: the pushes still to make are steps
    // still to take, and the search tries first, of equal estimates, the
    // position with the fewest pushes left.
    const size_t positions = size_t(yard.cells()) * 4;
    std::vector<int> steps(positions, INT32_MAX), cameFrom(positions, -1);
    auto estimate = [&](int position, int spent) {
        const uint64_t left = uint64_t(toGoal[size_t(position)]);
        return (uint64_t(spent) + left) << 32 | left;
    };
    using Entry = std::pair<uint64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    Walker walker(yard);
    const int playerCell = yard.cellOf(board.player.x, board.player.y);
    int sides[4], count = 0;
    for (int way = 0; way < 4; way++) {
        if (start.sides[way] && onRoute(start.box * 4 + way)) sides[count++] = start.box - yard.step[way];
    }
    walker.walk(playerCell, start.box, sides, count);
    for (int way = 0; way < 4; way++) {
        const int position = start.box * 4 + way;
        if (!start.sides[way] || !onRoute(position)) continue;
        steps[size_t(position)] = walker.distanceTo(start.box - yard.step[way]);
        open.push({estimate(position, steps[size_t(position)]), position});
    }
    int reached = -1;
    while (!open.empty()) {
        const auto [guess, position] = open.top();
        open.pop();
        const int spent = steps[size_t(position)];
        if (guess != estimate(position, spent)) continue;
        const int box = position / 4, way = position % 4;
        if (box == goal) {
            reached = position;
            break;
        }
        auto offer = [&](int next, int nextSteps) {
            if (!onRoute(next) || nextSteps >= steps[size_t(next)]) return;
            steps[size_t(next)] = nextSteps;
            cameFrom[size_t(next)] = position;
            open.push({estimate(next, nextSteps), next});
        };
        const int ahead = box + yard.step[way];
        if (yard.open[ahead]) offer(ahead * 4 + way, spent + 1);
        // Round the box to the other sides of it on a route, in one walk.
        const int here = sideBlock(blocks, box, way);
        int ways[4];
        count = 0;
        for (int other = 0; other < 4; other++) {
            const int next = box * 4 + other;
            if (other != way && sideBlock(blocks, box, other) == here && onRoute(next) && steps[size_t(next)] > spent) {
                ways[count] = other;
                sides[count++] = box - yard.step[other];
            }
        }
        if (count == 0) continue;
        walker.walk(box - yard.step[way], box, sides, count);
        for (int i = 0; i < count; i++) offer(box * 4 + ways[i], spent + walker.distanceTo(sides[i]));
    }
    if (reached < 0) return path;

    // The letters: the walk to the first side, then each push, and each walk
    // round the box between pushes, as the search took them.
    std::vector<int> route;
    for (int position = reached; position >= 0; position = cameFrom[size_t(position)]) route.push_back(position);
    std::reverse(route.begin(), route.end());
    int side = start.box - yard.step[route.front() % 4];
    walker.walk(playerCell, start.box, &side, 1);
    path.moves = walker.lettersTo(side);
    for (size_t i = 1; i < route.size(); i++) {
        const int box = route[i - 1] / 4, from = route[i - 1] % 4, to = route[i] % 4;
        if (route[i] / 4 != box) {
            path.moves.push_back(pushLetters[from]);
            continue;
        }
        side = box - yard.step[to];
        walker.walk(box - yard.step[from], box, &side, 1);
        path.moves += walker.lettersTo(side);
    }
    path.outcome = PathOutcome::found;
    return path;
}
