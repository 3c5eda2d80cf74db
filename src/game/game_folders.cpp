// Finding the data folder from the program's own path, and naming the first
// level of a player's folder.
#include "game/game_folders.h"

#include <unistd.h>

#include <filesystem>

#include "files/paths.h"

namespace fs = std::filesystem;

namespace {

// The picture file every game folder holds.
const char* const markerFile = "sprites.dat";

bool holdsGame(const fs::path& folder) { return isOrdinaryFile((folder / markerFile).string()); }

}  // namespace

std::string findDataFolder() {
    char program[4096];
    ssize_t length = ::readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return "";
    program[length] = '\0';
    const fs::path programFolder = fs::path(program).parent_path();
    if (holdsGame(programFolder)) return programFolder.string();
    const fs::path installed = (programFolder / BOXYARD_DATA_FROM_PROGRAM).lexically_normal();
    return holdsGame(installed) ? installed.string() : "";
}

std::string firstLevelIn(const std::string& folder, std::string& problem) {
    if (holdsBlank(folder)) {
        problem = "a level folder's name cannot hold a blank: \"" + folder + "\"";
        return "";
    }
    std::error_code error;
    fs::path absolute = fs::absolute(folder, error);
    if (error || folder.empty()) {
        problem = "cannot find the level folder \"" + folder + "\"";
        return "";
    }
    // Written with backslashes throughout, as the game names files.
    return chainFileName(absolute.lexically_normal().string(), 1);
}
