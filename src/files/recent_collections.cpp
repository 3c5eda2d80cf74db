// Reading and writing the list of collections opened.
#include "files/recent_collections.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/line_reader.h"
#include "files/paths.h"
#include "files/player_files.h"
#include "files/safe_write.h"
#include "files/tokens.h"

namespace {

constexpr const char* firstLine = "# boxyard: collections opened, most recent first";

// One absolute path a line: no line end and no NUL inside it, and no longer
// than a path that can be opened.
bool fitsOnALine(const std::string& path) {
    return !path.empty() && path[0] == '/' && path.size() <= longestName && path.find_first_of(std::string("\n\r\0", 3)) == std::string::npos;
}

}  // namespace

std::string recentCollectionsPath() { return playerFolder() + "/recent-collections.txt"; }

void readRecentCollections(std::istream& in, std::vector<std::string>& paths) {
    paths.clear();
    LineReader lines(in, longestName);
    std::string line;
    bool cut = false;
    while (paths.size() < mostRecentCollections && lines.next(line, cut)) {
        if (cut || !fitsOnALine(line)) continue;
        if (std::find(paths.begin(), paths.end(), line) == paths.end()) paths.push_back(line);
    }
}

FileResult readRecentCollections(const std::string& path, std::vector<std::string>& paths) {
    paths.clear();
    std::ifstream file;
    if (isOrdinaryFile(path)) file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) return fileFailed(FileOutcome::missing, "cannot open " + path);
    readRecentCollections(file, paths);
    return fileDone();
}

void writeRecentCollections(std::ostream& out, const std::vector<std::string>& paths) {
    out << firstLine << '\n';
    for (const std::string& path : paths) {
        if (fitsOnALine(path)) out << path << '\n';
    }
}

FileResult writeRecentCollections(const std::string& path, const std::vector<std::string>& paths) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        errno = 0;
        if (!makeFolder(path.substr(0, slash))) {
            return fileFailed(FileOutcome::notWritten, errno ? std::strerror(errno) : "no folder");
        }
    }
    std::ostringstream text;
    writeRecentCollections(text, paths);
    return writeFileSafely(path, text.str());
}

bool putFirst(std::vector<std::string>& paths, const std::string& path) {
    if (path.empty()) return false;
    std::error_code failed;
    std::string absolute = std::filesystem::absolute(path, failed).lexically_normal().string();
    // A chain folder named with a slash at its end is the same collection.
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    if (failed || !fitsOnALine(absolute)) return false;
    paths.erase(std::remove(paths.begin(), paths.end(), absolute), paths.end());
    paths.insert(paths.begin(), absolute);
    if (paths.size() > mostRecentCollections) paths.resize(mostRecentCollections);
    return true;
}

FileResult rememberCollection(const std::string& path) {
    std::vector<std::string> paths;
    readRecentCollections(recentCollectionsPath(), paths);
    if (!putFirst(paths, path)) return fileFailed(FileOutcome::notWritten, "cannot remember " + path);
    return writeRecentCollections(recentCollectionsPath(), paths);
}
