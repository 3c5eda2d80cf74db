// The collections opened: most recent first, each once, no more than the
// most kept, and a damaged list read without harm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "files/recent_collections.h"

TEST(RecentCollections, TheOneOpenedComesFirstOnceAndTheOldestGoPastTheMost) {
    std::vector<std::string> paths;
    EXPECT_TRUE(putFirst(paths, "/levels/a.txt"));
    EXPECT_TRUE(putFirst(paths, "/levels/b.txt"));
    EXPECT_TRUE(putFirst(paths, "/levels/../levels/a.txt"));
    EXPECT_TRUE(putFirst(paths, "/chain/"));
    EXPECT_TRUE(putFirst(paths, "/levels/b.txt"));
    EXPECT_TRUE(putFirst(paths, "/chain"));
    EXPECT_EQ(paths, (std::vector<std::string>{"/chain", "/levels/b.txt", "/levels/a.txt"}));
    EXPECT_FALSE(putFirst(paths, "/levels/two\nlines.txt"));
    EXPECT_FALSE(putFirst(paths, ""));
    EXPECT_EQ(paths.size(), 3u);
    for (int i = 0; i < 30; i++) putFirst(paths, "/many/" + std::to_string(i));
    ASSERT_EQ(paths.size(), mostRecentCollections);
    EXPECT_EQ(paths.front(), "/many/29");
    EXPECT_EQ(paths.back(), "/many/10");
}

TEST(RecentCollections, ADamagedListKeepsOnlyAbsolutePathsOnceEach) {
    using namespace std::string_literals;
    const std::string text = "# boxyard\n/a\r\nrelative\n/b\n/a\n"s + std::string(100000, '/') + "\n\0/c\n/d\n/e\0f\n"s;
    std::istringstream in(text);
    std::vector<std::string> paths = {"/left/over"};
    readRecentCollections(in, paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/a", "/b", "/d"}));
}

TEST(RecentCollections, RememberingWritesTheListInThePlayersFolder) {
    char base[] = "/tmp/boxyard-recent-XXXXXX";
    ASSERT_NE(::mkdtemp(base), nullptr);
    const char* was = std::getenv("XDG_DATA_HOME");
    const std::string before = was ? was : "";
    ::setenv("XDG_DATA_HOME", base, 1);
    ASSERT_TRUE(rememberCollection("/x/one.txt"));
    ASSERT_TRUE(rememberCollection("/x/two.txt"));
    std::vector<std::string> paths;
    ASSERT_TRUE(readRecentCollections(recentCollectionsPath(), paths));
    EXPECT_EQ(paths, (std::vector<std::string>{"/x/two.txt", "/x/one.txt"}));
    std::filesystem::remove_all(base);
    if (was) ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
}
