// Mapping the game's backslash file names to this system's paths.
#include "files/paths.h"

std::string hostPath(const std::string& gameName) {
    std::string path = gameName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}
