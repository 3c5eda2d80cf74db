// How fast the game's hot paths run, each against its floor: the least work
// anything doing the same job must do. The ratios are what to watch; the
// absolute times move with the machine.
//
//   boxyard_bench [--game-dir=DIR] [Google Benchmark flags]
//
// With a display (DISPLAY set, e.g. under tests/e2e/with_xvfb.py) frames are
// also drawn on a real 16-bit window, 640x480 enlarged once, twice and three
// times; without one those are left out. Three times needs a desktop of at
// least 1920x1440 (with_xvfb.py --size 2560x1600).
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/collection_file.h"
#include "files/collection_level.h"
#include "files/level_file.h"
#include "levels/level_check.h"
#include "solve/hint.h"
#include "solve/lost_position.h"
#include "solve/solver.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "files/paths.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "view/resource_items.h"
#include "view/board_view.h"
#include "view/canvas.h"
#include "game/play_aids.h"
#include "solve/mouse_paths.h"
#include "view/level_chooser.h"

namespace {

DATAFILE* sprites = nullptr;
DATAFILE* screens = nullptr;
BITMAP* frame = nullptr;       // the back buffer the play loop composes into
BITMAP* frameCopy = nullptr;   // where the floor copies the frame to
bool onScreen = false;

// The board as the game has it in play: every floor cell drawn, the first level loaded.
void loadFirstLevel() {
    fillFloor();
    loadLevel(firstLevelFile);
    board.levelNumber = 1;
    board.stepsTaken = 0;
    board.timesPushed = 0;
}

void composeFrameInMemory(benchmark::State& state) {
    loadFirstLevel();
    for (auto _ : state) composeFrame(frame, sprites);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The least any frame costs: clearing the back buffer and copying it whole.
void clearAndCopyInMemory(benchmark::State& state) {
    for (auto _ : state) {
        clear_bitmap(frame);
        blit(frame, frameCopy, 0, 0, 0, 0, screenWidth, screenHeight);
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The scales the frames on screen are measured at.
constexpr int benchScales[] = {1, 2, 3};

// A window at the scale for the frames to go to; false, with the run
// skipped, when the library cannot open one.
bool windowAt(benchmark::State& state, int scale) {
    if (openWindow(scale)) return true;
    state.SkipWithError("no window at this scale");
    return false;
}

// What the play loop does in every pass: compose into the canvas, then
// present it in the window at the scale.
void drawFrameOnScreen(benchmark::State& state) {
    if (!windowAt(state, int(state.range(0)))) return;
    loadFirstLevel();
    for (auto _ : state) drawFrame(canvas, sprites);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The fastest the window takes frames at all at the scale: a bare copy loop
// of a 640x480 picture, enlarged by stretch_blit above 1x.
void copyToScreen(benchmark::State& state) {
    const int scale = int(state.range(0));
    if (!windowAt(state, scale)) return;
    composeFrame(frame, sprites);
    for (auto _ : state) {
        if (scale == 1) {
            blit(frame, screen, 0, 0, 0, 0, screenWidth, screenHeight);
        } else {
            stretch_blit(frame, screen, 0, 0, screenWidth, screenHeight, 0, 0, screenWidth * scale, screenHeight * scale);
        }
    }
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// A room 21 cells long and 3 high, walled round: the player at its left end.
void longRoom() {
    resetBoard();
    int wall = 0;
    for (int x = 0; x <= 22; x++) {
        board.walls[wall++] = {x, 4, 0};
        board.walls[wall++] = {x, 8, 0};
    }
    for (int y = 5; y <= 7; y++) {
        board.walls[wall++] = {0, y, 0};
        board.walls[wall++] = {22, y, 0};
    }
    board.player.x = 1;
    board.player.y = 6;
    resetHistory();
}

// The moves in one walk and in one drag, for the figures.
size_t walkLength = 0, dragLength = 0;

// Makes the moves as the play loop makes a walk's or a drag's: through the
// history and the notes after each move (the push sound aside).
void playLetters(const std::string& moves) {
    for (char letter : moves) {
        const MoveResult moved = playMove(directionOf(letter));
        afterMove(moved.outcome == MoveOutcome::pushed);
    }
}

// A click at the far end of the room: the walk searched and its 20 steps made.
void walkTwentyCells(benchmark::State& state) {
    size_t moves = 0;
    for (auto _ : state) {
        longRoom();
        const MousePath path = walkPath(21, 6);
        playLetters(path.moves);
        moves += path.moves.size();
        walkLength = path.moves.size();
    }
    state.counters["moves/s"] = benchmark::Counter(double(moves), benchmark::Counter::kIsRate);
}

// A box clicked, its cells marked, and one clicked ten pushes away (nine
// right and one down, which takes a walk round it): searched and made.
void dragTenPushes(benchmark::State& state) {
    size_t moves = 0;
    for (auto _ : state) {
        longRoom();
        board.boxes[0] = {3, 6};
        benchmark::DoNotOptimize(pushDestinations(0));
        const MousePath path = pushPath(0, 12, 7);
        playLetters(path.moves);
        moves += path.moves.size();
        dragLength = path.moves.size();
    }
    state.counters["moves/s"] = benchmark::Counter(double(moves), benchmark::Counter::kIsRate);
}

void loadLevelFromFile(benchmark::State& state) {
    for (auto _ : state) loadLevel(firstLevelFile);
}

// The least a level load costs: opening the same file and reading its bytes.
void readLevelFileBytes(benchmark::State& state) {
    const std::string path = hostPath(firstLevelFile);
    for (auto _ : state) {
        std::ifstream file(path, std::ios::in | std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes.data());
    }
}

void isLevelCompleteOnFirstLevel(benchmark::State& state) {
    loadFirstLevel();
    for (auto _ : state) benchmark::DoNotOptimize(isLevelComplete());
}

// The least a completion test costs: reading every box and target slot once.
void readEveryBoxAndTarget(benchmark::State& state) {
    loadFirstLevel();
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < boxSlots; i++) sum += board.boxes[i].x + board.boxes[i].y;
        for (int i = 0; i < targetSlots; i++) sum += board.targets[i].x + board.targets[i].y;
        benchmark::DoNotOptimize(sum);
        benchmark::ClobberMemory();
    }
}

// A move taken back and made again: one undoMove and one redoMove (which
// goes through tryMove) an iteration. With a box beside the player it is a
// push, the box slot and both counters restored.
void undoAndRedoAMove(benchmark::State& state, bool push) {
    resetBoard();
    resetHistory();
    board.player.x = 10;
    board.player.y = 6;
    if (push) board.boxes[0] = {11, 6};
    playMove(moveRight);
    for (auto _ : state) {
        benchmark::DoNotOptimize(undoMove());
        benchmark::DoNotOptimize(redoMove());
    }
}

// A step in the open.
void undoAndRedoAStep(benchmark::State& state) { undoAndRedoAMove(state, false); }

void undoAndRedoAPush(benchmark::State& state) { undoAndRedoAMove(state, true); }

// The shipped level with the most boxes and floor cells in reach: what the
// lost-position test is timed on.
std::string largestShippedLevel() {
    std::string largest;
    int64_t most = -1;
    followChain(
        firstLevelFile,
        [&](const std::string& name) {
            int64_t boxes = 0, walls = 0;
            for (const GridPos& box : board.boxes) boxes += box.x > 0;
            for (const WallPos& wall : board.walls) walls += wall.x > 0;
            if (boxes * 1000 + walls > most) {
                most = boxes * 1000 + walls;
                largest = name;
            }
        },
        [](const std::string&, const std::string&) {});
    return largest;
}

std::string largestLevel;

void lostPositionTest(benchmark::State& state) {
    loadLevel(largestLevel);
    for (auto _ : state) benchmark::DoNotOptimize(isPositionLost());
}

// A collection of 1,000 small levels in the common notation, as a file of
// them would hold: each a walled room with a title line above it, from 6x5
// to 14x10 cells, with one to three boxes.
const std::string& thousandLevelsText() {
    static std::string text;
    if (!text.empty()) return text;
    for (int i = 1; i <= 1000; i++) {
        const int width = 6 + i % 9, height = 5 + i % 6, boxes = 1 + i % 3;
        std::vector<std::string> rows(size_t(height), "#" + std::string(size_t(width - 2), ' ') + "#");
        rows.front() = rows.back() = std::string(size_t(width), '#');
        rows[1][1] = '@';
        for (int b = 0; b < boxes; b++) {
            rows[2][size_t(2 + b)] = '$';
            rows[size_t(height - 2)][size_t(2 + b)] = '.';
        }
        if (width > 8) rows[size_t(height / 2)][size_t(width - 3)] = '#';
        text += "; Yard " + std::to_string(i) + "\n";
        for (const std::string& row : rows) text += row + "\n";
        text += "\n";
    }
    return text;
}

// What the game gives the chooser for a collection read from a stream: each
// level read again from the stream when its page comes up, the title and the
// picture from one read. Every third level counts as solved.
struct ChooserSource {
    std::istringstream in;
    Collection collection;
    CollectionLevel last;
    ChooserModel model;

    explicit ChooserSource(const std::string& text) : in(text) {
        collection = listCollection(in);
        model.collectionName = "A thousand yards";
        model.count = int(collection.levels.size());
        model.solvedCount = model.count / 3;
        model.level = [this](int number) {
            const CollectionLevel& read = levelNumbered(number);
            ChooserLevel level;
            level.number = number;
            level.title = read.title;
            level.refusal = read.refusal;
            level.solved = number % 3 == 0;
            level.bestMoves = uint32_t(20 + number % 97);
            level.bestPushes = uint32_t(5 + number % 31);
            return level;
        };
        model.picture = [this](int number) { return levelNumbered(number).picture; };
    }
    const CollectionLevel& levelNumbered(int number) {
        if (last.ordinal != number) {
            in.clear();
            last = collectionLevel(in, collection, number - 1);
        }
        return last;
    }
};

// Turning a page: each iteration composes the next page of the collection,
// its nine levels read from the stream, drawn small and written over the
// chooser's picture, the cursor on the page's first level.
void chooserPage(benchmark::State& state) {
    ChooserSource source(thousandLevelsText());
    int cursor = 1;
    for (auto _ : state) {
        composeChooserPage(frame, sprites, screens, source.model, cursor);
        cursor = cursor + 9 > source.model.count ? 1 : cursor + 9;
    }
}

// Opening the chooser on the collection: listing the 1,000 levels from the
// text and composing the first page.
void chooserOpen(benchmark::State& state) {
    const std::string& text = thousandLevelsText();
    for (auto _ : state) {
        ChooserSource source(text);
        composeChooserPage(frame, sprites, screens, source.model, 1);
    }
}

// The least a listing costs: reading the same text line by line once.
void readThousandLevelsLines(benchmark::State& state) {
    const std::string& text = thousandLevelsText();
    for (auto _ : state) {
        std::istringstream in(text);
        std::string line;
        size_t lines = 0;
        while (std::getline(in, line)) lines++;
        benchmark::DoNotOptimize(lines);
    }
}

// Keeps each run's seconds per iteration, by name, for the figures at the end.
class FiguresReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only for a terminal, so that a saved run reads as plain text.
    FiguresReporter() : ConsoleReporter(::isatty(1) ? OO_ColorTabular : OO_Tabular) {}

    std::map<std::string, double> secondsPerIteration;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                const std::string& args = run.run_name.args;
                const std::string name = run.run_name.function_name + (args.empty() ? "" : "/" + args);
                secondsPerIteration[name] = run.real_accumulated_time / double(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool has(const std::string& name) const { return secondsPerIteration.count(name) != 0; }
    double at(const std::string& name) const { return secondsPerIteration.at(name); }
};

// The floor of the solver: one of the game's own moves, a step in the open
// that scans every wall and box slot, as every move in play does.
void stepBackAndForth(benchmark::State& state) {
    resetBoard();
    board.player.x = 10;
    board.player.y = 6;
    bool right = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tryMove(right ? moveRight : moveLeft));
        right = !right;
    }
}

// The solver's speed over the whole shipped chain, as the level tool's bench
// command measures it: the last line gives positions expanded per second.
// Each level's solution is kept in `solutions`, by level name.
void reportSolverSpeed(const FiguresReporter& figures, std::map<std::string, std::string>& solutions) {
    std::ostringstream out;
    benchChain(firstLevelFile, SearchLimits(), out,
               [&](const std::string& name, const SearchResult& result) { solutions[name] = result.solution; });
    std::istringstream lines(out.str());
    std::string line, last;
    while (std::getline(lines, line)) {
        if (!line.empty()) last = line;
    }
    // "... in 3.98 s, 192519 expanded per second"
    size_t comma = last.find_last_of(',');
    double perSecond = comma == std::string::npos ? 0 : std::atof(last.c_str() + comma + 1);
    std::printf("  solver                %s\n", last.c_str());
    if (perSecond > 0 && figures.has("tryMove")) {
        double movesPerSecond = 1 / figures.at("tryMove");
        std::printf("                        %8.0f positions a second = each costs %.1f of the game's own moves "
                    "(%.0f a second)\n",
                    perSecond, movesPerSecond / perSecond, movesPerSecond);
    }
}

// The first hint from the start of every shipped level and from twenty moves
// into the level tool's solution of it (from reportSolverSpeed), each
// searched afresh.
void reportHintTimes(const std::map<std::string, std::string>& solutions) {
    std::printf("\n  hints, searched afresh (seconds; * over 2 s, ? no hint found in time):\n");
    struct Timed {
        std::string name;
        double start = 0, twentyIn = -1;
        bool startFound = false, twentyFound = false;
    };
    std::vector<Timed> levels;
    followChain(firstLevelFile, [&](const std::string& name) { levels.push_back({name}); },
                [](const std::string&, const std::string&) {});
    auto timeHint = [](bool& found) {
        forgetHintPlan();
        auto start = std::chrono::steady_clock::now();
        Hint hint = findHint(HintLimits(), nullptr);
        found = hint.outcome == HintOutcome::found;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    // The first fifty must each get their hints within the budget; the
    // expert levels after them are told apart, since on those the budget
    // may run out and the answer must say so.
    struct Group {
        int levels = 0, found = 0;
        double slowest = 0;
    } firstFifty, later;
    int number = 0;
    for (Timed& level : levels) {
        number++;
        loadLevel(level.name);
        level.start = timeHint(level.startFound);
        auto solution = solutions.find(level.name);
        const std::string letters = solution == solutions.end() ? std::string() : solution->second;
        int moves = 0;
        for (; moves < 20 && moves < int(letters.size()); moves++) {
            tryMove(directionOf(letters[moves]));
        }
        if (moves == 20 && !isLevelComplete()) level.twentyIn = timeHint(level.twentyFound);
        Group& group = number <= 50 ? firstFifty : later;
        group.levels++;
        double slowest = std::max(level.start, level.twentyIn);
        group.slowest = std::max(group.slowest, slowest);
        if (slowest < 2 && level.startFound && (level.twentyIn < 0 || level.twentyFound)) group.found++;
    }
    for (size_t i = 0; i < levels.size(); i++) {
        const Timed& level = levels[i];
        char twenty[32] = "  (won sooner)";
        if (level.twentyIn >= 0) {
            std::snprintf(twenty, sizeof twenty, "%7.3f%s", level.twentyIn,
                          !level.twentyFound ? "?" : level.twentyIn >= 2 ? "*" : " ");
        }
        std::printf("    %-22s start %7.3f%s  twenty moves in %s\n", level.name.c_str(), level.start,
                    !level.startFound ? "?" : level.start >= 2 ? "*" : " ", twenty);
    }
    std::printf("  hint                  the first %d levels: %d with both hints found under 2 s; slowest %.3f s\n",
                firstFifty.levels, firstFifty.found, firstFifty.slowest);
    if (later.levels > 0) {
        std::printf("  hint                  the %d levels after them: %d with both hints found under 2 s; slowest %.3f s\n",
                    later.levels, later.found, later.slowest);
    }
}

// A collection of a thousand rooms, each about 12 x 8 cells with four boxes,
// written once into a temporary file, as a player's downloaded collection.
const std::string& thousandLevelFile() {
    static std::string path;
    if (!path.empty()) return path;
    path = "/tmp/boxyard-bench-1000-" + std::to_string(::getpid()) + ".txt";
    std::ofstream out(path);
    for (int n = 1; n <= 1000; n++) {
        out << "; Room " << n << "\n"
            << "############\n"
            << "#   #      #\n"
            << "# $ $  .  .#\n"
            << "#  @##  #  #\n"
            << "# $  $ .  .#\n"
            << "#    " << std::string(size_t(n % 5), ' ') << "#" << std::string(size_t(5 - n % 5), ' ') << "#\n"
            << "############\n\n";
    }
    return path;
}

// Opening a file of a thousand levels and showing its first level: listing
// the file, reading level 1 onto the Board and composing its frame.
void openThousandLevelFile(benchmark::State& state) {
    const std::string& path = thousandLevelFile();
    for (auto _ : state) {
        std::ifstream file(path, std::ios::in | std::ios::binary);
        Collection collection = listCollection(file);
        CollectionLevel level = collectionLevel(file, collection, 0);
        placeLevelPicture(level.picture);
        composeFrame(frame, sprites);
        benchmark::DoNotOptimize(collection.levels.size());
    }
    std::ifstream file(path, std::ios::in | std::ios::binary);
    Collection collection = listCollection(file);
    state.counters["bytes held"] = double(collection.levels.size() * sizeof(CollectionEntry));
}

// A frame of a large level: 64 x 40 cells, drawn whole at the largest cell
// size that fits, against a frame of a level on the 20 x 13 board.
void composeLargeFrame(benchmark::State& state) {
    LevelPicture picture;
    picture.columns = 64;
    picture.rows = 40;
    for (int y = 0; y < 40; y++) {
        std::string row;
        for (int x = 0; x < 64; x++) {
            const bool edge = x == 0 || y == 0 || x == 63 || y == 39;
            row += edge || (x % 7 == 3 && y % 5 == 2) ? '#' : (x % 9 == 4 && y % 4 == 1) ? '$'
                 : (x % 9 == 5 && y % 4 == 1) ? '.' : ' ';
        }
        picture.lines.push_back(row);
    }
    picture.lines[1][1] = '@';
    placeLevelPicture(picture);
    for (auto _ : state) composeFrame(frame, sprites);
    resetBoard();
}

void printFigures(const FiguresReporter& figures) {
    std::printf("\nFigures, each against its floor:\n");
    if (figures.has("composeFrame") && figures.has("clearAndCopy")) {
        double frameTime = figures.at("composeFrame"), floorTime = figures.at("clearAndCopy");
        std::printf("  composeFrame          %8.1f us a frame = %5.2f x a bare clear and 640x480 copy (%.1f us)\n",
                    frameTime * 1e6, frameTime / floorTime, floorTime * 1e6);
    }
    if (figures.has("composeLargeFrame") && figures.has("composeFrame")) {
        double large = figures.at("composeLargeFrame"), small = figures.at("composeFrame");
        std::printf("  a 64x40 level's frame %8.1f us a frame = %5.2f x a frame of a 20x13 level (%.1f us)\n",
                    large * 1e6, large / small, small * 1e6);
    }
    if (figures.has("openThousandLevelFile")) {
        std::printf("  opening 1,000 levels  %8.2f ms to list the file, read level 1 and compose its frame; "
                    "%zu bytes kept a level\n",
                    figures.at("openThousandLevelFile") * 1e3, sizeof(CollectionEntry));
    }
    for (int scale : benchScales) {
        const std::string draw = "drawFrameOnScreen/" + std::to_string(scale);
        const std::string copy = "copyToScreen/" + std::to_string(scale);
        if (figures.has(draw) && figures.has(copy)) {
            double frameTime = figures.at(draw), floorTime = figures.at(copy);
            std::printf("  frame on screen at %dx %6.0f us (%.0f a second) = %5.2f x a bare %dx%d copy (%.0f us)\n", scale,
                        frameTime * 1e6, 1 / frameTime, frameTime / floorTime, screenWidth * scale,
                        screenHeight * scale, floorTime * 1e6);
        } else {
            std::printf("  frame on screen at %dx not measured: no display, or none that large "
                        "(run under tests/e2e/with_xvfb.py --size 2560x1600)\n", scale);
        }
    }
    if (figures.has("walkTwentyCells") && figures.has("dragTenPushes") && figures.has("tryMove")) {
        double walk = figures.at("walkTwentyCells") / double(walkLength);
        double drag = figures.at("dragTenPushes") / double(dragLength);
        double moveTime = figures.at("tryMove");
        std::printf("  mouse walk, 20 cells  %8.0f moves a second, searched and made (%.2f us a move = %.0f x one tryMove)\n",
                    1 / walk, walk * 1e6, walk / moveTime);
        std::printf("  mouse drag, 10 pushes %8.0f moves a second, searched and made (%zu moves; %.2f us a move = %.0f x one tryMove)\n",
                    1 / drag, dragLength, drag * 1e6, drag / moveTime);
    }
    if (figures.has("chooserPage") && figures.has("clearAndCopy")) {
        double pageTime = figures.at("chooserPage"), floorTime = figures.at("clearAndCopy");
        std::printf("  chooser page          %8.2f ms a page of a 1,000-level collection = %5.1f x a bare clear and "
                    "640x480 copy (%.1f us); a frame is 16.7 ms\n",
                    pageTime * 1e3, pageTime / floorTime, floorTime * 1e6);
    }
    if (figures.has("chooserOpen") && figures.has("readThousandLevelsLines")) {
        double openTime = figures.at("chooserOpen"), floorTime = figures.at("readThousandLevelsLines");
        std::printf("  chooser open          %8.2f ms listing 1,000 levels and composing the first page = %5.1f x "
                    "reading their lines (%.2f ms); allowed 200 ms\n",
                    openTime * 1e3, openTime / floorTime, floorTime * 1e3);
    }
    if (figures.has("loadLevel") && figures.has("readLevelFileBytes")) {
        double loadTime = figures.at("loadLevel"), floorTime = figures.at("readLevelFileBytes");
        std::printf("  loadLevel             %8.1f us a call = %5.2f x reading the file's bytes (%.1f us)\n",
                    loadTime * 1e6, loadTime / floorTime, floorTime * 1e6);
    }
    if (figures.has("isLevelComplete") && figures.has("readEveryBoxAndTarget")) {
        double testTime = figures.at("isLevelComplete"), floorTime = figures.at("readEveryBoxAndTarget");
        std::printf("  isLevelComplete       %8.2f us a call = %5.1f x reading every box and target slot once (%.3f us)\n",
                    testTime * 1e6, testTime / floorTime, floorTime * 1e6);
    }
    if (figures.has("tryMove")) {
        double moveTime = figures.at("tryMove");
        if (figures.has("undoAndRedoAStep") && figures.has("undoAndRedoAPush")) {
            double step = figures.at("undoAndRedoAStep") / 2, push = figures.at("undoAndRedoAPush") / 2;
            std::printf("  undo or redo          %8.1f ns a step, %.1f ns a push = %.2f and %.2f x one tryMove (%.1f ns)\n",
                        step * 1e9, push * 1e9, step / moveTime, push / moveTime, moveTime * 1e9);
        }
        std::printf("  history               %8zu bytes a move, room for %llu moves (%.0f MiB, touched only as used)\n",
                    sizeof(MoveRecord), (unsigned long long)historyMoves, sizeof(history.moves) / 1048576.0);
        if (figures.has("isPositionLost")) {
            double lostTime = figures.at("isPositionLost");
            std::printf("  isPositionLost        %8.2f us a push on %s = %.0f x one tryMove\n", lostTime * 1e6,
                        largestLevel.c_str(), lostTime / moveTime);
        }
    }
    std::map<std::string, std::string> solutions;
    reportSolverSpeed(figures, solutions);
    if (!std::getenv("BOXYARD_BENCH_NO_HINTS")) reportHintTimes(solutions);
}

// Brings the library up: on a real screen when there is a display, else for
// memory bitmaps only. The pictures are loaded after the colour depth is set,
// so they come in as the game has them.
bool startLibrary() {
    if (std::getenv("DISPLAY") && install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0) {
        set_color_depth(16);
        onScreen = openWindow(1);
        if (!onScreen) std::fprintf(stderr, "boxyard_bench: no 640x480 screen: %s\n", allegro_error);
    } else {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(16);
    }
    sprites = load_datafile(spritesFileName);
    if (!sprites) {
        std::fprintf(stderr, "boxyard_bench: cannot load %s; is --game-dir the built game folder?\n", spritesFileName);
        return false;
    }
    screens = load_datafile(screensFileName);
    if (!screens) {
        std::fprintf(stderr, "boxyard_bench: cannot load %s\n", screensFileName);
        return false;
    }
    frame = create_bitmap(screenWidth, screenHeight);
    frameCopy = create_bitmap(screenWidth, screenHeight);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string gameDir = GAME_DIR;
    std::vector<char*> passOn;
    for (int i = 0; i < argc; i++) {
        if (std::strncmp(argv[i], "--game-dir=", 11) == 0) {
            gameDir = argv[i] + 11;
        } else {
            passOn.push_back(argv[i]);
        }
    }
    // The game always runs from its own folder; so do its level names.
    if (::chdir(gameDir.c_str()) != 0) {
        std::fprintf(stderr, "boxyard_bench: no game folder %s\n", gameDir.c_str());
        return 1;
    }
    int passed = int(passOn.size());
    benchmark::Initialize(&passed, passOn.data());
    if (!startLibrary()) return 1;

    benchmark::RegisterBenchmark("composeFrame", composeFrameInMemory)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("clearAndCopy", clearAndCopyInMemory)->Unit(benchmark::kMicrosecond);
    if (onScreen) {
        // The X server does part of the work in another process: count wall time.
        for (int scale : benchScales) {
            benchmark::RegisterBenchmark("drawFrameOnScreen", drawFrameOnScreen)->Arg(scale)->Unit(benchmark::kMicrosecond)->UseRealTime();
            benchmark::RegisterBenchmark("copyToScreen", copyToScreen)->Arg(scale)->Unit(benchmark::kMicrosecond)->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark("composeLargeFrame", composeLargeFrame)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("openThousandLevelFile", openThousandLevelFile)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("chooserPage", chooserPage)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("chooserOpen", chooserOpen)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("readThousandLevelsLines", readThousandLevelsLines)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("loadLevel", loadLevelFromFile)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("readLevelFileBytes", readLevelFileBytes)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("isLevelComplete", isLevelCompleteOnFirstLevel)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("readEveryBoxAndTarget", readEveryBoxAndTarget)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("tryMove", stepBackAndForth)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("undoAndRedoAStep", undoAndRedoAStep)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("undoAndRedoAPush", undoAndRedoAPush)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("walkTwentyCells", walkTwentyCells)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("dragTenPushes", dragTenPushes)->Unit(benchmark::kMicrosecond);
    largestLevel = largestShippedLevel();
    benchmark::RegisterBenchmark("isPositionLost", lostPositionTest)->Unit(benchmark::kMicrosecond);

    FiguresReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    printFigures(figures);
    std::remove(thousandLevelFile().c_str());
    benchmark::Shutdown();
    return 0;
}
END_OF_MAIN()
