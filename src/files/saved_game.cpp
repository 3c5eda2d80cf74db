// Writing and reading saved games.
#include "files/saved_game.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files/paths.h"
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

namespace {

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) return false;
        done += size_t(written);
    }
    return true;
}

// The mode a new file gets: the old file's, or read-write as the umask allows.
mode_t modeFor(const std::string& path) {
    struct stat old;
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileResult saveGameFile(const std::string& path, const SavedGame& game) {
    std::ostringstream text;
    writeSavedGame(text, game);
    std::string temporary = path + ".XXXXXX";
    errno = 0;
    int fd = ::mkstemp(&temporary[0]);
    if (fd < 0) return fileFailed(FileOutcome::notWritten, std::strerror(errno));
    bool complete = ::fchmod(fd, modeFor(path)) == 0 && writeAll(fd, text.str()) && ::fsync(fd) == 0;
    complete = ::close(fd) == 0 && complete;
    if (complete && ::rename(temporary.c_str(), path.c_str()) == 0) return fileDone();
    const std::string reason = errno ? std::strerror(errno) : "write failed";
    ::unlink(temporary.c_str());
    return fileFailed(FileOutcome::notWritten, reason);
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
