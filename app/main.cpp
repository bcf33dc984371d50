#include "app/FrameLoop.h"
#include "app/Game.h"
#include "app/Window.h"

#include <GLFW/glfw3.h>

#include <memory>

int main() {
    GLFWwindow* window = openGameWindow();
    if (!window) return 1;

    const double lastUpdateTime = glfwGetTime();
    auto game = std::make_unique<Game>();
    runFrameLoop(window, *game, lastUpdateTime);

    game.reset(); // while the context still exists
    glfwTerminate();
    return 0;
}
