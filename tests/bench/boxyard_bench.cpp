// How fast the game's hot paths run, each against its floor: the least work
// anything doing the same job must do. The ratios are what to watch; the
// absolute times move with the machine.
//
//   boxyard_bench [--game-dir=DIR] [Google Benchmark flags]
//
// With a display (DISPLAY set, e.g. under tests/e2e/with_xvfb.py) frames are
// also drawn on a real 640x480 16-bit screen; without one those two are left out.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/level_file.h"
#include "levels/level_check.h"
#include "solve/solver.h"
#include "rules/moves.h"
#include "files/paths.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "shell/resource_items.h"
#include "view/board_view.h"

namespace {

DATAFILE* sprites = nullptr;
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

// What the play loop does in every pass: compose, then copy to the screen.
void drawFrameOnScreen(benchmark::State& state) {
    loadFirstLevel();
    for (auto _ : state) drawFrame(frame, sprites);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// The fastest the screen takes frames at all: a bare full-screen copy loop.
void copyToScreen(benchmark::State& state) {
    composeFrame(frame, sprites);
    for (auto _ : state) blit(frame, screen, 0, 0, 0, 0, screenWidth, screenHeight);
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
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

// Keeps each run's seconds per iteration, by name, for the figures at the end.
class FiguresReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only for a terminal, so that a saved run reads as plain text.
    FiguresReporter() : ConsoleReporter(::isatty(1) ? OO_ColorTabular : OO_Tabular) {}

    std::map<std::string, double> secondsPerIteration;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                secondsPerIteration[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool has(const char* name) const { return secondsPerIteration.count(name) != 0; }
    double at(const char* name) const { return secondsPerIteration.at(name); }
};

// The floor of the solver: one of the game's own moves, a step in the open
// that scans every wall and box slot, as every move in play does.
void stepBackAndForth(benchmark::State& state) {
    resetBoard();
    board.player.x = 10;
    board.player.y = 6;
    bool right = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tryMove(right ? moveRight : moveLeft, nullptr));
        right = !right;
    }
}

// The solver's speed over the whole shipped chain, as the level tool's bench
// command measures it: the last line gives positions expanded per second.
void reportSolverSpeed(const FiguresReporter& figures) {
    std::ostringstream out;
    benchChain(firstLevelFile, SearchLimits(), out);
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

void printFigures(const FiguresReporter& figures) {
    std::printf("\nFigures, each against its floor:\n");
    if (figures.has("composeFrame") && figures.has("clearAndCopy")) {
        double frameTime = figures.at("composeFrame"), floorTime = figures.at("clearAndCopy");
        std::printf("  composeFrame          %8.1f us a frame = %5.2f x a bare clear and 640x480 copy (%.1f us)\n",
                    frameTime * 1e6, frameTime / floorTime, floorTime * 1e6);
    }
    if (figures.has("drawFrameOnScreen") && figures.has("copyToScreen")) {
        double fps = 1 / figures.at("drawFrameOnScreen"), floorFps = 1 / figures.at("copyToScreen");
        std::printf("  frames on screen      %8.0f a second = %5.2f of a bare full-screen copy loop (%.0f a second)\n",
                    fps, fps / floorFps, floorFps);
    } else {
        std::printf("  frames on screen      not measured: no display (run under tests/e2e/with_xvfb.py)\n");
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
    reportSolverSpeed(figures);
}

// Brings the library up: on a real screen when there is a display, else for
// memory bitmaps only. The pictures are loaded after the colour depth is set,
// so they come in as the game has them.
bool startLibrary() {
    if (std::getenv("DISPLAY") && install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0) {
        set_color_depth(16);
        onScreen = set_gfx_mode(GFX_SAFE, screenWidth, screenHeight, 0, 0) == 0;
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
        benchmark::RegisterBenchmark("drawFrameOnScreen", drawFrameOnScreen)->Unit(benchmark::kMicrosecond)->UseRealTime();
        benchmark::RegisterBenchmark("copyToScreen", copyToScreen)->Unit(benchmark::kMicrosecond)->UseRealTime();
    }
    benchmark::RegisterBenchmark("loadLevel", loadLevelFromFile)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("readLevelFileBytes", readLevelFileBytes)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("isLevelComplete", isLevelCompleteOnFirstLevel)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("readEveryBoxAndTarget", readEveryBoxAndTarget)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("tryMove", stepBackAndForth)->Unit(benchmark::kNanosecond);

    FiguresReporter figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    printFigures(figures);
    benchmark::Shutdown();
    return 0;
}
END_OF_MAIN()
