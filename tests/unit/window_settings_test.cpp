// The window's scale: the largest that fits the desktop, F5's round of the
// scales, and the settings file that remembers the choice, read safely
// whatever bytes it holds.
#include <gtest/gtest.h>

#include <string>

#include "files/settings_file.h"
#include "view/window_scale.h"

TEST(WindowScale, TheLargestWindowThatLeavesRoomForTitleBarAndPanels) {
    EXPECT_EQ(scaleThatFits(800, 600), 1);
    EXPECT_EQ(scaleThatFits(1280, 1024), 1) << "1280x960 leaves no room for the frame";
    EXPECT_EQ(scaleThatFits(1920, 1080), 2);
    EXPECT_EQ(scaleThatFits(2560, 1440), 2);
    EXPECT_EQ(scaleThatFits(3840, 2160), 4);
    EXPECT_EQ(scaleThatFits(7680, 4320), largestScale);
    EXPECT_EQ(scaleThatFits(0, 0), 1) << "a desktop of unknown size";
}

TEST(WindowScale, F5StepsUpWhileItFitsThenBackToOne) {
    EXPECT_EQ(nextScale(1, 1), 1);
    EXPECT_EQ(nextScale(1, 2), 2);
    EXPECT_EQ(nextScale(2, 2), 1);
    EXPECT_EQ(nextScale(3, 4), 4);
    EXPECT_EQ(nextScale(4, 4), 1);
    EXPECT_EQ(nextScale(3, 2), 1) << "a scale chosen on the command line that does not fit";
}

TEST(SettingsFile, AScaleWrittenIsReadBack) {
    for (int scale = 1; scale <= maxSettingsScale; scale++) {
        EXPECT_EQ(readSettings(writeSettings({scale})).scale, scale);
    }
    EXPECT_EQ(writeSettings({0}), "");
}

TEST(SettingsFile, AnythingButAScaleFromOneToFourChoosesNone) {
    for (const char* bytes : {"", "scale", "scale 0\n", "scale 5\n", "scale 22\n", "scale -1\n", "scale 2 3\n",
                              "scales 2\n", "size 2\n", "\xff\xfe\x00scale 2"}) {
        EXPECT_EQ(readSettings(bytes).scale, 0) << bytes;
    }
    EXPECT_EQ(readSettings(std::string("scale 3\0\n", 9)).scale, 0) << "a NUL in the line";
    EXPECT_EQ(readSettings("  scale\t3 \r\n").scale, 3) << "blanks and a Windows line end";
    EXPECT_EQ(readSettings("colour blue\nscale 2\nscale x\n").scale, 2) << "other lines passed over";
}
