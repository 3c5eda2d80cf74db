// The saved-game reader fed arbitrary bytes, as a player may pick any file in
// the selector. Beyond not crashing:
//  - the name holds no whitespace, and when it is missing no number was read;
//  - whatever was read, written back out as a saved game, reads back the same.
#include <sstream>

#include "files/saved_game.h"
#include "fuzz_check.h"

namespace {

// The figures of a game in progress, which a failed read must leave alone.
const SavedGame inProgress = {"levels\\level7.kzm", -77, 4000000000u, 12345};

bool sameGame(const SavedGame& a, const SavedGame& b) {
    return a.levelFile == b.levelFile && a.levelNumber == b.levelNumber && a.stepsTaken == b.stepsTaken &&
           a.timesPushed == b.timesPushed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SavedGame game = inProgress;
    std::istringstream in(bytesOf(data, size));
    readSavedGame(in, game);

    require(isSingleToken(game.levelFile), "the level name is a single token");
    if (game.levelFile.empty()) {
        require(game.levelNumber == inProgress.levelNumber && game.stepsTaken == inProgress.stepsTaken &&
                    game.timesPushed == inProgress.timesPushed,
                "no number is read after a missing name");
        return 0;
    }

    std::ostringstream out;
    writeSavedGame(out, game);
    SavedGame again = {"other", 1, 2, 3};
    std::istringstream back(out.str());
    readSavedGame(back, again);
    require(sameGame(again, game), "the saved game written back out reads back the same");
    return 0;
}
