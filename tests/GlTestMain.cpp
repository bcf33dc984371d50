// Test entry for tests that need a real OpenGL context: the game's own window
// and context, current for the whole run.
#include "app/Window.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!openGameWindow()) return 1;
    const int result = RUN_ALL_TESTS();
    glfwTerminate();
    return result;
}
