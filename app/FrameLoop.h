#pragma once

struct GLFWwindow;
class Game;

// A key acts once per press: in the first frame it is seen down, however long
// it is held; it must be seen up again before it acts again.
class FreshPress {
public:
    bool operator()(bool pressed) {
        if (!pressed) {
            armed = true;
            return false;
        }
        const bool fresh = armed;
        armed = false;
        return fresh;
    }

private:
    bool armed = true;
};

// Frames per second, reported about once a second.
class FrameRateCounter {
public:
    explicit FrameRateCounter(double now) : lastTime(now) {}

    // Call once per finished frame with the clock in seconds. Returns the rate
    // to print (truncated), or -1 while less than a whole second has gone by.
    int frameFinished(double now) {
        ++frames;
        elapsed = static_cast<float>((now - lastTime) + elapsed);
        lastTime = now;
        if (!(elapsed > 1.0f)) return -1;
        const int rate = static_cast<int>(static_cast<float>(frames) / elapsed);
        frames = 0;
        elapsed = 0.0f;
        return rate;
    }

private:
    double lastTime = 0.0; // seconds
    float elapsed = 0.0f;  // seconds since the last report
    int frames = 0;        // since the last report
};

// Runs frames until the window is asked to close: keys, events, update, render,
// frame rate, swap. `lastUpdateTime` is the clock read before the Game was
// built, so the first update includes the time it took to build.
void runFrameLoop(GLFWwindow* window, Game& game, double lastUpdateTime);
