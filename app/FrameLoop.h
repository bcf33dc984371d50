#pragma once

#include "app/Game.h"
#include "app/Platform.h"
#include "game/World.h"

#include <cstdio>

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

struct TurnKey {
    int key;
    Direction direction;
};
// Offered in this order when several are pressed in one frame.
inline constexpr TurnKey kTurnKeys[] = {
    {kKeyUp, Direction::Up},
    {kKeyRight, Direction::Right},
    {kKeyDown, Direction::Down},
    {kKeyLeft, Direction::Left},
};

// Runs frames until the platform reports a close request: keys, events,
// update, render, frame rate, swap. `lastUpdateTime` is the clock read before
// the Game was built, so the first update includes the time it took to build.
// PlatformOps is app/Platform.h's Platform in the game; anything with the same
// operations (keyPressed, pollEvents, now, requestClose, closeRequested,
// endFrame) can drive the loop, such as scripted keys and time in a test.
template <class PlatformOps> void runFrameLoop(PlatformOps& platform, Game& game, double lastUpdateTime) {
    FreshPress turnPresses[4];
    FreshPress spacePress;
    FrameRateCounter counter(platform.now());

    while (!platform.closeRequested()) {
        // Input: the key states gathered by the previous frame's poll.
        if (platform.keyPressed(kKeyEscape)) platform.requestClose(); // this frame still runs
        for (int i = 0; i < 4; ++i)
            if (turnPresses[i](platform.keyPressed(kTurnKeys[i].key)))
                game.world->queueTurn(kTurnKeys[i].direction);
        // A press while the game runs is consumed, so holding Space through a
        // game over does not restart it.
        if (spacePress(platform.keyPressed(kKeySpace))) game.restart();
        platform.pollEvents();

        // Update: not while the game is over; the clock moves on regardless, so
        // a new game's first update gets one frame's time.
        const double now = platform.now();
        if (!game.world->gameOver) game.world->update(static_cast<float>(now - lastUpdateTime));
        lastUpdateTime = now;

        game.render();

        const int rate = counter.frameFinished(platform.now());
        if (rate >= 0) {
            std::printf("%d\n", rate);
            std::fflush(stdout);
        }
        platform.endFrame(); // swap
    }
}
