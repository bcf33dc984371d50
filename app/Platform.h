#pragma once

// Everything that differs between the desktop and the browser, behind one
// interface: the build compiles app/PlatformDesktop.cpp (GLFW, GLEW, OpenGL
// 3.2 core) or app/PlatformWeb.cpp (emscripten's GLFW on WebGL 2). The GL
// calls that differ are in render/GlPlatform.h.

struct GLFWwindow;

// Initialises GLFW, opens the 800 x 600 "Coilrun" window with its context
// (OpenGL 3.2 core on the desktop, WebGL 2 in a page), makes it current and
// loads the entry points where a loader is needed. On failure prints one line
// on standard error, terminates GLFW and returns null. GLFW's own error
// descriptions go to standard error as they happen.
GLFWwindow* openGameWindow();

// What the frame loop asks of the machine it runs on. runFrameLoop takes any
// type with these operations, so a test can hand it scripted keys and time.
class Platform {
public:
    explicit Platform(GLFWwindow* window) : window(window) {}

    // GLFW key codes; the state gathered by the last pollEvents.
    bool keyPressed(int key) const;
    void pollEvents() const;
    double now() const; // seconds
    // Escape: closes the desktop window. A page has nothing to close, so
    // there it is ignored and the game keeps running.
    void requestClose() const;
    bool closeRequested() const;
    // Shows the frame. In a page it then hands control back to the browser,
    // which presents the frame and delivers key events, until the next one.
    void endFrame() const;

    GLFWwindow* window = nullptr;
};
