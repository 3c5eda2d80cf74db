// Reading collections in the text notation: every symbol and way of writing a
// row, how levels are told apart and titled, every reason a level is refused,
// and files no collection should be.
#include <gtest/gtest.h>

#include <sstream>

#include "files/collection_file.h"

namespace {

// Every level of a collection read whole, as the game and the level tool see them.
std::vector<CollectionLevel> readAll(const std::string& text, std::string* problem = nullptr) {
    std::istringstream in(text);
    Collection collection = listCollection(in);
    if (problem != nullptr) *problem = collection.problem;
    std::vector<CollectionLevel> levels;
    for (int i = 0; i < int(collection.levels.size()); i++) levels.push_back(collectionLevel(in, collection, i));
    return levels;
}

// The picture of a collection that holds a single level.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<CollectionLevel> levels = readAll(text);
    EXPECT_EQ(levels.size(), 1u) << text;
    if (levels.size() != 1) return {};
    EXPECT_EQ(levels[0].refusal, "") << text;
    return levels[0].picture.lines;
}

// Why a collection of a single level refuses it.
std::string refusalOf(const std::string& text) {
    std::vector<CollectionLevel> levels = readAll(text);
    EXPECT_EQ(levels.size(), 1u) << text;
    return levels.empty() ? "no level" : levels[0].refusal;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(CollectionRows, EverySymbolIsKeptAndEveryFloorIsABlank) {
    std::vector<CollectionLevel> levels = readAll("#######\n#@$.* #\n#-_+$ #\n#######\n");
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].refusal, "2 players");
    EXPECT_EQ(linesOf("######\n#@-_$.#\n#######\n"), Lines({"###### ", "#@  $.#", "#######"}))
        << "rows are padded to the widest";
}

TEST(CollectionRows, DigitsRepeatTheSymbolAfterThemAndBarsSplitRows) {
    EXPECT_EQ(linesOf("12#\n#@3-$.4 #\n#10_#\n"), Lines({"############", "#@   $.    #", "#          #"}));
    EXPECT_EQ(linesOf("5#|#@$.#|5#\n"), Lines({"#####", "#@$.#", "#####"}));
    EXPECT_EQ(linesOf("4#2 $.|@#"), Lines({"####  $.", "@#      "}));
}

TEST(CollectionRows, CarriageReturnsTabsTrailingBlanksAndOutsideFloorAreNotCells) {
    EXPECT_EQ(linesOf("\xEF\xBB\xBF   #####   \r\n   #@$.#\t\r\n   #####\r\n"), Lines({"#####", "#@$.#", "#####"}));
    EXPECT_EQ(linesOf("\t###\n        #@$.#\n\t###"), Lines({"###  ", "#@$.#", "###  "}))
        << "a tab reaches the next multiple of eight";
    EXPECT_EQ(linesOf("#|@$.|||  #\n"), Lines({"#  ", "@$.", "   ", "   ", "  #"}))
        << "a level left open is kept as drawn";
}

TEST(CollectionRows, PiecesAreListedInReadingOrder) {
    LevelPicture picture;
    picture.lines = {"#####", "#+$*#", "#####"};
    LevelPieces pieces = piecesOf(picture);
    EXPECT_EQ(pieces.walls.size(), 12u);
    EXPECT_EQ(pieces.players, 1);
    EXPECT_EQ(pieces.player.column, 1);
    EXPECT_EQ(pieces.player.row, 1);
    ASSERT_EQ(pieces.boxes.size(), 2u);
    EXPECT_EQ(pieces.boxes[0].column, 2);
    EXPECT_EQ(pieces.boxes[1].column, 3);
    ASSERT_EQ(pieces.targets.size(), 2u);
    EXPECT_EQ(pieces.targets[0].column, 1) << "the player stands on a target";
    EXPECT_EQ(pieces.targets[1].column, 3);
}

TEST(CollectionLevels, BlankLinesCommentsAndTextSeparateLevelsAndTitleThem) {
    std::vector<CollectionLevel> levels = readAll(
        "; A small collection\n"
        "Author: someone\n"
        "\n"
        "; Level 1\n"
        "#####\n#@$.#\n#####\n"
        "Title: The First\n"
        "Author: me\n"
        "\n"
        "Title: Second\n"
        "\n"
        "#####\n#.$@#\n#####\n"
        "' a comment line right after the board\n"
        "Date: today\n"
        "#####\n#@$.#\n#####\n");
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].title, "The First") << "a Title: line right after a level wins over the text above";
    EXPECT_EQ(levels[0].firstLine, 5);
    EXPECT_EQ(levels[1].title, "Second") << "one after a blank line waits for the next level";
    EXPECT_EQ(levels[1].ordinal, 2);
    EXPECT_EQ(levels[1].picture.lines[1], "#.$@#");
    EXPECT_EQ(levels[2].title, "a comment line right after the board") << "Key: lines are passed over";
    EXPECT_EQ(describeLevel(levels[0]), "level 1 \"The First\" (line 5)");
}

TEST(CollectionLevels, CommentBlocksHideWhatLooksLikeABoard) {
    std::vector<CollectionLevel> levels = readAll(
        "Comment:\n#####\n#@$.#\n#####\ncomment-end:\n"
        "#####\n#@$.#\n#####\n"
        "Comment: one line only\n"
        "#####\n#@$.#\n#####\n");
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].firstLine, 6);
    EXPECT_EQ(levels[1].firstLine, 10);
}

TEST(CollectionLevels, TextWithLettersOrCountsWithoutASymbolIsNoBoard) {
    std::string problem;
    EXPECT_TRUE(readAll("Level 12\n#### 4\n   \n---\n12\n", &problem).empty());
    EXPECT_EQ(problem, "no level was found in it");
}

TEST(CollectionRefusals, EachLevelThatCannotBePlayedSaysWhy) {
    EXPECT_EQ(refusalOf("#####\n# $.#\n#####\n"), "no player");
    EXPECT_EQ(refusalOf("#####\n#@$+#\n#####\n"), "2 players");
    EXPECT_EQ(refusalOf("#####\n#@  #\n#####\n"), "no boxes");
    EXPECT_EQ(refusalOf("5$|@4.\n"), "5 boxes and 4 targets");
    EXPECT_EQ(refusalOf("@$\n"), "1 box and 0 targets");
    EXPECT_EQ(refusalOf("70#\n#@$.#\n"), "70 columns: at most 64");
    std::string tall = "@$.";
    for (int i = 0; i < 65; i++) tall += "|#";
    EXPECT_EQ(refusalOf(tall), "66 rows: at most 64");
    std::string square;
    for (int i = 0; i < 65; i++) square += "65#|";
    EXPECT_EQ(refusalOf(square + "@$."), "65 columns and 66 rows: at most 64 columns and 64 rows");
}

TEST(CollectionRefusals, TheLargestLevelIsTakenWithAsManyBoxesAsFit) {
    std::string text = "64#\n";
    for (int i = 0; i < 31; i++) text += "#31$31.#\n";
    text += "#@61 #\n";
    for (int i = 0; i < 30; i++) text += "#62 #\n";
    text += "64#\n";
    std::vector<CollectionLevel> levels = readAll(text);
    ASSERT_EQ(levels.size(), 1u);
    ASSERT_EQ(levels[0].refusal, "");
    EXPECT_EQ(levels[0].picture.columns, 64);
    EXPECT_EQ(levels[0].picture.rows, 64);
    EXPECT_EQ(piecesOf(levels[0].picture).boxes.size(), 31u * 31u);
}

TEST(CollectionRefusals, HugeRunsAndLongLinesAreMeasuredNotStored) {
    std::string text = "@$.\n99999999999999999999#\n" + std::string(200000, '#') + "\n\n" + std::string(300000, 'x') +
                       "\n#@$.#\n";
    std::vector<CollectionLevel> levels = readAll(text);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].refusal, "1073741824 columns: at most 64");
    EXPECT_TRUE(levels[0].picture.lines.empty());
    EXPECT_EQ(levels[1].refusal, "");
    EXPECT_EQ(levels[1].firstLine, 6);
    EXPECT_EQ(levels[1].title, std::string(255, 'x')) << "titles are cut short";
}

TEST(CollectionRefusals, AnyBytesAtAllGiveALevelOrAReason) {
    std::string bytes;
    for (int i = 0; i < 4096; i++) bytes.push_back(char((i * 37 + i / 256) & 0xff));
    bytes += "\n#@$.#\n";
    std::string problem;
    std::vector<CollectionLevel> levels = readAll(bytes, &problem);
    ASSERT_FALSE(levels.empty());
    for (const CollectionLevel& level : levels) {
        EXPECT_TRUE(level.refusal.empty() != level.picture.lines.empty()) << describeLevel(level);
    }
    EXPECT_EQ(levels.back().picture.lines, Lines({"#@$.#"}));
}

TEST(CollectionRefusals, AHundredThousandLevelsAreListedInLittleMemory) {
    std::string text;
    for (int i = 1; i <= 100000; i++) text += "; " + std::to_string(i) + "\n#####\n#@$.#\n#####\n\n";
    std::istringstream in(text);
    Collection collection = listCollection(in);
    ASSERT_EQ(collection.levels.size(), 100000u);
    // What a level costs until it is read again: no rows, no title kept.
    EXPECT_LE(sizeof(CollectionEntry), 32u);
    CollectionLevel last = collectionLevel(in, collection, 99999);
    EXPECT_EQ(last.title, "100000");
    EXPECT_EQ(last.firstLine, 499997);
    EXPECT_EQ(last.picture.lines, Lines({"#####", "#@$.#", "#####"}));
}
