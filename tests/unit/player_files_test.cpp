// The player's folder: where it is for each way the environment can be set,
// and that it is made, folders above it included, when first needed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/player_files.h"

namespace {

// Sets or clears one variable for the length of a test.
class Environment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_DATA_HOME"}) {
            const char* value = std::getenv(name);
            saved.push_back({name, value ? value : "", value != nullptr});
        }
    }
    void TearDown() override {
        for (const Saved& s : saved) {
            if (s.present) ::setenv(s.name, s.value.c_str(), 1);
            else ::unsetenv(s.name);
        }
    }
    struct Saved {
        const char* name;
        std::string value;
        bool present;
    };
    std::vector<Saved> saved;
};

}  // namespace

TEST_F(Environment, PlayerFolderFollowsXdgDataHomeElseHome) {
    ::setenv("HOME", "/home/ann", 1);
    ::setenv("XDG_DATA_HOME", "/data/ann/", 1);
    EXPECT_EQ(playerFolder(), "/data/ann/boxyard");
    EXPECT_EQ(autosavePath(), "/data/ann/boxyard/autosave.kzs");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(playerFolder(), "/home/ann/.local/share/boxyard");
    // Empty or relative: as if unset, never a folder that depends on where
    // the game was started.
    for (const char* ignored : {"", "relative/data"}) {
        ::setenv("XDG_DATA_HOME", ignored, 1);
        EXPECT_EQ(playerFolder(), "/home/ann/.local/share/boxyard") << ignored;
    }
}

TEST_F(Environment, PlayerFolderIsMadeWithTheFoldersAboveIt) {
    char base[] = "/tmp/boxyard-player-XXXXXX";
    ASSERT_NE(::mkdtemp(base), nullptr);
    const std::string data = std::string(base) + "/new/data";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    EXPECT_TRUE(makePlayerFolder());
    EXPECT_TRUE(makePlayerFolder()) << "a folder already there is fine";
    struct stat info;
    ASSERT_EQ(::stat((data + "/boxyard").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    // A file where a folder should be cannot be made into one.
    const std::string blocked = std::string(base) + "/file";
    std::FILE* file = std::fopen(blocked.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ::setenv("XDG_DATA_HOME", blocked.c_str(), 1);
    EXPECT_FALSE(makePlayerFolder());
    std::filesystem::remove_all(base);
}
