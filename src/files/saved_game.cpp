// Writing and reading saved games.
#include "files/saved_game.h"

#include <fstream>
#include <sstream>

#include "files/paths.h"
#include "files/safe_write.h"
#include "files/tokens.h"
#include "rules/board.h"

SavedGame savedGameOfBoard() {
    return {board.layout.currentLevelFile, board.levelNumber, board.stepsTaken, board.timesPushed};
}

void restoreSavedGame(const SavedGame& game) {
    board.layout.currentLevelFile = game.levelFile;
    board.levelNumber = game.levelNumber;
    board.stepsTaken = game.stepsTaken;
    board.timesPushed = game.timesPushed;
}

void writeSavedGame(std::ostream& out, const SavedGame& game) {
    out << game.levelFile << '\n' << game.levelNumber << '\n' << game.stepsTaken << '\n' << game.timesPushed << '\n';
}

FileResult saveGameFile(const std::string& path, const SavedGame& game) {
    std::ostringstream text;
    writeSavedGame(text, game);
    return writeFileSafely(path, text.str());
}

void readSavedGame(std::istream& in, SavedGame& game) {
    readName(in, game.levelFile);
    readInt32(in, game.levelNumber);
    readUint32(in, game.stepsTaken);
    readUint32(in, game.timesPushed);
}

FileResult readSavedGameFile(const std::string& path, SavedGame& game) {
    std::ifstream file;
    if (isOrdinaryFile(path)) file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) return fileFailed(FileOutcome::missing, "cannot open " + path);
    readSavedGame(file, game);
    return fileDone();
}
