// The real binary under Xvfb, driven by real key presses through XTEST and
// judged from screenshots, as a player would see it. Every wait is for a
// state the screen or the output shows, with a deadline, never for a time:
// on a loaded machine the game may draw only a few frames a second.
#include "GameProcess.h"
#include "ScreenProbes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int kW = kWindowWidth;
constexpr double kDeadline = 60; // seconds for any one state to show
constexpr int kPromptTop = 305, kPromptBottom = 335;

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

bool showsStartPrompt(const FontImage& image) {
    return image.width == kW && countIn(image, 150, kPromptTop, 650, kPromptBottom).bright > 150;
}
bool showsGameOver(const FontImage& image) {
    return image.width == kW && countIn(image, 200, 270, 600, 350).red > 1000;
}

class EndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.waitForWindow(kDeadline)) << game.output();
        ASSERT_TRUE(game.waitForLine(kDeadline, isPositiveInteger))
            << "no frame-rate line: " << game.output();
    }

    GameProcess game{COILRUN_BINARY, COILRUN_SOURCE_DIR};
};

TEST_F(EndToEndTest, PrintsItsFrameRateAndClosesOnEscape) { EXPECT_EQ(game.quitWithEscape(kDeadline), 0); }

TEST_F(EndToEndTest, SpaceDoesNothingWhileTheGameIsNotOver) {
    // Held over two frame-rate lines, so the game has surely read it.
    EXPECT_TRUE(game.holdKeyUntil("space", kDeadline, [&] { return game.waitForRateLines(2, kDeadline); }));
    EXPECT_TRUE(game.running());
    EXPECT_TRUE(showsStartPrompt(screenshot("space-while-waiting"))) << "still waiting for the first move";
    EXPECT_EQ(game.quitWithEscape(kDeadline), 0);
}

TEST_F(EndToEndTest, AWholeGameAsAPlayerSeesIt) {
    const FontImage waiting = screenshot("waiting");
    ASSERT_EQ(waiting.width, kW);
    expectStartScreenTexts(waiting);
    const double sharp = roughness(waiting, 400, 560);

    // Left: the snake turns along its row and runs into the board's edge.
    FontImage playing;
    ASSERT_TRUE(game.holdKeyUntil("Left", kDeadline, [&] {
        playing = screenshot("playing");
        return !showsStartPrompt(playing);
    })) << "the start prompt stayed after Left";
    EXPECT_LT(countIn(playing, 150, kPromptTop, 650, kPromptBottom).bright, 10) << "the prompt is gone";
    EXPECT_NE(playing.pixels, waiting.pixels);

    FontImage over;
    ASSERT_TRUE(GameProcess::waitUntil(kDeadline, [&] {
        over = screenshot("game-over");
        return showsGameOver(over);
    })) << "no \"Game Over\"";
    EXPECT_LT(roughness(over, 400, 560), 0.7 * sharp) << "the scene is blurred";
    EXPECT_TRUE(game.running());

    FontImage again;
    ASSERT_TRUE(game.holdKeyUntil("space", kDeadline, [&] {
        again = screenshot("restarted");
        return showsStartPrompt(again);
    })) << "no start prompt after Space";
    EXPECT_LT(countIn(again, 200, 270, 600, 300).red, 10);
    // Title and score 0 as at the start: the top band is unchanged.
    bool topBandSame = true;
    for (int i = 0; i < kW * 75 * 3; ++i) topBandSame &= waiting.pixels[i] == again.pixels[i];
    EXPECT_TRUE(topBandSame);

    EXPECT_EQ(game.quitWithEscape(kDeadline), 0);
}

} // namespace
