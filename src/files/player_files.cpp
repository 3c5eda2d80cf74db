// Finding and making the player's folder from the environment.
#include "files/player_files.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    // Started without HOME (from a service, say): the account's own entry.
    const struct passwd* account = ::getpwuid(::getuid());
    return account && account->pw_dir ? account->pw_dir : "";
}

bool isFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string playerFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME would depend on where the game was started
    // from; it is ignored, as the desktops ignore it.
    std::string base = data && data[0] == '/' ? std::string(data) : homeFolder() + "/.local/share";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/boxyard";
}

bool makePlayerFolder() { return makeFolder(playerFolder()); }

bool makeFolder(const std::string& folder) {
    // Each folder on the way down, the ones already there left as they are.
    for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return isFolder(folder);
}

std::string autosavePath() { return playerFolder() + "/autosave.kzs"; }

FileResult writeAutosaveFile(const SavedGame& game) {
    errno = 0;
    if (!makePlayerFolder()) {
        return fileFailed(FileOutcome::notWritten, errno ? std::strerror(errno) : "no folder");
    }
    return saveGameFile(autosavePath(), game);
}
