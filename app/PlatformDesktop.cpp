#include "app/Platform.h"

#include "render/SceneLook.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>

// The game names its keys without GLFW; they must be GLFW's codes.
static_assert(kKeySpace == GLFW_KEY_SPACE && kKeyEscape == GLFW_KEY_ESCAPE && kKeyRight == GLFW_KEY_RIGHT &&
              kKeyLeft == GLFW_KEY_LEFT && kKeyDown == GLFW_KEY_DOWN && kKeyUp == GLFW_KEY_UP);

namespace {

void printGlfwError(int, const char* description) { std::fputs(description, stderr); }

} // namespace

bool Platform::load() {
    if (!glfwInit()) {
        const char* why = nullptr;
        glfwGetError(&why);
        std::fprintf(stderr,
                     "Coilrun: cannot start the window system (%s); is a display set? "
                     "Without one, run it under xvfb-run.\n",
                     why ? why : "no reason given");
        return false;
    }
    glfwSetErrorCallback(printGlfwError);

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    window = glfwCreateWindow(kWindowWidth, kWindowHeight, "Coilrun", nullptr, nullptr);
    if (!window) {
        // The error callback writes without a line end: start a line of our own.
        std::fputs("\nCoilrun: cannot open an 800 by 600 window with an OpenGL 3.2 core context\n", stderr);
        glfwTerminate();
        window = nullptr;
        return false;
    }
    glfwMakeContextCurrent(window);

    glewExperimental = GL_TRUE;
    const GLenum glew = glewInit();
    glGetError(); // the loader may leave an error flag behind
    if (glew != GLEW_OK) {
        std::fprintf(stderr, "Coilrun: cannot load the OpenGL entry points (%s)\n",
                     reinterpret_cast<const char*>(glewGetErrorString(glew)));
        glfwTerminate();
        window = nullptr;
        return false;
    }
    glfwSwapInterval(0);
    return true;
}

void Platform::unload() {
    if (!window) return;
    glfwTerminate();
    window = nullptr;
}

bool Platform::keyPressed(int key) const { return glfwGetKey(window, key) == GLFW_PRESS; }

void Platform::pollEvents() const { glfwPollEvents(); }

double Platform::now() const { return glfwGetTime(); }

void Platform::requestClose() const { glfwSetWindowShouldClose(window, GLFW_TRUE); }

bool Platform::closeRequested() const { return glfwWindowShouldClose(window); }

void Platform::endFrame() const { glfwSwapBuffers(window); }
