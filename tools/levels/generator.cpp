// boxyard-levelgen: proposes levels for the shipped set. It draws a random
// room, stands the boxes on their targets, and pulls them back, breadth
// first, as far from the solved position as the pulls reach; the position
// that needs the most pushes to solve becomes the level. Each candidate is
// then measured with the solver and printed in the text notation with its
// pushes and search effort, for a person to choose from and order.
//
// Run by hand, never by the build: boxyard-levelgen SEED COUNT MINBOXES MAXBOXES
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "files/level_file.h"
#include "levels/notation.h"
#include "solve/solver.h"
#include "rules/board.h"

namespace {

struct Room {
    int width = 0, height = 0;
    std::vector<uint8_t> wall;  // 1 for wall, 0 for floor
    std::vector<uint8_t> shown;  // walls that touch floor, the ones drawn
    int step[4] = {0, 0, 0, 0};
};

// A room of the given outer size with random wall blocks inside, trimmed to
// its largest connected patch of floor.
Room drawRoom(std::mt19937& random, int width, int height, double density) {
    Room room;
    room.width = width;
    room.height = height;
    room.step[0] = -width;
    room.step[1] = width;
    room.step[2] = -1;
    room.step[3] = 1;
    room.wall.assign(width * height, 1);
    for (int y = 1; y < height - 1; y++) {
        for (int x = 1; x < width - 1; x++) room.wall[y * width + x] = 0;
    }
    int blocks = int((width - 2) * (height - 2) * density);
    for (int i = 0; i < blocks; i++) {
        int x = 1 + int(random() % (width - 2)), y = 1 + int(random() % (height - 2));
        room.wall[y * width + x] = 1;
        if (random() % 2) {
            int d = int(random() % 4);
            int other = y * width + x + room.step[d];
            int ox = other % width, oy = other / width;
            if (ox > 0 && ox < width - 1 && oy > 0 && oy < height - 1) room.wall[other] = 1;
        }
    }
    // Keep the largest patch of floor.
    std::vector<int> patch(width * height, -1);
    int best = -1, bestSize = 0;
    for (int start = 0; start < width * height; start++) {
        if (room.wall[start] || patch[start] >= 0) continue;
        std::vector<int> queue = {start};
        patch[start] = start;
        for (size_t i = 0; i < queue.size(); i++) {
            for (int d = 0; d < 4; d++) {
                int next = queue[i] + room.step[d];
                if (room.wall[next] || patch[next] >= 0) continue;
                patch[next] = start;
                queue.push_back(next);
            }
        }
        if (int(queue.size()) > bestSize) {
            bestSize = int(queue.size());
            best = start;
        }
    }
    for (int cell = 0; cell < width * height; cell++) {
        if (!room.wall[cell] && patch[cell] != best) room.wall[cell] = 1;
    }
    room.shown.assign(width * height, 0);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            if (!room.wall[y * width + x]) continue;
            for (int dy = -1; dy <= 1; dy++) {
                for (int dx = -1; dx <= 1; dx++) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && nx < width && ny >= 0 && ny < height && !room.wall[ny * width + nx]) {
                        room.shown[y * width + x] = 1;
                    }
                }
            }
        }
    }
    return room;
}

// A position while pulling: sorted box cells, then the lowest cell of the
// player's patch of floor.
using Key = std::string;

struct Puller {
    const Room& room;
    std::vector<uint8_t> box;
    std::vector<int> reached;
    std::vector<uint32_t> mark;
    uint32_t stamp = 0;

    explicit Puller(const Room& r) : room(r), box(r.wall.size(), 0), mark(r.wall.size(), 0) {}

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
};

Key keyOf(std::vector<int> boxes, int player) {
    std::sort(boxes.begin(), boxes.end());
    Key key;
    for (int b : boxes) key.append({char(b & 0xFF), char(b >> 8)});
    key.append({char(player & 0xFF), char(player >> 8)});
    return key;
}

struct Pulled {
    std::vector<int> boxes;
    int player = 0;
    int pushes = 0;
};

// Pulls the boxes back from the targets, breadth first, and returns the
// position that needs the most pushes, preferring one with few boxes still
// on targets.
Pulled pullBack(const Room& room, const std::vector<int>& targets, size_t budget, std::mt19937& random) {
    Puller puller(room);
    std::unordered_map<Key, int> depth;
    std::vector<std::pair<std::vector<int>, int>> layer, next;
    for (int t : targets) puller.box[t] = 1;
    std::vector<uint8_t> seen(room.wall.size(), 0);
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (room.wall[cell] || puller.box[cell] || seen[cell]) continue;
        int lowest = puller.flood(cell);
        for (int c : puller.reached) seen[c] = 1;
        Key key = keyOf(targets, lowest);
        if (depth.emplace(key, 0).second) layer.emplace_back(targets, lowest);
    }
    for (int t : targets) puller.box[t] = 0;
    int pushes = 0;
    std::vector<std::pair<std::vector<int>, int>> deepest = layer;
    while (!layer.empty() && depth.size() < budget) {
        next.clear();
        for (const auto& [boxes, player] : layer) {
            for (int b : boxes) puller.box[b] = 1;
            puller.flood(player);
            std::vector<int> standing = puller.reached;
            for (int p : standing) {
                for (int d = 0; d < 4; d++) {
                    int boxCell = p + room.step[d];
                    int back = p - room.step[d];
                    if (!puller.box[boxCell] || room.wall[back] || puller.box[back]) continue;
                    std::vector<int> moved = boxes;
                    *std::find(moved.begin(), moved.end(), boxCell) = p;
                    puller.box[boxCell] = 0;
                    puller.box[p] = 1;
                    int lowest = puller.flood(back);
                    puller.box[p] = 0;
                    puller.box[boxCell] = 1;
                    Key key = keyOf(moved, lowest);
                    if (depth.emplace(key, pushes + 1).second) next.emplace_back(moved, lowest);
                }
            }
            for (int b : boxes) puller.box[b] = 0;
        }
        if (next.empty()) break;
        pushes++;
        layer.swap(next);
        deepest = layer;
    }
    std::vector<uint8_t> isTarget(room.wall.size(), 0);
    for (int t : targets) isTarget[t] = 1;
    int fewestOnTargets = 1000;
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
    const auto& chosen = deepest[choices[random() % choices.size()]];
    return Pulled{chosen.first, chosen.second, pushes};
}

std::vector<std::string> rowsOf(const Room& room, const std::vector<int>& targets, const Pulled& level) {
    std::vector<std::string> rows(room.height, std::string(room.width, ' '));
    for (int cell = 0; cell < int(room.wall.size()); cell++) {
        if (room.shown[cell]) rows[cell / room.width][cell % room.width] = '#';
    }
    for (int t : targets) rows[t / room.width][t % room.width] = '.';
    for (int b : level.boxes) {
        char& c = rows[b / room.width][b % room.width];
        c = c == '.' ? '*' : '$';
    }
    char& p = rows[level.player / room.width][level.player % room.width];
    p = p == '.' ? '+' : '@';
    for (std::string& row : rows) row.erase(row.find_last_not_of(' ') + 1);
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    while (!rows.empty() && rows.front().empty()) rows.erase(rows.begin());
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: boxyard-levelgen SEED COUNT MINBOXES MAXBOXES\n");
        return 2;
    }
    std::mt19937 random(uint32_t(std::atoi(argv[1])));
    int count = std::atoi(argv[2]);
    int minBoxes = std::atoi(argv[3]), maxBoxes = std::atoi(argv[4]);
    SearchLimits limits;
    limits.maxStates = 1500000;
    limits.maxSeconds = 8;
    for (int made = 0, tries = 0; made < count && tries < count * 20; tries++) {
        int boxes = minBoxes + int(random() % (maxBoxes - minBoxes + 1));
        int width = 6 + boxes + int(random() % 4);
        int height = 5 + boxes / 2 + int(random() % 3);
        width = std::min(width, boardColumns);
        height = std::min(height, boardRows);
        double density = 0.12 + 0.01 * (random() % 14);
        Room room = drawRoom(random, width, height, density);
        std::vector<int> floor;
        for (int cell = 0; cell < int(room.wall.size()); cell++) {
            if (!room.wall[cell]) floor.push_back(cell);
        }
        if (int(floor.size()) < boxes * 3 + 6) continue;
        std::shuffle(floor.begin(), floor.end(), random);
        std::vector<int> targets(floor.begin(), floor.begin() + boxes);
        Pulled level = pullBack(room, targets, 400000, random);
        if (level.pushes < boxes * 3) continue;
        std::vector<std::string> rows = rowsOf(room, targets, level);
        PlacedLevel placed;
        if (!placeLevel(rows, placed).empty()) continue;
        std::istringstream file(levelFileText(placed, "levels\\candidate.kzm", "lastlevel"));
        readLevel(file);
        SearchResult result = solveBoard(limits);
        if (result.outcome != Outcome::won || !result.optimal) continue;
        std::printf("; candidate boxes=%d pushes=%d pulled=%d expanded=%llu seconds=%.2f\n", boxes, result.pushes,
                    level.pushes, (unsigned long long)result.statesExpanded, result.seconds);
        for (const std::string& row : rows) std::printf("%s\n", row.c_str());
        std::printf("\n");
        std::fflush(stdout);
        made++;
    }
    return 0;
}
