#include "app/FrameLoop.h"

#include "app/Game.h"
#include "game/World.h"

#include <GLFW/glfw3.h>

#include <cstdio>

namespace {

struct TurnKey {
    int key;
    Direction direction;
};
// Offered in this order when several are pressed in one frame.
constexpr TurnKey kTurnKeys[] = {
    {GLFW_KEY_UP, Direction::Up},
    {GLFW_KEY_RIGHT, Direction::Right},
    {GLFW_KEY_DOWN, Direction::Down},
    {GLFW_KEY_LEFT, Direction::Left},
};

} // namespace

void runFrameLoop(GLFWwindow* window, Game& game, double lastUpdateTime) {
    FreshPress turnPresses[4];
    FreshPress spacePress;
    FrameRateCounter counter(glfwGetTime());
    auto pressed = [window](int key) { return glfwGetKey(window, key) == GLFW_PRESS; };

    while (!glfwWindowShouldClose(window)) {
        // Input: the key states gathered by the previous frame's poll.
        if (pressed(GLFW_KEY_ESCAPE)) glfwSetWindowShouldClose(window, GLFW_TRUE); // this frame still runs
        for (int i = 0; i < 4; ++i)
            if (turnPresses[i](pressed(kTurnKeys[i].key))) game.world->queueTurn(kTurnKeys[i].direction);
        // A press while the game runs is consumed, so holding Space through a
        // game over does not restart it.
        if (spacePress(pressed(GLFW_KEY_SPACE))) game.restart();
        glfwPollEvents();

        // Update: not while the game is over; the clock moves on regardless, so
        // a new game's first update gets one frame's time.
        const double now = glfwGetTime();
        if (!game.world->gameOver) game.world->update(static_cast<float>(now - lastUpdateTime));
        lastUpdateTime = now;

        game.render();

        const int rate = counter.frameFinished(glfwGetTime());
        if (rate >= 0) {
            std::printf("%d\n", rate);
            std::fflush(stdout);
        }
        glfwSwapBuffers(window);
    }
}
