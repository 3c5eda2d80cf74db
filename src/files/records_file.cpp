// Keys for collections and levels, the best solutions kept for them, and the
// records file they are read from and written to.
#include "files/records_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

#include "files/line_reader.h"
#include "files/paths.h"
#include "files/player_files.h"
#include "files/safe_write.h"

namespace {

constexpr uint64_t hashStart = 14695981039346656037ull;
constexpr uint64_t hashPrime = 1099511628211ull;

constexpr const char* formatLine = "boxyard records 1";
// The longest line of a good file: a solution line of the longest solution.
constexpr size_t longestRecordLine = mostSolutionLetters + 64;
// Collection names are written cut to this many bytes.
constexpr size_t longestCollectionName = 255;
// Damaged files of one collection kept side by side before giving up.
constexpr int mostDamagedFiles = 1000;

uint64_t hashed(uint64_t hash, std::string_view bytes) {
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= hashPrime;
    }
    return hash;
}

bool betterByMoves(const Solution& a, const Solution& b) {
    return b.letters.empty() || a.moves < b.moves || (a.moves == b.moves && a.pushes < b.pushes);
}

bool betterByPushes(const Solution& a, const Solution& b) {
    return b.letters.empty() || a.pushes < b.pushes || (a.pushes == b.pushes && a.moves < b.moves);
}

enum class Kept { nothing, improved, pastLimits };

// Keeps a counted solution where it is better, within the records' limits.
Kept keep(Records& records, uint64_t key, const Solution& solution, int32_t number) {
    auto found = records.levels.find(key);
    if (found == records.levels.end() && records.levels.size() >= mostRecordedLevels) return Kept::pastLimits;
    static const LevelRecord none;
    const LevelRecord& old = found == records.levels.end() ? none : found->second;
    const bool byMoves = betterByMoves(solution, old.byMoves);
    const bool byPushes = betterByPushes(solution, old.byPushes);
    if (!byMoves && !byPushes) return Kept::nothing;
    size_t letters = records.letters;
    if (byMoves) letters = letters - old.byMoves.letters.size() + solution.letters.size();
    if (byPushes) letters = letters - old.byPushes.letters.size() + solution.letters.size();
    if (letters > mostRecordedLetters) return Kept::pastLimits;

    LevelRecord& record = records.levels[key];
    record.number = number;
    if (byMoves) record.byMoves = solution;
    if (byPushes) record.byPushes = solution;
    records.letters = letters;
    return Kept::improved;
}

// The words of a line, split at blanks.
std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) i++;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') i++;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Decimal digits up to `most`, nothing else.
bool numberOf(std::string_view word, uint64_t most, uint64_t& value) {
    if (word.empty() || word.size() > 12) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + uint64_t(c - '0');
    }
    return value <= most;
}

bool keyOf(std::string_view word, uint64_t& key) {
    if (word.size() != 16) return false;
    key = 0;
    for (char c : word) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return false;
        key = key << 4 | uint64_t(digit);
    }
    return true;
}

// A solution line: "moves M pushes P letters" or, with `pushesFirst`,
// "pushes P moves M letters". "" when it reads, else what is wrong.
std::string solutionOf(std::string_view line, bool pushesFirst, Solution& solution) {
    const char* first = pushesFirst ? "pushes" : "moves";
    const char* second = pushesFirst ? "moves" : "pushes";
    std::vector<std::string_view> words = wordsOf(line);
    if (words.size() != 5 || words[0] != first || words[2] != second) {
        return std::string("expected \"") + first + " N " + second + " N\" and a solution";
    }
    uint64_t a = 0, b = 0;
    if (!numberOf(words[1], mostSolutionLetters, a) || !numberOf(words[3], mostSolutionLetters, b)) {
        return "a count that is not a number of moves";
    }
    if (!countSolution(std::string(words[4]), solution)) return "a solution that is not in the letters udlrUDLR";
    const uint64_t moves = pushesFirst ? b : a;
    const uint64_t pushes = pushesFirst ? a : b;
    if (moves != solution.moves || pushes != solution.pushes) return "counts that do not match the solution";
    return "";
}

// The collection's name on one line, for people.
std::string nameLine(const std::string& name) {
    std::string line = name.substr(0, longestCollectionName);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    }
    return line;
}

// Renames `from` to the first <from>.damaged-<n> not taken, never replacing
// a file. 0 when done, else the system's error.
int moveAside(const std::string& from, std::string& to) {
    for (int n = 1; n <= mostDamagedFiles; n++) {
        to = from + ".damaged-" + std::to_string(n);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
        if (errno == EEXIST) continue;
        if (errno != EINVAL && errno != ENOSYS) return errno;
        // A file system that cannot refuse to replace: look first.
        struct stat taken;
        if (::lstat(to.c_str(), &taken) == 0) continue;
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    return EEXIST;
}

}  // namespace

uint64_t levelKey(const LevelPicture& picture) {
    uint64_t hash = hashStart;
    for (size_t row = 0; row < picture.lines.size(); row++) {
        if (row > 0) hash = hashed(hash, "\n");
        std::string_view line = picture.lines[row];
        size_t end = line.find_last_not_of(' ');
        hash = hashed(hash, line.substr(0, end == std::string_view::npos ? 0 : end + 1));
    }
    return hash;
}

uint64_t collectionKey(const std::vector<uint64_t>& levelKeys) {
    uint64_t hash = hashStart;
    for (uint64_t key : levelKeys) hash = hashed(hashed(hash, keyText(key)), "\n");
    return hash;
}

std::vector<uint64_t> levelKeysOf(std::istream& in, const Collection& collection) {
    std::vector<uint64_t> keys;
    keys.reserve(collection.levels.size());
    for (size_t i = 0; i < collection.levels.size(); i++) keys.push_back(levelKey(collectionLevel(in, collection, int(i)).picture));
    return keys;
}

std::string keyText(uint64_t key) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(key));
    return text;
}

std::string recordsPath(uint64_t collectionKey) { return playerFolder() + "/records/" + keyText(collectionKey) + ".txt"; }

bool countSolution(const std::string& letters, Solution& solution) {
    if (letters.empty() || letters.size() > mostSolutionLetters) return false;
    uint32_t pushes = 0;
    for (char c : letters) {
        if (c == 'U' || c == 'D' || c == 'L' || c == 'R') pushes++;
        else if (c != 'u' && c != 'd' && c != 'l' && c != 'r') return false;
    }
    solution.moves = uint32_t(letters.size());
    solution.pushes = pushes;
    solution.letters = letters;
    return true;
}

bool noteSolution(Records& records, uint64_t levelKey, const std::string& letters, int32_t levelNumber) {
    Solution solution;
    return countSolution(letters, solution) && keep(records, levelKey, solution, levelNumber) == Kept::improved;
}

FileResult readRecords(std::istream& in, Records& records) {
    records = Records();
    LineReader lines(in, longestRecordLine);
    std::string line;
    bool cut = false;
    // What the next line must be: the format, the name, a level, its two solutions.
    enum { format, name, level, byMoves, byPushes } expected = format;
    uint64_t key = 0;
    uint64_t number = 0;
    Solution solution;
    auto malformed = [&](const std::string& what) {
        records = Records();
        return fileFailed(FileOutcome::malformed, "line " + std::to_string(lines.lineNumber()) + ": " + what);
    };
    while (lines.next(line, cut)) {
        if (cut) return malformed("longer than any solution kept");
        if (expected == format) {
            if (line != formatLine) return malformed(std::string("not \"") + formatLine + "\"");
            expected = name;
        } else if (expected == name) {
            if (line.compare(0, 10, "collection") != 0 || (line.size() > 10 && line[10] != ' ')) {
                return malformed("not \"collection\" and its name");
            }
            expected = level;
        } else if (expected == level) {
            std::vector<std::string_view> words = wordsOf(line);
            if (words.empty()) continue;
            if (words.size() != 4 || words[0] != "level" || words[2] != "key" ||
                !numberOf(words[1], uint64_t(mostCollectionLevels), number) || number == 0 || !keyOf(words[3], key)) {
                return malformed("expected \"level N key\" and 16 hex digits");
            }
            expected = byMoves;
        } else {
            std::string wrong = solutionOf(line, expected == byPushes, solution);
            if (!wrong.empty()) return malformed(wrong);
            // Each solution goes through the same rules as a new one, so the
            // records hold the best of both whatever the file claims.
            if (keep(records, key, solution, int32_t(number)) == Kept::pastLimits) {
                return malformed(records.levels.size() >= mostRecordedLevels && records.levels.count(key) == 0
                                     ? "more than " + std::to_string(mostRecordedLevels) + " levels"
                                     : "more than " + std::to_string(mostRecordedLetters) + " letters of solutions");
            }
            expected = expected == byMoves ? byPushes : level;
        }
    }
    if (expected == format) return malformed("empty");
    if (expected == byMoves || expected == byPushes) return malformed("the file ends inside a level's records");
    return fileDone();
}

FileResult readRecords(const std::string& path, Records& records) {
    records = Records();
    std::ifstream file;
    if (isOrdinaryFile(path)) file.open(path, std::ios::in | std::ios::binary);
    if (!file.is_open()) return fileFailed(FileOutcome::missing, "cannot open " + path);
    return readRecords(file, records);
}

void writeRecords(std::ostream& out, const Records& records, const std::string& collectionName) {
    std::vector<std::pair<uint64_t, const LevelRecord*>> levels;
    for (const auto& [key, record] : records.levels) levels.push_back({key, &record});
    std::stable_sort(levels.begin(), levels.end(),
                     [](const auto& a, const auto& b) { return a.second->number < b.second->number; });
    out << formatLine << "\ncollection " << nameLine(collectionName) << '\n';
    for (const auto& [key, record] : levels) {
        const Solution& m = record->byMoves;
        const Solution& p = record->byPushes;
        out << "level " << record->number << " key " << keyText(key) << '\n'
            << "moves " << m.moves << " pushes " << m.pushes << ' ' << m.letters << '\n'
            << "pushes " << p.pushes << " moves " << p.moves << ' ' << p.letters << '\n';
    }
}

FileResult writeRecords(const std::string& path, const Records& records, const std::string& collectionName) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        errno = 0;
        if (!makeFolder(path.substr(0, slash))) {
            return fileFailed(FileOutcome::notWritten, errno ? std::strerror(errno) : "no folder");
        }
    }
    std::ostringstream text;
    writeRecords(text, records, collectionName);
    return writeFileSafely(path, text.str());
}

FileResult openRecords(const std::string& path, Records& records) {
    FileResult read = readRecords(path, records);
    if (read.outcome != FileOutcome::malformed) return read;
    std::string aside;
    const int error = moveAside(path, aside);
    if (error != 0) {
        return fileFailed(FileOutcome::notWritten, "records " + path + " cannot be read (" + read.reason +
                                                       ") nor set aside (" + std::strerror(error) +
                                                       "); it is left as it is and no records are kept");
    }
    return fileFailed(FileOutcome::malformed,
                      "records " + path + " cannot be read (" + read.reason + "); kept as " + aside + ", starting afresh");
}
