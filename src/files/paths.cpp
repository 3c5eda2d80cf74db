// Mapping the game's backslash file names to this system's paths.
#include "files/paths.h"

#include <sys/stat.h>

#include <cctype>

std::string hostPath(const std::string& gameName) {
    std::string path = gameName;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

std::string gameName(const std::string& hostPath) {
    std::string name = hostPath;
    for (char& c : name) {
        if (c == '/') c = '\\';
    }
    return name;
}

std::string chainFileName(const std::string& folder, int number) {
    std::string name = folder;
    for (char& c : name) {
        if (c == '/') c = '\\';
    }
    while (name.size() > 1 && name.back() == '\\') name.pop_back();
    if (!name.empty() && name != "\\") name += '\\';
    return name + "level" + std::to_string(number) + ".kzm";
}

bool holdsBlank(const std::string& name) {
    for (char c : name) {
        if (std::isspace(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

bool isOrdinaryFile(const std::string& hostPath) {
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
