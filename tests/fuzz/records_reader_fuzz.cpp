// The player's own files fed arbitrary bytes, as a disk error or a careless
// edit may leave them: the records file and the list of collections opened.
// Beyond not crashing:
//  - records that cannot be read say why and leave nothing half-read;
//  - records read are within their limits, each solution's counts match its
//    letters, the best by moves has no more moves than the best by pushes and
//    the best by pushes no more pushes, and noting either again improves
//    nothing;
//  - records written back read back the same;
//  - the collections remembered are absolute paths on one line each, each
//    once, no more than the most kept, and read back the same once written.
#include <sstream>

#include "files/recent_collections.h"
#include "files/records_file.h"
#include "fuzz_check.h"

namespace {

bool sameSolution(const Solution& a, const Solution& b) {
    return a.moves == b.moves && a.pushes == b.pushes && a.letters == b.letters;
}

bool sameRecords(const Records& a, const Records& b) {
    if (a.levels.size() != b.levels.size() || a.letters != b.letters) return false;
    for (const auto& [key, record] : a.levels) {
        auto other = b.levels.find(key);
        if (other == b.levels.end() || other->second.number != record.number ||
            !sameSolution(other->second.byMoves, record.byMoves) || !sameSolution(other->second.byPushes, record.byPushes)) {
            return false;
        }
    }
    return true;
}

void checkSolution(const Solution& solution) {
    Solution counted;
    require(countSolution(solution.letters, counted), "a solution kept is in the move letters");
    require(sameSolution(counted, solution), "its counts match its letters");
}

void checkRecords(const std::string& bytes) {
    Records records;
    std::istringstream in(bytes);
    FileResult read = readRecords(in, records);
    if (!read) {
        require(read.outcome == FileOutcome::malformed && !read.reason.empty(), "an unreadable file says why");
        require(records.levels.empty() && records.letters == 0, "and nothing half-read is kept");
        return;
    }
    require(records.levels.size() <= mostRecordedLevels, "no more levels than the limit");
    size_t letters = 0;
    for (const auto& [key, record] : records.levels) {
        require(record.number >= 1, "levels are counted from 1");
        checkSolution(record.byMoves);
        checkSolution(record.byPushes);
        require(record.byMoves.moves <= record.byPushes.moves, "the best by moves has the fewest moves");
        require(record.byPushes.pushes <= record.byMoves.pushes, "the best by pushes has the fewest pushes");
        letters += record.byMoves.letters.size() + record.byPushes.letters.size();
    }
    require(letters == records.letters && letters <= mostRecordedLetters, "the letters kept are counted and capped");

    std::ostringstream out;
    writeRecords(out, records, bytes.substr(0, 300));
    Records again;
    std::istringstream back(out.str());
    require(bool(readRecords(back, again)), "records written read back");
    require(sameRecords(again, records), "and read back the same");
    for (const auto& [key, record] : records.levels) {
        require(!noteSolution(again, key, record.byMoves.letters, record.number), "a record does not beat itself");
        require(!noteSolution(again, key, record.byPushes.letters, record.number), "by pushes either");
    }
}

void checkRecentCollections(const std::string& bytes) {
    std::vector<std::string> paths;
    std::istringstream in(bytes);
    readRecentCollections(in, paths);
    require(paths.size() <= mostRecentCollections, "no more collections than the most kept");
    for (size_t i = 0; i < paths.size(); i++) {
        const std::string& path = paths[i];
        require(!path.empty() && path[0] == '/', "an absolute path");
        require(path.find_first_of(std::string("\n\r\0", 3)) == std::string::npos, "on one line");
        for (size_t j = 0; j < i; j++) require(paths[j] != path, "each once");
    }
    std::ostringstream out;
    writeRecentCollections(out, paths);
    std::vector<std::string> again;
    std::istringstream back(out.str());
    readRecentCollections(back, again);
    require(again == paths, "the list written back reads back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = bytesOf(data, size);
    checkRecords(bytes);
    checkRecentCollections(bytes);
    return 0;
}
