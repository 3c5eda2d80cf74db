// The level reader fed arbitrary bytes, as a player may hand the game any file
// in place of a level. Beyond not crashing, the reader must leave the Board in
// a state the rest of the game can rely on:
//  - the player stands on the start cell, facing down;
//  - the floor and the counters of the game in progress are untouched;
//  - names hold no whitespace, and a missing name means nothing after it was read;
//  - whatever was read, written back out as a level file, reads back the same.
#include <cstring>
#include <sstream>

#include "files/level_file.h"
#include "fuzz_check.h"
#include "rules/board.h"
#include "rules/completion.h"

namespace {

// A Board as a level in the middle of a game leaves it, with values that no
// fresh read produces, so that anything the reader forgot to set shows up.
void dirtyBoard() {
    for (int i = 0; i < floorCells; i++) board.layout.floor[i] = i % 3;
    board.layout.currentLevelFile = "before";
    board.layout.nextLevelFile = "before-next";
    for (int i = 0; i < boxSlots; i++) board.boxes[i] = {i, -i};
    for (int i = 0; i < targetSlots; i++) board.targets[i] = {-i, i};
    for (int i = 0; i < wallSlots; i++) board.walls[i] = {i, i, 7};
    board.player = {11, 12, 13, 14, 'x'};
    board.levelNumber = 41;
    board.stepsTaken = 4000000000u;
    board.timesPushed = 3;
    board.boxesToPlace = -5;
    for (int i = 0; i < headerValues; i++) board.unusedHeader[i] = 100 + i;
}

// The Board's level as the game's files write it: six header values, the two
// names, the start cell, then every wall, box and target slot.
std::string levelTextOf(const Board& b) {
    std::ostringstream out;
    for (int i = 0; i < headerValues; i++) out << (i == boxesToPlaceHeader ? b.boxesToPlace : b.unusedHeader[i]) << ' ';
    out << '\n' << b.layout.currentLevelFile << '\n' << b.layout.nextLevelFile << '\n';
    out << b.player.startX << ' ' << b.player.startY << '\n';
    for (const WallPos& w : b.walls) out << w.x << ' ' << w.y << '\n';
    for (const GridPos& p : b.boxes) out << p.x << ' ' << p.y << '\n';
    for (const GridPos& p : b.targets) out << p.x << ' ' << p.y << '\n';
    return out.str();
}

bool sameLevel(const Board& a, const Board& b) {
    if (a.boxesToPlace != b.boxesToPlace || a.layout.currentLevelFile != b.layout.currentLevelFile ||
        a.layout.nextLevelFile != b.layout.nextLevelFile || a.player.startX != b.player.startX ||
        a.player.startY != b.player.startY) {
        return false;
    }
    for (int i = 0; i < headerValues; i++) {
        if (i != boxesToPlaceHeader && a.unusedHeader[i] != b.unusedHeader[i]) return false;
    }
    for (int i = 0; i < wallSlots; i++) {
        if (a.walls[i].x != b.walls[i].x || a.walls[i].y != b.walls[i].y) return false;
    }
    for (int i = 0; i < boxSlots; i++) {
        if (a.boxes[i].x != b.boxes[i].x || a.boxes[i].y != b.boxes[i].y) return false;
    }
    for (int i = 0; i < targetSlots; i++) {
        if (a.targets[i].x != b.targets[i].x || a.targets[i].y != b.targets[i].y) return false;
    }
    return true;
}

bool everySlotFree() {
    for (const WallPos& w : board.walls) {
        if (w.x != unusedSlot || w.y != unusedSlot) return false;
    }
    for (const GridPos& p : board.boxes) {
        if (p.x != unusedSlot || p.y != unusedSlot) return false;
    }
    for (const GridPos& p : board.targets) {
        if (p.x != unusedSlot || p.y != unusedSlot) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dirtyBoard();
    const Board before = board;
    std::istringstream in(bytesOf(data, size));
    readLevel(in);

    require(board.player.x == board.player.startX && board.player.y == board.player.startY,
            "the player stands on the start cell");
    require(board.player.facing == 'd', "the player faces down");
    require(std::memcmp(board.layout.floor, before.layout.floor, sizeof board.layout.floor) == 0,
            "the floor is not the reader's to change");
    require(board.levelNumber == before.levelNumber && board.stepsTaken == before.stepsTaken &&
                board.timesPushed == before.timesPushed,
            "the counters of the game in progress are kept");
    require(isSingleToken(board.layout.currentLevelFile) && isSingleToken(board.layout.nextLevelFile),
            "a name is a single token");
    if (board.layout.currentLevelFile.empty() || board.layout.nextLevelFile.empty()) {
        require(board.layout.nextLevelFile.empty(), "no name is read after a missing one");
        require(board.player.startX == 0 && board.player.startY == 0 && everySlotFree(),
                "nothing after a missing name is read");
        return 0;
    }
    isLevelComplete();

    const Board firstRead = board;
    std::istringstream again(levelTextOf(firstRead));
    dirtyBoard();
    readLevel(again);
    require(sameLevel(board, firstRead), "the level written back out reads back the same");
    return 0;
}
