// The token reads keep a field as it was when they fail, and fail everything after.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "files/tokens.h"

TEST(IntegerRead, TakesSignedValuesAcrossAnyWhitespace) {
    std::istringstream in(" \t12\r\n-7\v+3\f-2147483648 2147483647");
    int32_t a = 0, b = 0, c = 0, d = 0, e = 0;
    readInt32(in, a);
    readInt32(in, b);
    readInt32(in, c);
    readInt32(in, d);
    readInt32(in, e);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, -7);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(d, INT32_MIN);
    EXPECT_EQ(e, INT32_MAX);
    EXPECT_FALSE(in.fail()) << "the end right after the last digit is no failure";
}

TEST(IntegerRead, OutOfRangeOrMalformedKeepsTheOldValueAndFailsTheRest) {
    for (const char* text : {"2147483648 5", "-2147483649 5", "99999999999999999999 5", "x 5", "- 5", "+ 5", ""}) {
        std::istringstream in(text);
        int32_t field = 42, next = 43;
        readInt32(in, field);
        readInt32(in, next);
        EXPECT_EQ(field, 42) << text;
        EXPECT_EQ(next, 43) << text;
        EXPECT_TRUE(in.fail()) << text;
    }
}

TEST(IntegerRead, DigitsFollowedByALetterStoreTheDigitsAndLeaveTheLetter) {
    std::istringstream in("12abc 7");
    int32_t first = 0, second = 99;
    readInt32(in, first);
    readInt32(in, second);
    EXPECT_EQ(first, 12);
    EXPECT_EQ(second, 99);
    std::string name = "kept?";
    readName(in, name);
    EXPECT_EQ(name, "") << "a failed stream empties the name";
}

TEST(UnsignedRead, AcceptsTheWholeUnsignedRangeAndNoMinus) {
    std::istringstream in("4294967295 +5");
    uint32_t a = 0, b = 0;
    readUint32(in, a);
    readUint32(in, b);
    EXPECT_EQ(a, 4294967295u);
    EXPECT_EQ(b, 5u);

    std::istringstream over("4294967296");
    uint32_t kept = 9;
    readUint32(over, kept);
    EXPECT_EQ(kept, 9u);

    std::istringstream minus("-1 3");
    uint32_t field = 7, later = 8;
    readUint32(minus, field);
    readUint32(minus, later);
    EXPECT_EQ(field, 7u);
    EXPECT_EQ(later, 8u);
}

TEST(NameRead, TakesOneRunOfNonWhitespaceAndEmptiesOnFailure) {
    std::istringstream in("  levels\\level1.kzm\r\nlastlevel");
    std::string a = "old", b = "old", c = "old";
    readName(in, a);
    readName(in, b);
    EXPECT_EQ(a, "levels\\level1.kzm");
    EXPECT_EQ(b, "lastlevel");
    EXPECT_FALSE(in.fail());
    readName(in, c);
    EXPECT_EQ(c, "");
    EXPECT_TRUE(in.fail());
}

namespace {

// An endless run of one character, counting how much of it was read.
class EndlessRun : public std::streambuf {
public:
    EndlessRun() { std::fill(std::begin(buffer_), std::end(buffer_), 'a'); }
    size_t taken = 0;

protected:
    int_type underflow() override {
        setg(buffer_, buffer_, buffer_ + sizeof buffer_);
        taken += sizeof buffer_;
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    char buffer_[64];
};

}  // namespace

TEST(NameRead, ANameNoFileCouldHaveFailsWithoutReadingOn) {
    std::istringstream longest(std::string(longestName, 'x') + " next");
    std::string name, next;
    readName(longest, name);
    readName(longest, next);
    EXPECT_EQ(name.size(), longestName) << "the longest name a file can have is still a name";
    EXPECT_EQ(next, "next");

    EndlessRun run;
    std::istream endless(&run);
    name = "old";
    readName(endless, name);
    EXPECT_TRUE(endless.fail());
    EXPECT_EQ(name, "");
    EXPECT_LE(run.taken, longestName + 64) << "the reader stops once the name is too long";
    int32_t after = 5;
    readInt32(endless, after);
    EXPECT_EQ(after, 5) << "a failed name ends the reading as a malformed token does";
}
