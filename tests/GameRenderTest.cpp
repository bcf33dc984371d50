#include "app/Game.h"
#include "game/World.h"
#include "render/BitmapFont.h"
#include "render/Composition.h"
#include "render/Math.h"
#include "render/WorldScene.h"

#include "SceneColours.h"
#include "TempDataDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

constexpr int kW = 800, kH = 600;

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

// Mean absolute difference between neighbouring pixels: high for a sharp
// image, low for a blurred one.
double roughness(const Image& image) {
    double sum = 0;
    for (int y = 0; y + 1 < kH; ++y)
        for (int x = 0; x + 1 < kW * 3 - 3; ++x) {
            const int i = y * kW * 3 + x;
            sum += std::abs(image.bytes[i] - image.bytes[i + 3]) +
                   std::abs(image.bytes[i] - image.bytes[i + kW * 3]);
        }
    return sum / (kW * kH * 3.0);
}

Rgb mean(const Image& image) {
    double s[3] = {};
    for (std::size_t i = 0; i < image.bytes.size(); ++i) s[i % 3] += image.bytes[i];
    const double n = kW * kH * 255.0;
    return {static_cast<float>(s[0] / n), static_cast<float>(s[1] / n), static_cast<float>(s[2] / n)};
}

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
};

TEST_F(GameRenderTest, EachObjectShowsItsColourWhereTheCameraProjectsIt) {
    const World& w = *game.world;
    // An open cell far from the lamp over the food, which tints what is near it.
    Cell floor{0, 0};
    int farthest = -1;
    for (int y = 0; y < World::height; ++y)
        for (int x = 0; x < World::width; ++x) {
            const int d = std::abs(x - w.foodX) + std::abs(y - w.foodY);
            if (!w.isWall(x, y) && std::abs(x - 15) > 1 && d > farthest) {
                farthest = d;
                floor = {x, y};
            }
        }
    struct Probe {
        const char* what;
        Vec3 point;
        Family family;
    };
    const Probe probes[] = {
        {"head top", {15.5f, 1.5f, 9.5f}, Family::Head},
        {"body segment top", {15.5f, 1.5f, 10.5f}, Family::Body},
        {"food top", {w.foodX + 0.5f, 1.75f, w.foodY + 0.5f}, Family::Food},
        {"wall bracket top", {7.5f, 2.0f, 4.5f}, Family::Wall},
        {"ring corner top", {-0.5f, 2.0f, -0.5f}, Family::Wall},
        {"floor tile top", {floor.x + 0.5f, 0.08f, floor.y + 0.5f}, Family::Floor},
    };
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

TEST_F(GameRenderTest, SharpCompositionIsTheSceneImagePixelForPixel) {
    const Image window = composedScene(false);
    const Image scene = readPixels(game.composition->sceneFbo);
    EXPECT_TRUE(window == scene);
}

TEST_F(GameRenderTest, BlurredCompositionIsSmootherWithTheSameMeanColour) {
    const Image sharp = composedScene(false);
    const Image blurred = composedScene(true);
    const double sharpRoughness = roughness(sharp), blurredRoughness = roughness(blurred);
    EXPECT_LT(blurredRoughness, 0.6 * sharpRoughness) << sharpRoughness << " vs " << blurredRoughness;
    const Rgb a = mean(sharp), b = mean(blurred);
    EXPECT_NEAR(a.r, b.r, 2 / 255.0f);
    EXPECT_NEAR(a.g, b.g, 2 / 255.0f);
    EXPECT_NEAR(a.b, b.b, 2 / 255.0f);
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
Box changedIn(const Image& with, const Image& without, int left, int top, int right, int bottom) {
    Box box;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb a = with.at(x, y), b = without.at(x, y);
            if (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 6 / 255.0f) box.add(x, y);
        }
    return box;
}

TEST_F(GameRenderTest, TitleAndScoreSitWhereTheLayoutPutsThem) {
    const Image plain = composedScene(false);
    const Image frame = renderedFrame();
    const BitmapFont& font = *game.font;

    // Title: cells of 55 pixels from (20, 16); ink only inside them.
    const float titleWidth = font.textWidth("Coilrun", 55);
    const Box title = changedIn(frame, plain, 0, 0, kW / 2, 100);
    EXPECT_GT(title.count, 500);
    EXPECT_GE(title.x0, 20);
    EXPECT_GE(title.y0, 16);
    EXPECT_LE(title.y1, 16 + 55);
    EXPECT_LE(title.x1, 20 + titleWidth + 55 - font.charWidths['n'] * 55 / 24.0f);
    EXPECT_GT(title.x1, 20 + titleWidth - 55 * 0.5f); // it reaches the last letter

    // Score: "0", right-aligned to x = 780.
    const Box score = changedIn(frame, plain, kW / 2, 0, kW, 100);
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
