// The real binary under Xvfb, driven by real key presses through XTEST and
// judged from screenshots, as a player would see it.
#include "GameProcess.h"
#include "ScreenProbes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr int kW = 800;

void sleepFor(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// Mean difference between neighbouring pixels of a band of rows.
double roughness(const FontImage& img, int y0, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x + 1 < img.width * 3 - 3; ++x) {
            const int i = (y * img.width) * 3 + x;
            sum += std::abs(img.pixels[i] - img.pixels[i + 3]);
        }
    return sum / ((y1 - y0) * img.width * 3.0);
}

class EndToEndTest : public testing::Test {
protected:
    GameProcess game{COILRUN_BINARY, COILRUN_SOURCE_DIR};
};

TEST_F(EndToEndTest, PrintsItsFrameRateAndClosesOnEscape) {
    ASSERT_TRUE(game.waitForWindow(20));
    EXPECT_TRUE(game.waitForLine(15, isPositiveInteger)) << game.output();
    press("Escape");
    EXPECT_EQ(game.waitExit(5), 0);
}

TEST_F(EndToEndTest, SpaceDoesNothingWhileTheGameIsNotOver) {
    ASSERT_TRUE(game.waitForWindow(20));
    ASSERT_TRUE(game.waitForLine(15, isPositiveInteger));
    press("space");
    sleepFor(1.0);
    EXPECT_TRUE(game.running());
    press("Escape");
    EXPECT_EQ(game.waitExit(5), 0);
}

TEST_F(EndToEndTest, AWholeGameAsAPlayerSeesIt) {
    ASSERT_TRUE(game.waitForWindow(20));
    ASSERT_TRUE(game.waitForLine(15, isPositiveInteger)); // frames are running
    const int promptTop = 305, promptBottom = 335;

    const FontImage waiting = screenshot("waiting");
    ASSERT_EQ(waiting.width, kW);
    expectStartScreenTexts(waiting);
    const double sharp = roughness(waiting, 400, 560);

    // Up, then Left two to four steps later: the head runs along row 5, 6 or
    // 7 into the wall bracket at column 4.
    press("Up");
    sleepFor(0.03);
    press("Left");
    sleepFor(0.15);
    const FontImage playing = screenshot("playing");
    EXPECT_LT(countIn(playing, 150, promptTop, 650, promptBottom).bright, 10) << "the prompt is gone";
    EXPECT_NE(playing.pixels, waiting.pixels);

    sleepFor(1.5);
    const FontImage over = screenshot("game-over");
    EXPECT_GT(countIn(over, 200, 270, 600, 350).red, 1000) << "Game Over";
    EXPECT_LT(roughness(over, 400, 560), 0.7 * sharp) << "the scene is blurred";
    EXPECT_TRUE(game.running());

    press("space");
    sleepFor(0.5);
    const FontImage again = screenshot("restarted");
    EXPECT_GT(countIn(again, 150, promptTop, 650, promptBottom).bright, 150) << "start prompt again";
    EXPECT_LT(countIn(again, 200, 270, 600, 300).red, 10);
    // Title and score 0 as at the start: the top band is unchanged.
    bool topBandSame = true;
    for (int i = 0; i < kW * 75 * 3; ++i) topBandSame &= waiting.pixels[i] == again.pixels[i];
    EXPECT_TRUE(topBandSame);

    press("Escape");
    EXPECT_EQ(game.waitExit(5), 0);
}

} // namespace
