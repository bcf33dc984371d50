#include "app/FrameLoop.h"
#include "app/Game.h"
#include "app/Platform.h"

#include <GLFW/glfw3.h>

#include <memory>

// The loop names keys without GLFW; they must be GLFW's codes.
static_assert(kKeySpace == GLFW_KEY_SPACE && kKeyEscape == GLFW_KEY_ESCAPE && kKeyRight == GLFW_KEY_RIGHT &&
              kKeyLeft == GLFW_KEY_LEFT && kKeyDown == GLFW_KEY_DOWN && kKeyUp == GLFW_KEY_UP);

int main() {
    GLFWwindow* window = openGameWindow();
    if (!window) return 1;
    Platform platform(window);

    const double lastUpdateTime = platform.now();
    auto game = std::make_unique<Game>();
    runFrameLoop(platform, *game, lastUpdateTime);

    game.reset(); // while the context still exists
    glfwTerminate();
    return 0;
}
