// Reading a file a line at a time in bounded memory, for the player's own
// files: however long a line, no more than a set number of its bytes is kept.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

class LineReader {
public:
    // Lines are kept up to `longest` bytes.
    LineReader(std::istream& in, size_t longest);

    // The next line, without its '\n' and a '\r' before it. False at the end
    // of the stream. When the line was longer than `longest`, `line` holds
    // its first `longest` bytes and `cut` is set; the rest is passed over.
    bool next(std::string& line, bool& cut);

    // The line last read, counting from 1.
    int64_t lineNumber() const { return number; }

private:
    bool refill();

    std::streambuf* source;
    size_t longest;
    std::vector<char> chunk;
    size_t at = 0;
    size_t filled = 0;
    int64_t number = 0;
};
