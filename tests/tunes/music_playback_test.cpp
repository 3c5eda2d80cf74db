// The game's music as it plays: run under a display server (Xvfb), since the
// library's MIDI player needs its timer, which needs a real system driver.
#include <gtest/gtest.h>

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "view/canvas.h"
#include "view/music.h"

namespace {

class MusicPlayback : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0) << "no display (DISPLAY)?";
        install_timer();
        install_keyboard();
        // No sound card is needed to follow the player's position.
        ASSERT_EQ(install_sound(DIGI_NONE, MIDI_NONE, nullptr), 0);
        set_color_depth(32);
        screen = create_bitmap(640, 480);
        canvas = create_bitmap(640, 480);
    }
    void SetUp() override {
        clear_to_color(screen, 0);
        clear_to_color(canvas, 0);
        ASSERT_EQ(chdir(GAME_FOLDER), 0);
    }
    // The number playRandomMusic will draw after srand(seed).
    static int drawAfter(unsigned seed) {
        std::srand(seed);
        int number = randomInt(1, tuneCount);
        std::srand(seed);
        return number;
    }
    static bool sameTune(MIDI* a, MIDI* b) {
        if (!a || !b || a->divisions != b->divisions) return false;
        for (int track = 0; track < MIDI_TRACKS; track++) {
            if (a->track[track].len != b->track[track].len) return false;
        }
        return true;
    }
};

}  // namespace

TEST_F(MusicPlayback, SaysLoadingMusicAndLoopsTheTuneItDrew) {
    int expected = drawAfter(11);
    playRandomMusic();
    MIDI* wanted = load_midi((std::string("music/") + std::to_string(expected) + ".mid").c_str());
    EXPECT_TRUE(sameTune(currentTune(), wanted)) << "expected tune " << expected;
    destroy_midi(wanted);

    int white = makecol(255, 255, 255);
    int lit = 0, stray = 0;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 640; x++) {
            if (getpixel(screen, x, y) != white) continue;
            bool inText = x >= 260 && x < 260 + 13 * 8 && y >= 144 && y < 152;
            (inText ? lit : stray)++;
        }
    }
    EXPECT_GT(lit, 100);
    EXPECT_EQ(stray, 0);
    rest(300);
    EXPECT_GT(midi_pos, 0);  // the player is moving through the tune
}

TEST_F(MusicPlayback, ANewTuneTakesOverFromThePlayingOne) {
    drawAfter(3);
    playRandomMusic();
    MIDI* first = currentTune();
    ASSERT_NE(first, nullptr);
    int expected = drawAfter(5);
    playRandomMusic();
    ASSERT_NE(currentTune(), nullptr);
    EXPECT_NE(currentTune(), first);
    MIDI* wanted = load_midi((std::string("music/") + std::to_string(expected) + ".mid").c_str());
    EXPECT_TRUE(sameTune(currentTune(), wanted));
    destroy_midi(wanted);
    rest(100);
    EXPECT_GE(midi_pos, 0);
}

TEST_F(MusicPlayback, WithoutTheMusicFolderTheGameFallsSilent) {
    playRandomMusic();
    ASSERT_NE(currentTune(), nullptr);
    char empty[] = "/tmp/boxyard_no_music_XXXXXX";
    ASSERT_NE(mkdtemp(empty), nullptr);
    ASSERT_EQ(chdir(empty), 0);
    playRandomMusic();
    EXPECT_EQ(currentTune(), nullptr);
    EXPECT_LT(midi_pos, 0);  // stopped
    rmdir(empty);
}

TEST_F(MusicPlayback, TheLibraryTimesEveryTuneAtLeast45Seconds) {
    for (int number = 1; number <= tuneCount; number++) {
        MIDI* tune = load_midi((std::string("music/") + std::to_string(number) + ".mid").c_str());
        ASSERT_NE(tune, nullptr);
        EXPECT_GE(get_midi_length(tune), 45) << number;
        destroy_midi(tune);
    }
}
