#include "app/Platform.h"

#include "render/SceneLook.h"

#include <GLFW/glfw3.h>
#include <emscripten.h>

#include <cstdio>

// The game names its keys without GLFW; they must be GLFW's codes.
static_assert(kKeySpace == GLFW_KEY_SPACE && kKeyEscape == GLFW_KEY_ESCAPE && kKeyRight == GLFW_KEY_RIGHT &&
              kKeyLeft == GLFW_KEY_LEFT && kKeyDown == GLFW_KEY_DOWN && kKeyUp == GLFW_KEY_UP);

namespace {

void printGlfwError(int, const char* description) { std::fputs(description, stderr); }

// The page (app/PlatformWeb.html) provides these on Module.

// Says on the page that there is no WebGL 2 here and what to try.
EM_JS(void, showNoWebGl2, (), { Module.showNoWebGl2(); });

// Key presses made by touch (a swipe's arrow, a tap's Space), queued by the
// page: pollTouch holds the next one for one poll, touchKeyDown asks whether
// it is `key`. The page never holds the same key two polls running, so a press
// is seen down for one poll and up for at least one.
EM_JS(void, pollTouch, (), { Module.pollTouch(); });
EM_JS(bool, touchKeyDown, (int key), { return Module.touchKey == key; });

// Returns at the browser's next animation frame: one game frame per frame
// shown, none while the tab is hidden, none while the context is lost (the
// page reloads when it comes back). Asyncify suspends the loop meanwhile.
EM_ASYNC_JS(void, waitForNextFrame, (), { await Module.nextFrame(); });

} // namespace

bool Platform::load() {
    if (!glfwInit()) {
        std::fputs("Coilrun: cannot start GLFW in this page\n", stderr);
        return false;
    }
    glfwSetErrorCallback(printGlfwError);

    // WebGL 2 is OpenGL ES 3.0; the link options make it the only context
    // emscripten creates.
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    window = glfwCreateWindow(kWindowWidth, kWindowHeight, "Coilrun", nullptr, nullptr);
    if (!window) {
        std::fputs("\nCoilrun: this browser cannot give the page a WebGL 2 context\n", stderr);
        showNoWebGl2();
        glfwTerminate();
        window = nullptr;
        return false;
    }
    glfwMakeContextCurrent(window);
    // No loader: emscripten links the GL entry points. No swap interval: the
    // browser paces the frames, and emscripten's GLFW would set it on a main
    // loop callback, which this game does not use.
    return true;
}

void Platform::unload() {
    if (!window) return;
    glfwTerminate();
    window = nullptr;
}

bool Platform::keyPressed(int key) const {
    return glfwGetKey(window, key) == GLFW_PRESS || touchKeyDown(key);
}

// Key and touch events arrive while the page has control, between frames;
// GLFW has recorded the keys by the time the loop asks, and the page queues
// the touch gestures.
void Platform::pollEvents() const {
    glfwPollEvents();
    pollTouch();
}

double Platform::now() const { return glfwGetTime(); }

// Nothing to close in a page: leaving it is the browser's business.
void Platform::requestClose() const {}

bool Platform::closeRequested() const { return glfwWindowShouldClose(window); }

void Platform::endFrame() const {
    glfwSwapBuffers(window);
    // Back to the browser, which shows the frame and delivers input; the loop
    // resumes where it was (asyncify), so it keeps its desktop shape. Waiting
    // for the display rather than a timer: a timer let the game draw frames
    // that were never shown, up to three for one.
    waitForNextFrame();
}
