// Moving levels between collections in the text notation and the game's
// level files. Collections and chains are read with the game's own readers.
#include "levels/collection_files.h"

#include <filesystem>
#include <fstream>

#include "files/collection_file.h"
#include "files/paths.h"
#include "levels/level_check.h"
#include "levels/notation.h"

namespace fs = std::filesystem;

std::string chainFolderProblem(const std::string& folder) {
    // Every level names itself and the next with the folder in front, and the
    // game reads a name only up to the first blank.
    if (holdsBlank(folder)) {
        return "the folder \"" + folder + "\" holds a blank, which no level name can; nothing was written";
    }
    return "";
}

int importCollection(const std::string& collectionPath, const std::string& folder, std::ostream& messages) {
    std::string problem = chainFolderProblem(folder);
    if (!problem.empty()) {
        messages << "boxyard-levels: " << problem << '\n';
        return 1;
    }
    std::ifstream in;
    if (isOrdinaryFile(collectionPath)) in.open(collectionPath, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        messages << "boxyard-levels: cannot open the collection \"" << collectionPath << "\"\n";
        return 1;
    }
    Collection collection = listCollection(in);
    // Each level is written once the next one to play is known, so that only
    // one placed level is held however long the collection.
    PlacedLevel waiting;
    int written = 0;
    auto write = [&](const std::string& next) {
        int number = written + 1;
        if (number == 1) {
            std::error_code error;
            fs::create_directories(folder, error);
        }
        fs::path file = fs::path(folder) / ("level" + std::to_string(number) + ".kzm");
        std::ofstream out(file, std::ios::out | std::ios::binary | std::ios::trunc);
        out << levelFileText(waiting, chainFileName(folder, number), next);
        if (!out) {
            messages << "boxyard-levels: cannot write \"" << file.string() << "\"\n";
            return false;
        }
        written++;
        return true;
    };
    bool anyWaiting = false;
    for (int i = 0; i < int(collection.levels.size()); i++) {
        CollectionLevel level = collectionLevel(in, collection, i);
        PlacedLevel fitted;
        std::string reason = level.refusal;
        if (reason.empty()) reason = placeLevel(level.picture.lines, fitted);
        if (!reason.empty()) {
            messages << "skipped " << describeLevel(level) << ": " << reason << '\n';
            continue;
        }
        if (anyWaiting && !write(chainFileName(folder, written + 2))) return 1;
        waiting = fitted;
        anyWaiting = true;
    }
    if (!collection.problem.empty() && !collection.levels.empty()) {
        messages << "boxyard-levels: \"" << collectionPath << "\": " << collection.problem << '\n';
    }
    if (!anyWaiting) {
        messages << "boxyard-levels: no level of \"" << collectionPath << "\" can be played here\n";
        return 1;
    }
    if (!write("lastlevel")) return 1;
    messages << "wrote " << written << " of " << collection.levels.size() << " levels to " << folder
             << ", starting at " << chainFileName(folder, 1) << '\n';
    return 0;
}

int exportChain(const std::string& firstName, std::ostream& out, std::ostream& messages) {
    bool whole = true;
    int levels = followChain(
        firstName,
        [&](const std::string& name) {
            std::vector<std::string> lost;
            std::vector<std::string> rows = pictureOfBoard(lost);
            for (const std::string& text : lost) messages << name << ": " << text << '\n';
            out << "; " << name << '\n';
            // A row with nothing on it would read as the end of the level, so
            // such a level goes on one line, its rows joined by '|'.
            bool emptyRow = false;
            for (const std::string& row : rows) emptyRow = emptyRow || row.empty();
            for (size_t i = 0; i < rows.size(); i++) {
                out << rows[i];
                out << (emptyRow && i + 1 < rows.size() ? "|" : "\n");
            }
            out << '\n';
        },
        [&](const std::string& name, const std::string& text) {
            // The shape of a file matters to the game, not to its picture.
            if (text.rfind("format:", 0) == 0) return;
            messages << name << ": " << text << '\n';
            if (text.rfind("chain:", 0) != 0 || text.find("next level") != std::string::npos) whole = false;
        });
    return whole && levels > 0 ? 0 : 1;
}
