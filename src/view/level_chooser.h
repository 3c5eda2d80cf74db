// The level chooser: a page of a collection's levels at a time, each a small
// picture of its whole board with its number, title and the player's best
// figures, browsed with the arrows and the page keys. It shows and asks; what
// the level picked leads to is the game's to decide.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <functional>
#include <string>

#include "files/collection_file.h"

// One level as the chooser shows it.
struct ChooserLevel {
    int number = 0;        // its number in the collection, from 1
    std::string title;     // may be empty
    std::string refusal;   // why it cannot be played, or ""
    bool solved = false;
    uint32_t bestMoves = 0;   // when solved: the moves of the best solution by moves
    uint32_t bestPushes = 0;  // and the pushes of the best by pushes
};

// What the chooser shows, asked for as it is shown: only the levels of the
// page on the screen are ever asked for, so a collection of any size opens
// at once. N, which looks for the first level not yet solved, asks for
// levels from the first on until it finds one.
struct ChooserModel {
    std::string collectionName;  // shown on top with "solved K of N"
    int count = 0;               // N, the levels in the collection
    int solvedCount = 0;         // K
    std::function<ChooserLevel(int number)> level;
    std::function<LevelPicture(int number)> picture;  // empty for a level that cannot be played
};

enum class ChooserAction { play, replay, back };
struct ChooserChoice {
    ChooserAction action;
    int number;  // the level picked; for back, the level the cursor was on
};

// Shows the chooser with the cursor on level `startAt` until the player picks
// a level or leaves. Enter plays the level under the cursor, unless it cannot
// be played; P replays its best solution, when it is solved; Esc goes back.
// The arrows move the cursor one level left or right and one row up or down,
// Page Up and Page Down a page, Home and End to the first and the last level,
// and N to the first level that can be played and is not solved yet (if there
// is none, it stays). Held keys walk on, as in the menu; keys already down
// when it opens act only once pressed again.
ChooserChoice runLevelChooser(DATAFILE* sprites, DATAFILE* screens, const ChooserModel& model, int startAt);

// The chooser's picture with the cursor on level `cursor`, composed into a
// 640x480 bitmap: the page that level is on, as runLevelChooser shows it.
void composeChooserPage(BITMAP* target, DATAFILE* sprites, DATAFILE* screens, const ChooserModel& model,
                        int cursor);

// Where the cursor goes from `cursor` for a key, in a collection of `count`
// levels. It never leaves the collection: Left on the first level and Right
// on the last stay put, Down with no level below goes to the last level when
// that stands on a lower row, and a page key near an end goes to that end.
enum class ChooserMove { left, right, up, down, pageUp, pageDown, first, last };
int cursorAfter(int cursor, ChooserMove move, int count);
