#pragma once

// Everything that differs between the desktop and the browser, behind one
// interface: the build compiles app/PlatformDesktop.cpp (GLFW, GLEW, OpenGL
// 3.2 core) or app/PlatformWeb.cpp (emscripten's GLFW on WebGL 2). The GL
// calls that differ are in render/GlPlatform.h. Nothing outside these files
// includes GLFW, except tests that need a window of their own.

struct GLFWwindow;

// The keys the game reads, by GLFW's codes, in which every platform reports
// them; the platform files check them against GLFW's own names.
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyEscape = 256;
inline constexpr int kKeyRight = 262;
inline constexpr int kKeyLeft = 263;
inline constexpr int kKeyDown = 264;
inline constexpr int kKeyUp = 265;

// The game's window, its context and its input, and what the frame loop asks
// of the machine it runs on. runFrameLoop takes any type with the frame
// operations below, so a test can hand it scripted keys and time.
class Platform {
public:
    Platform() = default;
    ~Platform() { unload(); }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    // Initialises GLFW, opens the 800 x 600 "Coilrun" window with its context
    // (OpenGL 3.2 core on the desktop, WebGL 2 in a page), makes it current and
    // loads the entry points where a loader is needed. On failure prints one
    // line on standard error, leaves nothing open and returns false. GLFW's own
    // error descriptions go to standard error as they happen.
    bool load();
    // Terminates GLFW, which disposes of the window and its context. Call it
    // after everything that owns GL objects is destroyed; safe to call twice.
    void unload();

    // A key code above; the state gathered by the last pollEvents.
    bool keyPressed(int key) const;
    void pollEvents() const;
    double now() const; // seconds
    // Escape: closes the desktop window. A page has nothing to close, so
    // there it is ignored and the game keeps running.
    void requestClose() const;
    bool closeRequested() const;
    // Shows the frame. In a page it then hands control back to the browser,
    // which presents the frame and delivers input, until the next one.
    void endFrame() const;

private:
    GLFWwindow* window = nullptr;
};
