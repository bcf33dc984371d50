#include "app/Game.h"
#include "game/World.h"
#include "render/BitmapFont.h"
#include "render/Composition.h"
#include "render/Math.h"
#include "render/WorldScene.h"

#include "SceneColours.h"
#include "TempDataDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

constexpr int kW = kWindowWidth, kH = kWindowHeight;

// Pixels with row 0 at the top, as a player sees them.
struct Image {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(kW * kH * 3);
    Rgb at(int x, int y) const {
        const unsigned char* p = &bytes[(y * kW + x) * 3];
        return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    }
    bool operator==(const Image&) const = default;
};

Image readPixels(GLuint framebuffer) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    if (framebuffer == 0) glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> raw(kW * kH * 3);
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    Image image;
    for (int y = 0; y < kH; ++y) std::copy_n(&raw[(kH - 1 - y) * kW * 3], kW * 3, &image.bytes[y * kW * 3]);
    return image;
}

// Mean squared difference between neighbouring pixels, against the same for
// the sharp image: a blur spreads every edge over several pixels and so cuts
// it sharply, while a brighter or darker light scales both alike.
double gradientEnergy(const Image& image) {
    double sum = 0;
    for (int y = 0; y + 1 < kH; ++y)
        for (int x = 0; x + 1 < kW; ++x)
            for (int c = 0; c < 3; ++c) {
                const int i = (y * kW + x) * 3 + c;
                const double dx = image.bytes[i + 3] - image.bytes[i],
                             dy = image.bytes[i + kW * 3] - image.bytes[i];
                sum += dx * dx + dy * dy;
            }
    return sum / (kW * kH * 3.0);
}

Rgb mean(const Image& image) {
    double s[3] = {};
    for (std::size_t i = 0; i < image.bytes.size(); ++i) s[i % 3] += image.bytes[i];
    const double n = kW * kH * 255.0;
    return {static_cast<float>(s[0] / n), static_cast<float>(s[1] / n), static_cast<float>(s[2] / n)};
}

// Blurring leaves at most this share of the sharp scene's edge energy. The
// game's blur leaves about 0.14, and about 0.21 of a scene without lighting;
// a mean absolute difference would not do, since blurring a clean edge keeps
// it: it only measured the lighting's fine detail.
constexpr double kBlurEnergyLeft = 0.3;

class GameRenderTest : public testing::Test {
protected:
    TempDataDir dir{true};
    Game game;

    // The frame without its texts: scene pass and composition only.
    Image composedScene(bool blurred) {
        game.composition->beginScene();
        game.scene->draw(*game.world);
        game.composition->compose(blurred);
        return readPixels(0);
    }
    Image renderedFrame() {
        game.render();
        return readPixels(0);
    }
    // The blurred composition of a grey picture put straight into the
    // off-screen target; `grey(x, y)` is in window pixels, row 0 at the top.
    template <typename Picture> Image blurOf(Picture grey) {
        std::vector<unsigned char> texels(kW * kH * 3);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) std::fill_n(&texels[((kH - 1 - y) * kW + x) * 3], 3, grey(x, y));
        glBindTexture(GL_TEXTURE_2D, game.composition->sceneTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        game.composition->compose(true);
        return readPixels(0);
    }
};

int grey(const Image& image, int x, int y) { return image.bytes[(y * kW + x) * 3]; }

TEST_F(GameRenderTest, EachObjectShowsItsColourWhereTheCameraProjectsIt) {
    const auto probes = startScreenProbes(*game.world);
    const Image image = composedScene(false);
    for (const Probe& p : probes) {
        const Pixel px = project(p.point);
        ASSERT_TRUE(px.x >= 0 && px.x < kW && px.y >= 0 && px.y < kH) << p.what;
        const Rgb c = image.at(px.x, px.y);
        EXPECT_EQ(familyOf(c), p.family) << p.what << " at (" << px.x << ", " << px.y << ") is " << c.r << " "
                                         << c.g << " " << c.b << ", looks like " << nameOf(familyOf(c));
    }
    // The head is darker than the body.
    const Pixel head = project({15.5f, 1.5f, 9.5f}), body = project({15.5f, 1.5f, 10.5f});
    EXPECT_LT(image.at(head.x, head.y).g, image.at(body.x, body.y).g);
    // Outside the ring there is only the background.
    const Rgb corner = image.at(2, 2);
    EXPECT_NEAR(corner.r, 0.1f, 2 / 255.0f);
    EXPECT_NEAR(corner.b, 0.1f, 2 / 255.0f);
}

TEST_F(GameRenderTest, EverySnakeEntryIsDrawnPastAnEmptyOne) {
    // Only the rules keep the segments together at the front of the array;
    // the drawing visits every entry whatever lies before it.
    World& w = *game.world;
    w.snake.fill(World::kNoCell);
    w.snake[0] = World::cellIndex(15, 9);
    w.snake[5] = World::cellIndex(15, 12);
    const Image image = composedScene(false);
    const Pixel after = project({15.5f, 1.5f, 12.5f}), gap = project({15.5f, 0.01f, 10.5f});
    EXPECT_EQ(familyOf(image.at(after.x, after.y)), Family::Body);
    EXPECT_EQ(familyOf(image.at(gap.x, gap.y)), Family::Floor);
}

TEST_F(GameRenderTest, SharpCompositionIsTheSceneImagePixelForPixel) {
    const Image window = composedScene(false);
    const Image scene = readPixels(game.composition->sceneFbo);
    EXPECT_TRUE(window == scene);
}

TEST_F(GameRenderTest, BlurredCompositionIsSmootherWithTheSameMeanColour) {
    const Image sharp = composedScene(false);
    const Image blurred = composedScene(true);
    const double energyLeft = gradientEnergy(blurred) / gradientEnergy(sharp);
    EXPECT_LT(energyLeft, kBlurEnergyLeft) << "of the sharp image's edge energy";
    std::printf("blur: %.3f of the edge energy left\n", energyLeft);
    const Rgb a = mean(sharp), b = mean(blurred);
    EXPECT_NEAR(a.r, b.r, 2 / 255.0f);
    EXPECT_NEAR(a.g, b.g, 2 / 255.0f);
    EXPECT_NEAR(a.b, b.b, 2 / 255.0f);
}

TEST_F(GameRenderTest, BlurSpreadsADotEvenlyAroundItsOwnPixel) {
    constexpr int cx = 400, cy = 300;
    const Image image = blurOf([](int x, int y) { return x == cx && y == cy ? 255 : 0; });
    double sum = 0, sx = 0, sy = 0, sxx = 0;
    for (int y = cy - 8; y <= cy + 8; ++y)
        for (int x = cx - 8; x <= cx + 8; ++x) {
            const double v = grey(image, x, y);
            sum += v, sx += v * x, sy += v * y, sxx += v * (x - cx) * (x - cx);
        }
    ASSERT_GT(sum, 0);
    // Centred on the dot: the scene does not move when the game ends.
    EXPECT_NEAR(sx / sum, cx, 0.02);
    EXPECT_NEAR(sy / sum, cy, 0.02);
    // The same after a quarter turn about the dot, falling off from the
    // middle without rings, and as wide as a soft blur should be.
    for (int d = -4; d <= 4; ++d)
        for (int e = -4; e <= 4; ++e) {
            EXPECT_EQ(grey(image, cx - e, cy + d), grey(image, cx + d, cy + e)) << d << ", " << e;
            if (d >= 0) {
                EXPECT_GE(grey(image, cx + d, cy + e), grey(image, cx + d + 1, cy + e)) << d << ", " << e;
            }
        }
    EXPECT_GT(std::sqrt(sxx / sum), 1.1) << "pixels of spread";
}

TEST_F(GameRenderTest, BlurSoftensAnEdgeOverSeveralPixelsCentredOnIt) {
    const Image image = blurOf([](int x, int) { return x >= 400 ? 255 : 0; });
    // Halfway between the two pixels that meet at the edge.
    EXPECT_NEAR(grey(image, 399, 300) + grey(image, 400, 300), 255, 2);
    int rise = 0; // pixels between 10% and 90%
    for (int x = 380; x < 420; ++x) rise += grey(image, x, 300) > 25 && grey(image, x, 300) < 230;
    EXPECT_GE(rise, 3);
    EXPECT_LE(rise, 8);
}

TEST_F(GameRenderTest, BlurReadsNothingFromTheOppositeEdges) {
    // A bright band along the bottom and the right edges, dark elsewhere.
    const Image image = blurOf([](int x, int y) { return x >= kW - 8 || y >= kH - 8 ? 255 : 0; });
    for (int x = 0; x < kW - 16; x += 7)
        for (int y : {0, 1, 2}) ASSERT_EQ(grey(image, x, y), 0) << "top row " << y << " at x = " << x;
    for (int y = 0; y < kH - 16; y += 7)
        for (int x : {0, 1, 2}) ASSERT_EQ(grey(image, x, y), 0) << "left column " << x << " at y = " << y;
    // And the band keeps its brightness up to the edge.
    for (int x = 0; x < kW; x += 7) ASSERT_GE(grey(image, x, kH - 1), 254) << "bottom row at x = " << x;
    for (int y = 0; y < kH; y += 7) ASSERT_GE(grey(image, kW - 1, y), 254) << "right column at y = " << y;
}

// Contrast between the brightest and the darkest tenth of a box's pixels,
// by relative luminance as (L + 0.05) ratios are usually taken.
double contrastIn(const Image& image, int left, int top, int right, int bottom) {
    auto linear = [](float c) { return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    std::vector<double> lum;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = image.at(x, y);
            lum.push_back(0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b));
        }
    std::sort(lum.begin(), lum.end());
    const std::size_t tenth = lum.size() / 10;
    double dark = 0, bright = 0;
    for (std::size_t i = 0; i < tenth; ++i) dark += lum[i], bright += lum[lum.size() - 1 - i];
    return (bright / tenth + 0.05) / (dark / tenth + 0.05);
}

TEST_F(GameRenderTest, PromptsStandOutFromTheSceneBehindThem) {
    const float start = game.font->textWidth("Press LEFT, RIGHT or UP to start!", 20) / 2;
    const Image waiting = renderedFrame();
    const double startContrast =
        contrastIn(waiting, static_cast<int>(400 - start), 310, static_cast<int>(400 + start), 330);
    EXPECT_GT(startContrast, 3.0);

    game.world->gameOver = true;
    const float restart = game.font->textWidth("Press SPACE to restart", 20) / 2;
    const Image over = renderedFrame();
    const double restartContrast =
        contrastIn(over, static_cast<int>(400 - restart), 350, static_cast<int>(400 + restart), 370);
    EXPECT_GE(restartContrast, 3.0) << "over the blurred floor";
    RecordProperty("start prompt contrast", std::to_string(startContrast));
    RecordProperty("restart prompt contrast", std::to_string(restartContrast));
    std::printf("contrast: start prompt %.2f, restart prompt %.2f\n", startContrast, restartContrast);
}

// Pixels that the texts changed, against the same frame without them.
struct Box {
    int x0 = kW, y0 = kH, x1 = -1, y1 = -1; // inclusive bounds of what changed
    int count = 0;
    void add(int x, int y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
        ++count;
    }
};
// `lighter` counts only what the texts' fill made brighter, leaving out the
// thin dark edge round every glyph, which reaches a pixel past its ink.
Box changedIn(const Image& with, const Image& without, int left, int top, int right, int bottom,
              bool lighter = false) {
    Box box;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb a = with.at(x, y), b = without.at(x, y);
            const float change = lighter ? (a.r - b.r) + (a.g - b.g) + (a.b - b.b)
                                         : std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            if (change > 6 / 255.0f) box.add(x, y);
        }
    return box;
}

TEST_F(GameRenderTest, TitleAndScoreSitWhereTheLayoutPutsThem) {
    const Image plain = composedScene(false);
    const Image frame = renderedFrame();
    const BitmapFont& font = *game.font;

    // Title: cells of 55 pixels from (20, 16); ink only inside them.
    const float titleWidth = font.textWidth("Coilrun", 55);
    const Box title = changedIn(frame, plain, 0, 0, kW / 2, 100, true);
    EXPECT_GT(title.count, 500);
    EXPECT_GE(title.x0, 20);
    EXPECT_GE(title.y0, 16);
    EXPECT_LE(title.y1, 16 + 55);
    EXPECT_LE(title.x1, 20 + titleWidth + 55 - font.charWidths['n'] * 55 / 24.0f);
    EXPECT_GT(title.x1, 20 + titleWidth - 55 * 0.5f); // it reaches the last letter

    // Score: "0", right-aligned to x = 780.
    const Box score = changedIn(frame, plain, kW / 2, 0, kW, 100, true);
    EXPECT_GT(score.count, 100);
    EXPECT_LE(score.x1, 780);
    EXPECT_GT(score.x1, 780 - 15);
    EXPECT_GE(score.y0, 16);
    EXPECT_LE(score.y1, 16 + 55);

    // The start prompt is up while waiting; "Game Over" is not.
    EXPECT_GT(changedIn(frame, plain, 0, 300, kW, 340).count, 100);
    EXPECT_EQ(changedIn(frame, plain, 0, 240, kW, 300).count, 0);
}

TEST_F(GameRenderTest, GameOverBlursAndShowsItsTextInTheSameFrame) {
    game.world->gameOver = true;
    const Image blurred = composedScene(true);
    const Image frame = renderedFrame();
    // The whole frame, texts aside, is the blurred scene.
    const Box changed = changedIn(frame, blurred, 0, 100, kW, 270);
    EXPECT_EQ(changed.count, 0);
    const Box gameOver = changedIn(frame, blurred, 0, 270, kW, 355);
    EXPECT_GT(gameOver.count, 1000);
    const float half = game.font->textWidth("Game Over", 75) / 2;
    EXPECT_GE(gameOver.x0, 400 - half - 1);
    EXPECT_LE(gameOver.x1, 400 + half + 75);
    EXPECT_GE(gameOver.y0, 275);
    // The start prompt is gone.
    EXPECT_EQ(changedIn(frame, blurred, 0, 372, kW, kH).count, 0);
}

TEST_F(GameRenderTest, RestartReplacesOnlyAFinishedWorld) {
    const Composition* composition = game.composition.get();
    const BitmapFont* font = game.font.get();
    World* first = game.world.get();
    game.restart();
    EXPECT_EQ(game.world.get(), first); // not over: nothing changes

    game.world->gameOver = true;
    game.world->score = 700;
    const GLuint oldProgram = game.scene->program->programId;
    game.restart();
    EXPECT_FALSE(game.world->gameOver);
    EXPECT_EQ(game.world->score, 0);
    EXPECT_EQ(game.world->direction, Direction::None);
    EXPECT_EQ(game.composition.get(), composition);
    EXPECT_EQ(game.font.get(), font);
    EXPECT_EQ(glIsProgram(oldProgram), GL_FALSE); // the old scene went with the old World

    // The first frame after the restart is sharp again.
    const Image sharp = composedScene(false);
    const Image frame = renderedFrame();
    EXPECT_EQ(changedIn(frame, sharp, 0, 100, kW, 300).count, 0);
}

} // namespace
