// The search over pushes that the level tool's solver and the game's hint
// share, and the picture of the level it works on. Only src/solve uses it.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "rules/moves.h"
#include "solve/solver.h"

// What a cell of the searched area is to the player and the boxes.
enum CellKind : uint8_t { openCell, wallCell, pastTheArea };

constexpr uint16_t farAway = 0xFFFF;  // no way for a box to get there
constexpr int64_t noWin = INT64_MAX / 4;  // the bound of a position that cannot be won

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
    // True for game coordinates within the frame of pastTheArea cells.
    bool inside(int64_t x, int64_t y) const {
        return x > left && x < left + width - 1 && y > top && y < top + height - 1;
    }
    int64_t columnOf(int cell) const { return left + cell % width; }
};

// The open cells the player could walk to from his start if no box stood
// in the way, in order: the level's floor within its walls.
std::vector<int> walkableCells(const Area& area);

// Builds the area from the Board, or says why the board cannot be searched.
bool buildArea(Area& area, std::string& why);
// Builds the area straight from a level's rows in the common notation ('#'
// wall, '$' box, '.' target, '*' box on target, '@' player, '+' player on
// target, anything else floor), of any size the cell numbers hold: every box
// must end on a target. Says why when the rows cannot be searched.
bool buildAreaFromRows(Area& area, const std::vector<std::string>& rows, std::string& why);

// Push distances that ignore the other boxes: from every cell to every target
// cell, a box moving wherever a player could stand behind it.
struct Distances {
    std::vector<int> targets;                  // cells with pairs; pulling, the boxes' starting cells
    std::vector<uint16_t> toTarget;            // [cell * targets.size() + target]
    std::vector<uint16_t> nearest;             // to any target
    std::vector<int64_t> mostPairs;            // the most pairs a box from here could ever stand on
};

void measureDistances(const Area& area, Distances& distances);
// The same for a search that pulls boxes back from the targets to the start:
// from every cell to each box's starting cell, the box pulled by a player
// walking ahead of it.
void measurePullDistances(const Area& area, Distances& distances);

// A box is frozen when it can move along neither line: each is held by a
// wall, by a frozen box, or (when `deadCellsHold`) by dead cells on both
// sides. The box looked at is taken for a wall meanwhile, so two boxes holding
// each other are both frozen. `offTarget` is set when a frozen box of the
// group stands off target. `boxCount` holds the boxes on each cell; `mark` is
// scratch of the area's size, all zero, and left so.
bool isFrozen(const Area& area, const Distances& distances, const std::vector<uint16_t>& boxCount,
              std::vector<uint8_t>& mark, bool deadCellsHold, int cell, bool& offTarget);

using Clock = std::chrono::steady_clock;

// A growing table of entries of `width` items each, kept in blocks of at most
// `blockBytes` (or one entry): growing adds a block and never copies what is
// stored, so the search's memory bound holds positions, not room to move them.
template <typename T>
class Blocks {
public:
    void reset(size_t width, uint64_t blockBytes) {
        width_ = width;
        shift_ = 0;
        while ((uint64_t(2) << shift_) * width * sizeof(T) <= blockBytes) shift_++;
        blocks_.clear();
        size_ = 0;
    }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    uint64_t bytes() const { return blocks_.size() * blockBytes(); }
    uint64_t blockBytes() const { return (uint64_t(1) << shift_) * width_ * sizeof(T); }
    // Whether the next entry needs another block.
    bool full() const { return size_ == (blocks_.size() << shift_); }
    T* operator[](size_t i) { return &blocks_[i >> shift_][(i & ((size_t(1) << shift_) - 1)) * width_]; }
    const T* operator[](size_t i) const {
        return &blocks_[i >> shift_][(i & ((size_t(1) << shift_) - 1)) * width_];
    }
    T* append() {
        if (full()) blocks_.emplace_back(new T[(size_t(1) << shift_) * width_]);
        return (*this)[size_++];
    }
    void dropLast() { size_--; }

private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    size_t width_ = 1, shift_ = 0, size_ = 0;
};

// Marks on the cells of the area that a walk leaves: a cell is marked when it
// holds the walk's stamp, so each walk takes a fresh stamp instead of
// clearing, and only when the stamps run out are the marks cleared.
struct CellMarks {
    std::vector<uint32_t> stamps;
    uint32_t stamp = 0;  // the latest walk's

    void reset(size_t cells) {
        stamps.assign(cells, 0);
        stamp = 0;
    }
    uint32_t fresh() {
        if (stamp == UINT32_MAX) reset(stamps.size());
        return ++stamp;
    }
    bool has(int cell) const { return stamps[cell] == stamp; }  // marked by the latest walk
};

class Search {
public:
    enum Status { found, exhausted, gaveUp, running };

    Search(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds, bool greedy)
        : area_(area), distances_(distances), limits_(limits), seconds_(seconds), greedy_(greedy) {
        int cells = int(area.kind.size());
        boxCount_.assign(cells, 0);
        walked_.reset(cells);
        region_.reset(cells);
        frozenMark_.assign(cells, 0);
        corralMark_.assign(cells, 0);
        fences_.reset(cells);
        stride_ = area.boxes.size() + 1;
        // Blocks of a mebibyte, or less under a small bound.
        uint64_t block = std::clamp<uint64_t>(limits.maxBytes / 64, 4096, uint64_t(1) << 20);
        nodes_.reset(1, block);
        keys_.reset(stride_, block);
        open_.reset(1, block);
        int64_t targets = 0;
        for (int32_t count : area.pairs) targets += count;
        noSpareTargets_ = targets == int64_t(area.boxes.size());
        // Patches past the level's walls never want work.
        inside_ = walkableCells(area);
    }

    Status run();
    // run's two halves: setting out from the start, and expanding up to
    // `expansions` positions, `running` when it stopped only for that count.
    // A search stopped by the clock goes on from where it was, with more time.
    void setSeconds(double seconds) { seconds_ = seconds; }
    Status resume(uint64_t expansions);
    Status begin();
    uint64_t seen() const { return nodes_.size(); }
    // The bytes the search's tables hold now, and the most they ever held at
    // once together with the tables of the searches sharing its bound.
    uint64_t bytes() const;
    uint64_t peakBytes = 0;

    std::vector<std::pair<int, int>> pushes;  // (box cell, direction) from the start
    uint64_t expanded = 0;
    bool leftTheArea = false;  // the player could have walked past the searched area
    std::string why;
    // Called at every look at the clock, a few hundred times a second: lets
    // the caller show that the search is still going.
    std::function<void()> onSlice;
    // Pushes still needed count this many times over pushes made: above 1
    // the search heads for a win sooner and no longer proves the fewest.
    int64_t boundWeight = 1;
    // A box pushed into a one-wide tunnel goes on to its end, or to a target
    // in it, in one move: the player behind it has nothing else to do there.
    // Not for the fewest pushes, which it does not keep.
    bool useTunnels = false;
    bool tookTunnel = false;  // some move went more than one push
    // Where the player cannot reach a patch of floor that still wants work,
    // and every push of the boxes round it goes into it and can be made now,
    // only those pushes are tried: whatever else is pushed first, one of them
    // must come some time, and the rest can wait. Moved to the front, that
    // push leaves the count of pushes as it was, so the fewest pushes are
    // kept, and a search that runs out of positions still proves the level
    // lost.
    bool useCorrals = false;
    bool prunedCorral = false;  // some position had its pushes cut so
    // Cells of which the player must be able to reach one of each set when
    // the boxes are won; a win that shuts him off is not one, and sets shutIn.
    std::vector<std::vector<int>> mustReach;
    bool shutIn = false;

    // The player's patch after each move is worked out from the one before
    // where it can be; set, it is walked every time, as a check on that.
    bool walkEveryPatch = false;

    // A search that runs backwards: from every box on a target it pulls
    // boxes, with the pull distances as its bound, and never wins by itself.
    // Set before beginPulling, which stands in for begin.
    bool pulling = false;
    Status beginPulling();
    // Searches that look in each other's tables meet when one makes a
    // position another has seen: `found`, with meetMine and meetOther the
    // two positions, and metWith the search that had seen it.
    std::vector<Search*> others;
    Search* metWith = nullptr;
    uint32_t meetMine = UINT32_MAX, meetOther = UINT32_MAX;
    // The pushes that lead from the start to the position `node` or, in a
    // pulling search, from `node` to the win.
    std::vector<std::pair<int, int>> pushesAt(uint32_t node);
    // Whether a position this search stored from the `from`th on is one of
    // the others' (set up as meets does): for searches that ran side by side
    // on two cores, looking in each other's tables only once both stopped.
    bool metSince(uint32_t from);
    // Set by another thread, it ends resume's run at the next position, as
    // if its count were done.
    const std::atomic<bool>* stopWhen = nullptr;

    // Searches whose tables count against this one's bound too, and the
    // most this one's own may hold.
    std::vector<const Search*> sharing;
    // Bytes that count against the bound besides `sharing`'s: a search
    // running beside this one on another core is given its share this way
    // instead of being looked at while it grows. `grownTo` is the most this
    // search's own tables have held.
    uint64_t setAside = 0, grownTo = 0;
    uint64_t ownBytes = UINT64_MAX;
    bool outOfMemory() const { return outOfMemory_; }
    // Lets a search that ran out of memory go on once others have let theirs
    // go; having left positions out, it no longer proves a level lost.
    void moreRoom() { outOfMemory_ = false; }

private:
    struct Node {
        uint32_t parent;
        uint16_t g;
        uint16_t boxFrom;
        uint8_t direction;
        uint8_t closed;
        uint16_t length;  // pushes of the one box the one way, through a tunnel
    };

    int flood(int from, int enough = -1);
    uint16_t playerKey(int cell);
    uint16_t keyAfterMove(int vacated, int filled, int player);
    int splitPatch(int one, int other, int player, int least);
    int64_t bound(const uint16_t* boxes);
    int64_t matching(const uint16_t* boxes, int n);
    bool frozen(int cell, bool& offTarget);
    bool inTunnel(int cell, int d) const;
    enum { corralNone, corralChosen, corralDead };
    int findCorral();
    bool corralIsDead(uint32_t patch, int player);
    bool searchCorral(uint32_t patch, int player, const std::vector<uint16_t>& boxes);
    bool isWon(const uint16_t* boxes) const;
    bool leavesAWay(const uint16_t* key);
    bool walkReachesEverySet() const;
    uint32_t find(const uint16_t* key, uint64_t hash) const;
    uint32_t findIn(const std::vector<uint32_t>& table, const uint16_t* key, uint64_t hash) const;
    void place(uint32_t index, uint64_t hash);
    void moveSome(size_t count);
    uint64_t hashOf(const uint16_t* key) const;
    uint32_t insert(const uint16_t* key, uint64_t hash, const Node& node);
    void push(uint32_t node, int64_t h);
    uint64_t pop();
    bool roomFor();
    bool addNew(const uint16_t* key, uint64_t hash, const Node& node, int64_t h);
    bool meets(uint32_t mine, const uint16_t* key, uint64_t hash);
    void moveInKey(const std::vector<uint16_t>& key, std::vector<uint16_t>& child, int from, int to, int player);
    uint64_t sharedBytes() const;
    bool fits(uint64_t peak);
    template <typename T>
    bool canGrow(const Blocks<T>& table);
    Node& node(size_t i) { return *nodes_[i]; }

    const Area& area_;
    const Distances& distances_;
    SearchLimits limits_;
    double seconds_;
    bool greedy_;
    size_t stride_;
    std::vector<uint16_t> boxCount_;  // boxes on each cell: the Board lets them share one
    CellMarks walked_;
    // The patch the player could reach in the position being expanded: its
    // cells, and its lowest cell; -1 when unknown.
    CellMarks region_;
    int regionLowest_ = -1;
    std::vector<int> reached_, otherSide_;
    std::vector<uint8_t> frozenMark_;
    std::vector<uint32_t> corralMark_;  // stamps counted on from the position's first patch
    uint32_t corralStamp_ = 0;
    CellMarks fences_;
    std::vector<int> corral_, patchFence_, fence_, inside_;
    // A position where some patch the player cannot reach wants work and can
    // never be opened is lost, and dropped; what the small searches found is
    // kept here, so many positions with the same patch cost one search.
    std::vector<uint64_t> corralAnswers_;
    std::vector<uint16_t> smallCount_, smallKeys_;
    CellMarks small_;
    std::unordered_set<uint64_t> smallSeen_;
    bool noSpareTargets_ = false;  // an empty target means a box must come to it
    Blocks<Node> nodes_;
    Blocks<uint16_t> keys_;
    std::vector<uint32_t> table_;  // node + 1, or 0 for an empty slot
    // The table before it last doubled, while its positions below toMove_
    // are moved from moved_ on.
    std::vector<uint32_t> oldTable_;
    size_t moved_ = 0, toMove_ = 0;
    Blocks<uint64_t> open_;  // a heap, lowest first
    bool outOfMemory_ = false, droppedSome_ = false;
    Clock::time_point start_;
    std::vector<const uint16_t*> costRow_;  // each box's distances to the targets
    std::vector<int64_t> rowPotential_, columnPotential_, minimum_;
    std::vector<int> match_, way_;
    std::vector<uint8_t> used_, placed_;
};

// The pushes from the start to the win through the position where a search
// from the start and one pulling from the targets met, whichever of them saw
// the other's position.
std::vector<std::pair<int, int>> meetingPushes(Search& one, Search& two);

// What one of the two searches below came to.
struct SearchRun {
    Search::Status status = Search::exhausted;
    std::vector<std::pair<int, int>> pushes;
    bool leftTheArea = false;
    bool fewest = false;  // found by the exact search: no solution has fewer pushes
    bool shutIn = false;  // some win shut the player off from where he must reach
    uint64_t expanded = 0, seen = 0, peakBytes = 0;
    std::string why;
};

// The fewest pushes, proven: A* with the bound taken as it is.
SearchRun searchFewest(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds,
                       const std::function<void()>& onSlice = {});
// Some solution, as soon as may be, not proven fewest: what the hint and
// `solve --any` use. Having found nothing, it still proves a level lost.
SearchRun searchAny(const Area& area, const Distances& distances, const SearchLimits& limits, double seconds,
                    const std::function<void()>& onSlice = {});

// The groups of cells a level is first won in, room by room: each cell's
// group, named by one of its cells. Rooms are the floor split at doors and
// tunnels, every narrow cell a group of its own; a group with more boxes
// than targets takes in the groups on the way to the nearest one with
// targets to spare.
std::vector<int> firstGroups(const Area& area);

// Some solution, won one room at a time: the boxes of one room are pushed
// onto targets while every other box stands still, then the next room's.
// Rooms are the floor split at doors and tunnels; a room's boxes keep to its
// own targets when it has enough. A room's win must leave the player a way
// to the rooms still to do that he can reach, unless it cannot, when it
// waits until last; a room that cannot be won so is tried first next time,
// or takes in the rooms that pushed boxes into it, or else the room of the
// nearest box, and the work starts again. Gives up, never calling a level
// lost, when every box has come into one room or the time is out.
SearchRun searchRoomByRoom(const Area& area, const SearchLimits& limits, double seconds,
                           const std::function<void()>& onSlice = {});

// Turns the pushes into letters: before each push the player walks the
// shortest way to the cell behind the box.
std::string spellOut(const Area& area, const std::vector<std::pair<int, int>>& pushes);
