// The replay runs on the same 60 Hz ticks as play: a move every few ticks,
// a frame after each, and a sleep between ticks in which nothing happens.
#include "game/replay.h"

#include <allegro.h>

#include <chrono>

#include "game/play_aids.h"
#include "game/session.h"
#include "input/close_request.h"
#include "input/key_presses.h"
#include "input/ticks.h"
#include "rules/board.h"
#include "rules/completion.h"
#include "rules/history.h"
#include "rules/moves.h"
#include "view/board_view.h"
#include "view/canvas.h"
#include "view/level_end.h"
#include "view/sounds.h"

namespace {

// Four ticks a move: fifteen moves a second, a brisk walk.
constexpr unsigned ticksPerMove = 4;

}  // namespace

void replaySolution(const std::string& letters) {
    KeyLatch stop, pause;
    holdOver(stop, key[KEY_ESC]);
    holdOver(pause, key[KEY_SPACE]);
    bool paused = false;
    size_t next = 0;
    unsigned ticksToNextMove = ticksPerMove;
    auto lastTick = std::chrono::steady_clock::now();
    bool redraw = true;
    for (;;) {
        if (tickCounter.load() > 0) lastTick = std::chrono::steady_clock::now();
        while (tickCounter.load() > 0) {
            actOnCloseRequest();
            tickCounter.fetch_sub(1);
            if (keyPressed(stop, key[KEY_ESC])) return;
            if (keyPressed(pause, key[KEY_SPACE])) paused = !paused;
            if (paused || next >= letters.size() || --ticksToNextMove > 0) continue;
            ticksToNextMove = ticksPerMove;
            const MoveResult moved = playMove(directionOf(letters[next++]));
            if (moved.outcome == MoveOutcome::pushed) playPushSound(media.screens);
            if (moved) afterMove(moved.outcome == MoveOutcome::pushed);
            redraw = true;
        }
        if (!redraw) {
            restUntilTick(lastTick);
            continue;
        }
        redraw = false;
        drawFrame(canvas, media.sprites);
        if (isLevelComplete()) {
            if (board.layout.nextLevelFile == "lastlevel") {
                showSetFinished();
            } else {
                showLevelWon(board.levelNumber, int32_t(uint32_t(board.levelNumber) + 1u));
            }
            return;
        }
        // The letters ran out short of a win: the record no longer wins here.
        if (next >= letters.size() && !paused) return;
    }
}
