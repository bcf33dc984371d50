// Long play: thousands of games with restarts on the real Game and context,
// checking that OpenGL objects and memory come back to where they were.
#include "app/Game.h"
#include "game/Autopilot.h"
#include "game/World.h"
#include "render/ShaderProgram.h"
#include "render/WorldScene.h"

#include "TempDataDir.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// Every live object of the kinds the game makes, found by asking about each
// name. The driver hands out new names above the highest in use rather than
// reusing freed ones, so the scan goes a little past the newest.
int liveGlObjects(const Game& game) {
    const GLuint newest = std::max({game.scene->program->programId, game.scene->vertexBuffer,
                                    game.scene->indexBuffer, game.scene->vertexArray});
    int live = 0;
    for (GLuint name = 1; name < newest + 64; ++name)
        live += glIsBuffer(name) + glIsVertexArray(name) + glIsTexture(name) + glIsFramebuffer(name) +
                glIsRenderbuffer(name) + glIsProgram(name) + glIsShader(name);
    return live;
}

long residentKiB() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int gamesToPlay() {
    const char* n = std::getenv("COILRUN_SOAK_GAMES");
    return n ? std::atoi(n) : 2000;
}

TEST(SoakTest, ThousandsOfGamesLeaveNoObjectsOrMemoryBehind) {
    TempDataDir dir(true);
    Game game;
    const int games = gamesToPlay();
    int baseline = -1;
    long residentAfterWarmUp = 0;
    long long steps = 0;
    int longest = 0;
    for (int g = 0; g < games; ++g) {
        World& w = *game.world;
        // The bot plays a while, then lets the snake run straight on into
        // whatever is ahead, so every game ends.
        const int budget = 50 + g % 150;
        w.queueTurn(Direction::Up);
        for (int s = 0; !w.gameOver; ++s) {
            if (s < budget) {
                if (const Direction turn = chooseTurn(w); turn != Direction::None) w.queueTurn(turn);
            }
            w.stepTimer = 0.0f;
            w.update(0.016f);
            ++steps;
        }
        longest = std::max(longest, w.snakeLength());
        game.render(); // the game-over frame, blurred
        glFinish();
        game.restart();
        game.render(); // the first frame of the next game
        glFinish();
        ASSERT_FALSE(game.world->gameOver);
        ASSERT_EQ(game.world->score, 0);

        const int live = liveGlObjects(game);
        if (baseline < 0) baseline = live;
        ASSERT_EQ(live, baseline) << "after restart " << g + 1;
        if (g == std::min(99, games - 1)) residentAfterWarmUp = residentKiB();
    }
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const long residentAtEnd = residentKiB();
    std::printf("%d games, %lld steps, longest snake %d; live GL objects %d after every restart; "
                "resident %ld KiB after %d games, %ld KiB at the end\n",
                games, steps, longest, baseline, residentAfterWarmUp, std::min(100, games), residentAtEnd);
    EXPECT_LT(residentAtEnd - residentAfterWarmUp, 8 * 1024) << "resident memory grew";
}

} // namespace
