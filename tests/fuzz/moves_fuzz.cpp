// A level followed by moves. The input is read as a level file; every byte the
// reader left behind is one move (u, d, l, r in either case, any other byte by
// its value). After every move, what the rules always promise is checked:
//  - the figure faces the way it was sent;
//  - a refused move changes nothing else, and had a reason: a wall, the edge of
//    the coordinates, or a box that could not go on;
//  - a move takes the player exactly one cell and counts one step, never onto
//    a wall; a player found on a wall has not moved since the level put it there;
//  - a push moves exactly one box, the one in front, by one cell onto a cell
//    that held neither wall nor box, counts one push and plays one sound;
//    a move that pushes nothing leaves every box where it was;
//  - walls, targets and the level never change;
//  - isLevelComplete agrees with a plain recount of boxes on targets.
#include <algorithm>
#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

#include "files/level_file.h"
#include "fuzz_check.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/moves.h"

namespace {

// A long input is a long game; beyond this many moves an input only repeats.
constexpr size_t movesPerInput = 1024;

const Direction& directionOf(uint8_t byte) {
    switch (byte) {
        case 'u': case 'U': return moveUp;
        case 'd': case 'D': return moveDown;
        case 'l': case 'L': return moveLeft;
        case 'r': case 'R': return moveRight;
        default: break;
    }
    static const Direction* const all[] = {&moveUp, &moveDown, &moveLeft, &moveRight};
    return *all[byte % 4];
}

bool sameCell(const GridPos& a, const GridPos& b) { return a.x == b.x && a.y == b.y; }

// The cell one step from (x, y), or false when it lies beyond the 32-bit coordinates.
bool stepFrom(int32_t x, int32_t y, const Direction& d, GridPos& cell) {
    int64_t nx = int64_t(x) + d.dx, ny = int64_t(y) + d.dy;
    if (nx < INT32_MIN || nx > INT32_MAX || ny < INT32_MIN || ny > INT32_MAX) return false;
    cell = {int32_t(nx), int32_t(ny)};
    return true;
}

bool wallOn(const GridPos& cell) {
    for (const WallPos& w : board.walls) {
        if (w.x == cell.x && w.y == cell.y) return true;
    }
    return false;
}

bool boxOn(const GridPos* boxes, const GridPos& cell) {
    for (int i = 0; i < boxSlots; i++) {
        if (sameCell(boxes[i], cell)) return true;
    }
    return false;
}

// The target cells, sorted, with a cell listed once per target slot on it.
// Targets never move, so this is made once per level.
std::vector<std::pair<int32_t, int32_t>> sortedTargets() {
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (const GridPos& t : board.targets) cells.push_back({t.x, t.y});
    std::sort(cells.begin(), cells.end());
    return cells;
}

// Boxes on targets, counted as the game counts them: every box-target pair on
// one cell, in any column right of column 0.
bool completeByRecount(const std::vector<std::pair<int32_t, int32_t>>& targets) {
    int64_t pairs = 0;
    for (const GridPos& b : board.boxes) {
        if (b.x <= 0) continue;
        auto same = std::equal_range(targets.begin(), targets.end(), std::make_pair(b.x, b.y));
        pairs += same.second - same.first;
    }
    return pairs == board.boxesToPlace;
}

// Why a move the rules refused could not be made.
bool refusalHasReason(const PlayerState& player, const GridPos* boxes, const Direction& d) {
    GridPos ahead = {0, 0}, beyond = {0, 0};
    if (!stepFrom(player.x, player.y, d, ahead) || wallOn(ahead)) return true;
    if (!boxOn(boxes, ahead)) return false;
    return !stepFrom(ahead.x, ahead.y, d, beyond) || wallOn(beyond) || boxOn(boxes, beyond);
}

void checkMove(const Direction& d, const MoveResult& result, const PlayerState& player, const GridPos* boxes,
               uint32_t steps, uint32_t pushes) {
    const bool moved = bool(result);
    require(board.player.facing == d.facing, "the figure faces the way it was sent");
    int boxesMoved = 0, movedBox = -1;
    for (int i = 0; i < boxSlots; i++) {
        if (!sameCell(board.boxes[i], boxes[i])) boxesMoved++, movedBox = i;
    }
    if (!moved) {
        require(board.player.x == player.x && board.player.y == player.y, "a refused move leaves the player");
        require(boxesMoved == 0, "a refused move leaves every box");
        require(board.stepsTaken == steps && board.timesPushed == pushes, "a refused move counts nothing");
        require(result.box == -1, "a refused move names no box");
        require(refusalHasReason(player, boxes, d), "a move is refused only for a wall, the edge or a stuck box");
        return;
    }
    GridPos ahead = {0, 0};
    require(stepFrom(player.x, player.y, d, ahead), "a move stays within the coordinates");
    require(board.player.x == ahead.x && board.player.y == ahead.y, "a move takes the player one cell");
    require(board.stepsTaken == steps + 1u, "a move counts one step");
    require(!wallOn(ahead), "a move never ends on a wall");
    if (boxesMoved == 0) {
        require(!boxOn(boxes, ahead), "walking onto a box pushes it");
        require(board.timesPushed == pushes && result.outcome == MoveOutcome::stepped && result.box == -1,
                "a walk counts no push and says it stepped");
        return;
    }
    require(boxesMoved == 1, "a push moves exactly one box");
    require(sameCell(boxes[movedBox], ahead), "the box pushed is the one in front");
    GridPos beyond = {0, 0};
    require(stepFrom(ahead.x, ahead.y, d, beyond) && sameCell(board.boxes[movedBox], beyond),
            "a pushed box moves one cell the same way");
    require(!wallOn(beyond), "a box is never pushed onto a wall");
    require(!boxOn(boxes, beyond), "a box is never pushed onto another box");
    require(board.timesPushed == pushes + 1u, "a push counts one push");
    require(result.outcome == MoveOutcome::pushed && result.box == movedBox, "a push says so and names its box");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(bytesOf(data, size));
    readLevel(in);
    // The reader may have stopped anywhere, failed or not; its buffer knows where.
    std::streamoff levelEnd = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
    size_t first = levelEnd < 0 ? size : size_t(levelEnd);

    // Counters close to the top of their range, so that long games wrap them.
    board.stepsTaken = 0xFFFFFF00u;
    board.timesPushed = 0xFFFFFFF0u;
    const Board level = board;
    bool playerHasMoved = false;
    const auto targets = sortedTargets();
    require(isLevelComplete() == completeByRecount(targets), "isLevelComplete agrees with a recount");

    size_t last = size - first > movesPerInput ? first + movesPerInput : size;
    for (size_t i = first; i < last; i++) {
        const Direction& d = directionOf(data[i]);
        const PlayerState player = board.player;
        const std::vector<GridPos> boxes = board.boxes;
        const uint32_t steps = board.stepsTaken, pushes = board.timesPushed;

        const MoveResult result = tryMove(d);
        const bool moved = bool(result);
        checkMove(d, result, player, boxes.data(), steps, pushes);
        playerHasMoved = playerHasMoved || moved;
        GridPos standing = {board.player.x, board.player.y};
        require(!wallOn(standing) || (!playerHasMoved && board.player.x == level.player.startX &&
                                      board.player.y == level.player.startY),
                "the player stands on a wall only where the level put it");
        require(isLevelComplete() == completeByRecount(targets), "isLevelComplete agrees with a recount");
    }
    require(board.walls == level.walls, "walls never move");
    require(board.targets == level.targets, "targets never move");
    require(board.boxesToPlace == level.boxesToPlace && board.layout.currentLevelFile == level.layout.currentLevelFile &&
                board.layout.nextLevelFile == level.layout.nextLevelFile,
            "moves leave the level itself alone");
    return 0;
}
