#include "app/Game.h"

#include "game/World.h"
#include "render/BitmapFont.h"
#include "render/Composition.h"
#include "render/SceneLook.h"
#include "render/WorldScene.h"

#include <GL/glew.h>

namespace {

struct TextLine {
    const char* text;
    float x, y, size; // pixels
    Vec3 color;
};
constexpr TextLine kTitle{"Coilrun", 20, 16, 55, {0.35f, 0.35f, 0.35f}};
constexpr TextLine kScore{"" /* the score itself */, 780, 16, 55, {0.65f, 0.65f, 0.65f}};
constexpr TextLine kGameOver{"Game Over", 400, 275, 75, {0.75f, 0.15f, 0.05f}};
constexpr TextLine kRestartPrompt{"Press SPACE to restart", 400, 350, 20, {0.5f, 0.5f, 0.5f}};
constexpr TextLine kStartPrompt{"Press LEFT, RIGHT or UP to start!", 400, 310, 20, {0.75f, 0.75f, 0.75f}};

} // namespace

Game::Game() {
    glClearDepth(1.0);
    composition = std::make_unique<Composition>();
    font = std::make_unique<BitmapFont>("font", static_cast<float>(kWindowWidth),
                                        static_cast<float>(kWindowHeight));
    // The World comes last, after every resource of the Game; its scene first.
    scene = std::make_unique<WorldScene>();
    world = std::make_unique<World>();
}

// Members go in reverse order: the World and its scene first, then the font,
// then the full-screen programs and the off-screen target.
Game::~Game() = default;

void Game::render() const {
    drawScene();
    compose();
    drawTexts();
}

void Game::drawScene() const {
    composition->beginScene();
    scene->draw(*world);
}

void Game::compose() const { composition->compose(world->gameOver); }

void Game::drawTexts() const {
    font->drawText(kTitle.text, kTitle.x, kTitle.y, kTitle.size, kTitle.color);
    font->drawTextRight(intToString(world->score), kScore.x, kScore.y, kScore.size, kScore.color);
    if (world->gameOver) {
        for (const TextLine& line : {kGameOver, kRestartPrompt})
            font->drawTextCentered(line.text, line.x, line.y, line.size, line.color);
    } else if (world->direction == Direction::None) {
        font->drawTextCentered(kStartPrompt.text, kStartPrompt.x, kStartPrompt.y, kStartPrompt.size,
                               kStartPrompt.color);
    }
}

void Game::restart() {
    if (!world->gameOver) return;
    // The new game is complete before the old one goes, as a fresh start would build it.
    auto newScene = std::make_unique<WorldScene>();
    auto newWorld = std::make_unique<World>();
    std::swap(scene, newScene);
    std::swap(world, newWorld);
}
