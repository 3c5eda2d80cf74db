// Token reads with the failed-read rules of the game's files.
#include "files/tokens.h"

namespace {

bool isSeparator(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(int c) { return c >= '0' && c <= '9'; }

// Skips whitespace. False, with the stream failed, when it ends first.
bool skipSeparators(std::istream& in) {
    if (!in.good()) {
        in.setstate(std::ios::failbit);
        return false;
    }
    for (;;) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::failbit);
            return false;
        }
        if (!isSeparator(c)) return true;
        in.get();
    }
}

// Reads an optional sign and the digits after it, keeping the magnitude only
// while it stays within `limit`. The character after the last digit is left
// in the stream. False, with the stream failed, when there is no digit or the
// value passes the limit.
bool readNumber(std::istream& in, bool signAllowed, uint64_t limitPositive, uint64_t limitNegative,
                bool& negative, uint64_t& magnitude) {
    if (!skipSeparators(in)) return false;
    negative = false;
    int c = in.peek();
    if (c == '+' || (c == '-' && signAllowed)) {
        negative = c == '-';
        in.get();
    }
    uint64_t limit = negative ? limitNegative : limitPositive;
    magnitude = 0;
    bool anyDigit = false;
    bool tooLarge = false;
    for (;;) {
        c = in.peek();
        if (!isDigit(c)) break;
        in.get();
        anyDigit = true;
        if (!tooLarge) {
            magnitude = magnitude * 10 + uint64_t(c - '0');
            if (magnitude > limit) tooLarge = true;
        }
    }
    if (!anyDigit || tooLarge) {
        in.setstate(std::ios::failbit);
        return false;
    }
    // Reaching the end right after the last digit is no failure: peek has
    // only marked the end, the value stands, and the next read fails there.
    return true;
}

}  // namespace

void readInt32(std::istream& in, int32_t& field) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readNumber(in, true, INT32_MAX, uint64_t(INT32_MAX) + 1, negative, magnitude)) return;
    field = negative ? int32_t(-int64_t(magnitude)) : int32_t(magnitude);
}

void readUint32(std::istream& in, uint32_t& field) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readNumber(in, false, UINT32_MAX, 0, negative, magnitude)) return;
    field = uint32_t(magnitude);
}

void readName(std::istream& in, std::string& field) {
    field.clear();
    if (!skipSeparators(in)) return;
    for (;;) {
        int c = in.peek();
        if (c == std::char_traits<char>::eof() || isSeparator(c)) return;
        // No file could have such a name: the read fails as a malformed
        // token does, and nothing more of the run is read or kept.
        if (field.size() == longestName) {
            field.clear();
            in.setstate(std::ios::failbit);
            return;
        }
        field.push_back(char(c));
        in.get();
    }
}
