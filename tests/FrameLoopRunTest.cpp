// The real frame loop and the real Game, driven by scripted key states and a
// scripted clock in place of the window: what reaches the World, in which
// order, and with how much time.
#include "app/FrameLoop.h"
#include "app/Game.h"
#include "game/World.h"

#include "StdoutCapture.h"
#include "TempDataDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

struct ScriptedFrame {
    std::vector<int> keys; // held during the frame, as the previous poll left them
    double seconds = 0.01; // the clock moves on by this much in the frame's poll
    std::function<void(Game&)> duringPoll = {};
};

// What the World looked like when a frame was shown.
struct Shown {
    const World* world;
    float stepTimer;
    std::array<Direction, TurnQueue::capacity> queue;
};

// The operations runFrameLoop asks of a platform, from a script. The loop
// ends after the last scripted frame, or when it asks to close.
class ScriptedPlatform {
public:
    ScriptedPlatform(Game& game, std::vector<ScriptedFrame> frames, double start)
        : game(game), frames(std::move(frames)), clock(start) {}

    bool keyPressed(int key) const {
        const std::vector<int>& keys = frames[frame].keys;
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    }
    void pollEvents() {
        clock += frames[frame].seconds;
        if (frames[frame].duringPoll) frames[frame].duringPoll(game);
    }
    double now() const { return clock; }
    void requestClose() { closeAsked = true; }
    bool closeRequested() const { return closeAsked || frame >= frames.size(); }
    void endFrame() {
        shown.push_back({game.world.get(), game.world->stepTimer, game.world->turnQueue.slots});
        ++frame;
    }

    std::vector<Shown> shown;

private:
    Game& game;
    std::vector<ScriptedFrame> frames;
    std::size_t frame = 0;
    double clock = 0; // seconds
    bool closeAsked = false;
};

class FrameLoopRunTest : public testing::Test {
protected:
    // Runs the script; the Game counts as built `buildSeconds` before it.
    std::vector<Shown> run(std::vector<ScriptedFrame> frames, double buildSeconds = 0) {
        ScriptedPlatform platform(game, std::move(frames), 100.0);
        StdoutCapture out; // frame-rate lines
        runFrameLoop(platform, game, 100.0 - buildSeconds);
        return platform.shown;
    }

    TempDataDir dir{true};
    Game game;
};

TEST_F(FrameLoopRunTest, ArrowsPressedTogetherAreOfferedUpRightDownLeft) {
    // From the opening position every order fills the queue with the first
    // three keys offered, so the queue shows the order.
    const auto shown = run({{{kKeyLeft, kKeyDown, kKeyRight, kKeyUp}, 0.001}});
    ASSERT_EQ(shown.size(), 1u);
    const std::array<Direction, 3> expected{Direction::Up, Direction::Right, Direction::Down};
    EXPECT_EQ(shown[0].queue, expected);
}

TEST_F(FrameLoopRunTest, EscapeEndsTheLoopAfterTheFrameThatSawIt) {
    const auto shown = run({{}, {{kKeyEscape}}, {}, {}});
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(FrameLoopRunTest, FirstUpdateIncludesTheTimeTheGameTookToBuild) {
    const auto shown = run({{{}, 0.001}}, 0.03);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FLOAT_EQ(shown[0].stepTimer, World::kInitialStepTimer - 0.031f);
}

TEST_F(FrameLoopRunTest, SpaceRestartsOnlyWhenPressedAfterTheGameIsOver) {
    auto end = [](Game& g) { g.world->gameOver = true; };
    const auto shown = run({
        {{kKeySpace}},            // consumed: the game runs
        {{kKeySpace}, 0.01, end}, // still held as the game ends
        {{kKeySpace}, 50.0},      // held on: no restart, however long
        {{}, 50.0},               // released
        {{kKeySpace}, 0.01},      // a fresh press: a new game
        {{}, 0.02},
    });
    ASSERT_EQ(shown.size(), 6u);
    const World* first = shown[0].world;
    for (int f = 1; f <= 3; ++f) EXPECT_EQ(shown[f].world, first) << "frame " << f;
    EXPECT_NE(shown[4].world, first);
    EXPECT_FALSE(game.world->gameOver);
    // The game-over screen's hundred seconds do not reach the new World: its
    // first update gets one frame's time, then the next frame's.
    EXPECT_FLOAT_EQ(shown[4].stepTimer, World::kInitialStepTimer - 0.01f);
    EXPECT_FLOAT_EQ(shown[5].stepTimer, World::kInitialStepTimer - 0.01f - 0.02f);
}

} // namespace
