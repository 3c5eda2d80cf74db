// Rooms drawn in rectangles and straight runs, walled up wherever floor would
// serve nothing, and positions found by pulling boxes back off their targets:
// breadth first, so each position's depth is the fewest pushes that win it,
// or best first, to reach positions further away than that can.
#include "levels/yard_maker.h"

#include <algorithm>
#include <queue>
#include <unordered_set>

namespace {

bool inside(const Room& room, int x, int y) { return x > 0 && y > 0 && x < room.width - 1 && y < room.height - 1; }

int wallsAround(const Room& room, int cell) {
    int walls = 0;
    for (int d = 0; d < 4; d++) walls += room.wall[cell + room.step[d]];
    return walls;
}

// Every floor cell joined to `from`, ignoring the cell `without` (-1 for none).
int floodCount(const Room& room, int from, int without, std::vector<uint8_t>& seen) {
    seen.assign(room.wall.size(), 0);
    if (from == without || !room.isFloor(from)) return 0;
    std::vector<int> queue = {from};
    seen[from] = 1;
    for (size_t i = 0; i < queue.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int next = queue[i] + room.step[d];
            if (seen[next] || !room.isFloor(next) || next == without) continue;
            seen[next] = 1;
            queue.push_back(next);
        }
    }
    return int(queue.size());
}

// Walls up every floor cell outside the largest patch of joined floor.
void keepLargestPatch(Room& room) {
    std::vector<uint8_t> seen, best;
    int bestSize = 0;
    std::vector<uint8_t> counted(room.wall.size(), 0);
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (!room.isFloor(cell) || counted[cell]) continue;
        int size = floodCount(room, cell, -1, seen);
        for (size_t c = 0; c < seen.size(); c++) counted[c] |= seen[c];
        if (size > bestSize) {
            bestSize = size;
            best = seen;
        }
    }
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (room.isFloor(cell) && !best[cell]) room.wall[cell] = 1;
    }
}

// Whether walling up the floor cell would split the rest of the floor.
bool holdsFloorTogether(const Room& room, int cell) {
    int first = -1, neighbours = 0;
    for (int d = 0; d < 4; d++) {
        int next = cell + room.step[d];
        if (!room.isFloor(next)) continue;
        neighbours++;
        if (first < 0) first = next;
    }
    if (neighbours < 2) return false;
    std::vector<uint8_t> seen;
    return floodCount(room, first, cell, seen) != room.floorCount() - 1;
}

// Marks a cell no box can push its way from to a target.
constexpr int noTarget = 1 << 20;

// Pushes from each cell to the nearest target, each box alone in the room:
// pulled back from every target while a player has room behind it.
// `noTarget` where a box cannot reach any.
std::vector<int> pushDistances(const Room& room, const std::vector<int>& targets) {
    std::vector<int> distance(room.wall.size(), noTarget);
    std::vector<int> queue;
    for (int t : targets) {
        if (distance[t] == noTarget) queue.push_back(t);
        distance[t] = 0;
    }
    for (size_t i = 0; i < queue.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int from = queue[i] - room.step[d];
            int behind = from - room.step[d];
            if (distance[from] != noTarget || !room.isFloor(from) || !room.isFloor(behind)) continue;
            distance[from] = distance[queue[i]] + 1;
            queue.push_back(from);
        }
    }
    return distance;
}

// Cells a box can stand on and still reach a target, each box alone in the room.
std::vector<uint8_t> liveCells(const Room& room, const std::vector<int>& targets) {
    std::vector<int> distance = pushDistances(room, targets);
    std::vector<uint8_t> live(distance.size(), 0);
    for (size_t cell = 0; cell < distance.size(); cell++) live[cell] = distance[cell] != noTarget;
    return live;
}

// Whether the player, standing on the cell, can push a box from one cell
// where it can still win to another.
bool pushesFrom(const Room& room, const std::vector<uint8_t>& live, int cell) {
    for (int d = 0; d < 4; d++) {
        int box = cell + room.step[d];
        int beyond = box + room.step[d];
        if (beyond >= 0 && beyond < int(live.size()) && live[box] && live[beyond]) return true;
    }
    return false;
}

// Why the floor cell serves nothing, or "" when it serves. `holding` marks
// cells with a target, a box or the player on them.
const char* idleReason(const Room& room, const std::vector<uint8_t>& holding, const std::vector<uint8_t>& live,
                       int cell) {
    if (!room.isFloor(cell) || holding[cell]) return "";
    if (wallsAround(room, cell) >= 3) return "a dead end";
    if (!live[cell] && !pushesFrom(room, live, cell) && !holdsFloorTogether(room, cell)) {
        return "floor that serves nothing";
    }
    return "";
}

// Corners of the outline between floor and the rest: four for a plain
// rectangle, two more for every notch or bend.
int outlineCorners(const Room& room) {
    int corners = 0;
    for (int y = 0; y + 1 < room.height; y++) {
        for (int x = 0; x + 1 < room.width; x++) {
            int a = room.isFloor(y * room.width + x), b = room.isFloor(y * room.width + x + 1);
            int c = room.isFloor((y + 1) * room.width + x), d = room.isFloor((y + 1) * room.width + x + 1);
            int floor = a + b + c + d;
            if (floor == 1 || floor == 3) corners++;
            if (floor == 2 && a == d) corners += 2;
        }
    }
    return corners;
}

// Which walls are drawn: those touching floor along a side or a corner.
std::vector<uint8_t> shownWalls(const Room& room) {
    std::vector<uint8_t> shown(room.wall.size(), 0);
    for (int y = 0; y < room.height; y++) {
        for (int x = 0; x < room.width; x++) {
            if (!room.wall[y * room.width + x]) continue;
            for (int dy = -1; dy <= 1; dy++) {
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && nx < room.width && ny >= 0 && ny < room.height && room.isFloor(ny * room.width + nx)) {
                        shown[y * room.width + x] = 1;
                    }
                }
            }
        }
    }
    return shown;
}

// Whether one or two cells that are neither floor nor drawn wall lie between
// two drawn walls in a line: a gap or a notch in a run of wall.
bool hasGapInWall(const Room& room, const std::vector<uint8_t>& shown) {
    auto drawn = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < room.width && y < room.height && shown[y * room.width + x];
    };
    auto blank = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < room.width && y < room.height && !room.isFloor(y * room.width + x) &&
               !shown[y * room.width + x];
    };
    for (int y = 0; y < room.height; y++) {
        for (int x = 0; x < room.width; x++) {
            if (!blank(x, y)) continue;
            if (drawn(x - 1, y) && (drawn(x + 1, y) || (blank(x + 1, y) && drawn(x + 2, y)))) return true;
            if (drawn(x, y - 1) && (drawn(x, y + 1) || (blank(x, y + 1) && drawn(x, y + 2)))) return true;
        }
    }
    return false;
}

// Whether a cell that is neither floor nor a drawn wall is shut in by drawn
// walls; the game draws it as floor the player can never reach.
bool hasShutInCell(const Room& room, const std::vector<uint8_t>& shown) {
    int width = room.width + 2, height = room.height + 2;  // a ring of open cells round the room
    auto open = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= room.width || y >= room.height) return true;
        int cell = y * room.width + x;
        return room.wall[cell] && !shown[cell];
    };
    std::vector<uint8_t> seen(width * height, 0);
    std::vector<std::pair<int, int>> queue = {{-1, -1}};
    seen[0] = 1;
    const int dx[4] = {0, 0, -1, 1}, dy[4] = {-1, 1, 0, 0};
    for (size_t i = 0; i < queue.size(); i++) {
        for (int d = 0; d < 4; d++) {
            int x = queue[i].first + dx[d], y = queue[i].second + dy[d];
            if (x < -1 || y < -1 || x > room.width || y > room.height) continue;
            if (seen[(y + 1) * width + (x + 1)] || !open(x, y)) continue;
            seen[(y + 1) * width + (x + 1)] = 1;
            queue.emplace_back(x, y);
        }
    }
    for (int y = 0; y < room.height; y++) {
        for (int x = 0; x < room.width; x++) {
            if (open(x, y) && !seen[(y + 1) * width + (x + 1)]) return true;
        }
    }
    return false;
}

// A position while pulling: the boxes' cells sorted, then the lowest cell of
// the player's patch of floor, two bytes each.
std::string keyOf(std::vector<int> boxes, int player) {
    std::sort(boxes.begin(), boxes.end());
    std::string key;
    for (int b : boxes) key.append({char(b & 0xFF), char(b >> 8)});
    key.append({char(player & 0xFF), char(player >> 8)});
    return key;
}

struct Puller {
    const Room& room;
    std::vector<uint8_t> box;
    std::vector<int> reached;
    std::vector<uint32_t> mark;
    uint32_t stamp = 0;

    explicit Puller(const Room& r) : room(r), box(r.wall.size(), 0), mark(r.wall.size(), 0) {}

    // Lists in `reached` where the player can walk from `from`; returns the lowest.
    int flood(int from) {
        ++stamp;
        reached.assign(1, from);
        mark[from] = stamp;
        int lowest = from;
        for (size_t i = 0; i < reached.size(); i++) {
            for (int d = 0; d < 4; d++) {
                int next = reached[i] + room.step[d];
                if (mark[next] == stamp || room.wall[next] || box[next]) continue;
                mark[next] = stamp;
                reached.push_back(next);
                lowest = std::min(lowest, next);
            }
        }
        return lowest;
    }

    // The solved positions: the boxes on their targets and the player in
    // any patch of floor he could have finished in. `visit` gets the lowest
    // cell of each patch.
    template <typename Visit>
    void forEachFinish(const std::vector<int>& targets, Visit visit) {
        for (int t : targets) box[t] = 1;
        std::vector<uint8_t> seen(room.wall.size(), 0);
        for (int cell = 0; cell < int(room.wall.size()); cell++) {
            if (room.wall[cell] || box[cell] || seen[cell]) continue;
            int lowest = flood(cell);
            for (int c : reached) seen[c] = 1;
            visit(lowest);
        }
        for (int t : targets) box[t] = 0;
    }

    // Every position one pull away: the player, standing anywhere he can
    // walk to, pulls the box beside him as he steps back. `visit` gets the
    // boxes after the pull and the lowest cell of the player's patch.
    template <typename Visit>
    void forEachPull(const std::vector<int>& boxes, int player, Visit visit) {
        for (int b : boxes) box[b] = 1;
        flood(player);
        std::vector<int> standing = reached;
        for (int p : standing) {
            for (int d = 0; d < 4; d++) {
                int boxCell = p + room.step[d];
                int back = p - room.step[d];
                if (!box[boxCell] || room.wall[back] || box[back]) continue;
                std::vector<int> moved = boxes;
                *std::find(moved.begin(), moved.end(), boxCell) = p;
                box[boxCell] = 0;
                box[p] = 1;
                int lowest = flood(back);
                box[p] = 0;
                box[boxCell] = 1;
                visit(moved, lowest);
            }
        }
        for (int b : boxes) box[b] = 0;
    }
};

using Position = std::pair<std::vector<int>, int>;  // boxes, player

}  // namespace

int roll(Dice& dice, int count) { return count <= 1 ? 0 : int(dice() % uint32_t(count)); }

void Room::reset(int columns, int rows) {
    width = columns;
    height = rows;
    wall.assign(size_t(columns) * rows, 1);
    step[0] = -columns;
    step[1] = columns;
    step[2] = -1;
    step[3] = 1;
}

int Room::floorCount() const { return int(std::count(wall.begin(), wall.end(), uint8_t(0))); }

Room buildRoom(Dice& dice, int width, int height) {
    Room room;
    room.reset(width, height);
    int inner = width - 2, tall = height - 2;
    int rectangles = 2 + roll(dice, 3);
    for (int r = 0; r < rectangles; r++) {
        for (int attempt = 0; attempt < 40; attempt++) {
            int w, h;
            if (roll(dice, 4) == 0) {  // a corridor
                bool across = roll(dice, 2) == 0;
                w = across ? 3 + roll(dice, std::max(1, inner - 2)) : 1;
                h = across ? 1 : 3 + roll(dice, std::max(1, tall - 2));
            } else {
                w = 2 + roll(dice, std::max(1, inner - 1));
                h = 2 + roll(dice, std::max(1, tall - 1));
            }
            w = std::min(w, inner);
            h = std::min(h, tall);
            int x0 = 1 + roll(dice, inner - w + 1), y0 = 1 + roll(dice, tall - h + 1);
            bool touches = r == 0;
            for (int y = y0 - 1; y <= y0 + h && !touches; y++) {
                for (int x = x0 - 1; x <= x0 + w && !touches; x++) {
                    bool corner = (y == y0 - 1 || y == y0 + h) && (x == x0 - 1 || x == x0 + w);
                    if (!corner && room.isFloor(y * width + x)) touches = true;
                }
            }
            if (!touches) continue;
            for (int y = y0; y < y0 + h; y++) {
                for (int x = x0; x < x0 + w; x++) room.wall[y * width + x] = 0;
            }
            break;
        }
    }
    // Straight runs of wall, one to four cells, standing free in the floor.
    int runs = roll(dice, 3) + inner * tall / 20;
    for (int r = 0; r < runs; r++) {
        for (int attempt = 0; attempt < 20; attempt++) {
            bool across = roll(dice, 2) == 0;
            int length = 1 + roll(dice, 4);
            int x0 = 1 + roll(dice, inner), y0 = 1 + roll(dice, tall);
            int dx = across ? 1 : 0, dy = across ? 0 : 1;
            std::vector<int> cells;
            bool fits = true;
            for (int i = 0; i < length && fits; i++) {
                int x = x0 + dx * i, y = y0 + dy * i;
                fits = inside(room, x, y) && room.isFloor(y * width + x);
                cells.push_back(y * width + x);
            }
            if (!fits) continue;
            for (int cell : cells) room.wall[cell] = 1;
            std::vector<uint8_t> seen;
            int first = -1;
            for (int cell = 0; cell < int(room.wall.size()) && first < 0; cell++) {
                if (room.isFloor(cell)) first = cell;
            }
            if (first >= 0 && floodCount(room, first, -1, seen) == room.floorCount()) break;
            for (int cell : cells) room.wall[cell] = 0;
        }
    }
    keepLargestPatch(room);
    // Dead ends go at once; what else serves nothing depends on the targets.
    for (bool walled = true; walled;) {
        walled = false;
        for (int cell = 0; cell < int(room.wall.size()); cell++) {
            if (room.isFloor(cell) && wallsAround(room, cell) >= 3) {
                room.wall[cell] = 1;
                walled = true;
            }
        }
    }
    return room;
}

void tidyRoom(Room& room, const std::vector<int>& keep) {
    keepLargestPatch(room);
    std::vector<uint8_t> holding(room.wall.size(), 0);
    for (int cell : keep) holding[cell] = 1;
    // One cell at a time: walling one up can leave another idle, or make
    // another the only way between two parts of the room.
    for (bool walled = true; walled;) {
        walled = false;
        std::vector<uint8_t> live = liveCells(room, keep);
        for (int cell = 0; cell < int(room.wall.size()) && !walled; cell++) {
            if (*idleReason(room, holding, live, cell) == '\0') continue;
            room.wall[cell] = 1;
            walled = true;
        }
    }
}

std::vector<std::string> yardFaults(const Yard& yard) {
    const Room& room = yard.room;
    std::vector<std::string> faults;
    std::vector<uint8_t> holding(room.wall.size(), 0), seen;
    for (int cell : yard.targets) holding[cell] = 1;
    for (int cell : yard.boxes) holding[cell] = 1;
    holding[yard.player] = 1;
    if (floodCount(room, yard.player, -1, seen) != room.floorCount()) faults.push_back("floor the player cannot reach");
    std::vector<uint8_t> live = liveCells(room, yard.targets);
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        std::string why = idleReason(room, holding, live, cell);
        if (!why.empty() && std::find(faults.begin(), faults.end(), why) == faults.end()) faults.push_back(why);
    }
    std::vector<uint8_t> shown = shownWalls(room);
    if (hasShutInCell(room, shown)) faults.push_back("a cell shut in by walls");
    if (hasGapInWall(room, shown)) faults.push_back("a gap in a run of wall");
    // A box standing on its target in a dead end never moves: it only decorates.
    for (int box : yard.boxes) {
        if (std::count(yard.targets.begin(), yard.targets.end(), box) && wallsAround(room, box) >= 3) {
            faults.push_back("a box left in a dead end");
            break;
        }
    }
    // A plain rectangle has 4 corners; a built room may bend a few times and
    // stand some free runs of wall, each adding 4, but no more than its size allows.
    if (outlineCorners(room) > 12 + room.floorCount() / 4) faults.push_back("a ragged outline");
    return faults;
}

bool pullBack(Yard& yard, int fewestPushes, int mostPushes, size_t budget, Dice& dice) {
    const Room& room = yard.room;
    const std::vector<int>& targets = yard.targets;
    Puller puller(room);
    std::unordered_set<std::string> known;
    std::vector<Position> layer, next;
    puller.forEachFinish(targets, [&](int lowest) {
        if (known.insert(keyOf(targets, lowest)).second) layer.emplace_back(targets, lowest);
    });
    int pushes = 0;
    std::vector<Position> deepest = layer;
    while (!layer.empty() && known.size() < budget && pushes < mostPushes) {
        next.clear();
        for (const auto& [boxes, player] : layer) {
            puller.forEachPull(boxes, player, [&](const std::vector<int>& moved, int lowest) {
                if (known.insert(keyOf(moved, lowest)).second) next.emplace_back(moved, lowest);
            });
        }
        if (next.empty()) break;
        pushes++;
        layer.swap(next);
        deepest = layer;
    }
    if (pushes < fewestPushes || pushes == 0) return false;
    std::vector<uint8_t> isTarget(room.wall.size(), 0);
    for (int t : targets) isTarget[t] = 1;
    int fewestOnTargets = int(targets.size()) + 1;
    std::vector<size_t> choices;
    for (size_t i = 0; i < deepest.size(); i++) {
        int on = 0;
        for (int b : deepest[i].first) on += isTarget[b];
        if (on < fewestOnTargets) {
            fewestOnTargets = on;
            choices.clear();
        }
        if (on == fewestOnTargets) choices.push_back(i);
    }
    const Position& chosen = deepest[choices[roll(dice, int(choices.size()))]];
    yard.boxes = chosen.first;
    std::sort(yard.boxes.begin(), yard.boxes.end());
    yard.player = chosen.second;
    return true;
}

void pullAway(Yard& yard, int positions, int mostPushes, Dice& dice) {
    const Room& room = yard.room;
    // Pushes from each cell to the nearest target, each box alone in the room.
    std::vector<int> distance = pushDistances(room, yard.targets);
    auto spreadOf = [&](const std::vector<int>& boxes) {
        int spread = 0;
        for (int b : boxes) spread += distance[b];
        return spread;
    };
    // Best first: the position whose boxes stand furthest away is pulled on
    // next; among equals, a random one.
    Puller puller(room);
    std::unordered_set<std::string> known;
    std::vector<Position> found;
    std::priority_queue<std::pair<std::pair<int, uint32_t>, size_t>> open;
    auto offer = [&](const std::vector<int>& boxes, int player) {
        int spread = spreadOf(boxes);
        if (spread > mostPushes || !known.insert(keyOf(boxes, player)).second) return;
        found.emplace_back(boxes, player);
        open.push({{spread, uint32_t(dice())}, found.size() - 1});
    };
    puller.forEachFinish(yard.targets, [&](int lowest) { offer(yard.targets, lowest); });
    yard.boxes = yard.targets;
    yard.player = found.empty() ? yard.targets.front() : found.front().second;
    int best = -1;
    while (!open.empty() && int(found.size()) < positions) {
        auto [score, index] = open.top();
        open.pop();
        Position position = found[index];
        if (score.first > best) {
            best = score.first;
            yard.boxes = position.first;
            yard.player = position.second;
        }
        if (best == mostPushes) break;
        puller.forEachPull(position.first, position.second, offer);
    }
    std::sort(yard.boxes.begin(), yard.boxes.end());
}

std::vector<std::string> yardPicture(const Yard& yard) {
    const Room& room = yard.room;
    std::vector<uint8_t> shown = shownWalls(room);
    std::vector<std::string> rows(room.height, std::string(room.width, ' '));
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (shown[cell]) rows[cell / room.width][cell % room.width] = '#';
    }
    for (int t : yard.targets) rows[t / room.width][t % room.width] = '.';
    for (int b : yard.boxes) {
        char& c = rows[b / room.width][b % room.width];
        c = c == '.' ? '*' : '$';
    }
    char& p = rows[yard.player / room.width][yard.player % room.width];
    p = p == '.' ? '+' : '@';
    // Trimmed to the drawn cells, so the same level always draws the same.
    size_t left = room.width;
    for (const std::string& row : rows) {
        size_t first = row.find_first_not_of(' ');
        if (first != std::string::npos) left = std::min(left, first);
    }
    for (std::string& row : rows) {
        row.erase(row.find_last_not_of(' ') + 1);
        row.erase(0, std::min(left, row.size()));
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    while (!rows.empty() && rows.front().empty()) rows.erase(rows.begin());
    return rows;
}

std::string sameShapeKey(const std::vector<std::string>& picture) {
    int height = int(picture.size()), width = 0;
    for (const std::string& row : picture) width = std::max(width, int(row.size()));
    auto at = [&](int x, int y) { return x < int(picture[y].size()) ? picture[y][x] : ' '; };
    std::string best;
    for (int turn = 0; turn < 8; turn++) {
        bool swapped = turn & 4;
        int w = swapped ? height : width, h = swapped ? width : height;
        std::string text;
        for (int y = 0; y < h; y++) {
            for (int x = 0; x < w; x++) {
                int sx = (turn & 1) ? w - 1 - x : x, sy = (turn & 2) ? h - 1 - y : y;
                text.push_back(swapped ? at(sy, sx) : at(sx, sy));
            }
            text.push_back('\n');
        }
        if (best.empty() || text < best) best = text;
    }
    return best;
}
