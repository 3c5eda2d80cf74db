// Mapping the game's backslash file names to this system's paths.
#include "files/paths.h"

#include <sys/stat.h>

std::string hostPath(const std::string& gameName) {
    std::string path = gameName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

bool isOrdinaryFile(const std::string& hostPath) {
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
