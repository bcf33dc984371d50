// Runs the real Game in a real window for a fixed number of frames in each
// screen state and prints where the time goes. glFinish separates the passes
// here only, so each pass is charged its own GPU work; the game never calls it.
//
//   bench/run.sh            (or: tests/with-display.sh build/bench/frame_bench)
#include "app/Game.h"
#include "app/Platform.h"
#include "game/Autopilot.h"
#include "game/World.h"
#include "render/Composition.h"
#include "render/WorldScene.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

// Every heap allocation made through operator new in this process.
static long long gAllocations = 0;

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    std::abort(); // the benchmark has no way on without memory
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kLongSnake = 300; // segments

// Seconds since this process was started by the kernel.
double secondsSinceProcessStart() {
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f) return -1;
    char buffer[1024] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    // Field 22, counted after the parenthesised command name.
    const char* p = std::strrchr(buffer, ')');
    unsigned long long startTicks = 0;
    for (int field = 2; p && field < 22; ++field) p = std::strchr(p + 1, ' ');
    if (p) startTicks = std::strtoull(p + 1, nullptr, 10);
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    return boot.tv_sec + boot.tv_nsec * 1e-9 - static_cast<double>(startTicks) / sysconf(_SC_CLK_TCK);
}

// What the figures depend on: on a software rasteriser the same frame costs
// very different amounts on different processors and driver versions.
void printMachine() {
    char model[256] = "unknown";
    if (std::FILE* f = std::fopen("/proc/cpuinfo", "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, f)) {
            if (std::strncmp(line, "model name", 10) != 0) continue;
            if (const char* colon = std::strchr(line, ':')) {
                std::snprintf(model, sizeof model, "%s", colon + 2);
                model[std::strcspn(model, "\n")] = '\0';
            }
            break;
        }
        std::fclose(f);
    }
    std::printf("cpu: %s, %ld cores online\n", model, sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("gl: %s; %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct FrameTimes {
    double scene = 0, compose = 0, text = 0, swap = 0; // seconds
    double total() const { return scene + compose + text + swap; }
};

// One frame of the game's loop, passes timed apart. `palette` stands in for
// the game's colours in the scene pass, for the one-colour comparison.
FrameTimes frame(const Platform& platform, Game& game, double& lastUpdate, bool steer, bool advance = true,
                 const ScenePalette& palette = kScenePalette) {
    FrameTimes t;
    if (steer) {
        if (const Direction turn = chooseTurn(*game.world); turn != Direction::None)
            game.world->queueTurn(turn);
    }
    platform.pollEvents();
    const double start = platform.now();
    if (advance && !game.world->gameOver) game.world->update(static_cast<float>(start - lastUpdate));
    lastUpdate = start;
    game.composition->beginScene();
    game.scene->draw(*game.world, palette);
    glFinish();
    const double a = platform.now();
    game.compose();
    glFinish();
    const double b = platform.now();
    game.drawTexts();
    glFinish();
    const double c = platform.now();
    platform.endFrame();
    glFinish();
    const double d = platform.now();
    t.scene = a - start;
    t.compose = b - a;
    t.text = c - b;
    t.swap = d - c;
    return t;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * (v.size() - 1))];
}

void report(const char* state, const std::vector<FrameTimes>& frames, long long allocations) {
    std::vector<double> total, scene, compose, text, swap;
    for (const FrameTimes& f : frames) {
        total.push_back(f.total());
        scene.push_back(f.scene);
        compose.push_back(f.compose);
        text.push_back(f.text);
        swap.push_back(f.swap);
    }
    const double median = percentile(total, 0.5);
    std::printf("%-9s %6zu %9.2f %9.2f %7.1f %8.3f %8.2f %8.2f %8.2f %8.2f %9ld\n", state, frames.size(),
                median * 1e3, percentile(total, 0.99) * 1e3, 1.0 / median,
                static_cast<double>(allocations) / static_cast<double>(frames.size()),
                percentile(scene, 0.5) * 1e3, percentile(compose, 0.5) * 1e3, percentile(text, 0.5) * 1e3,
                percentile(swap, 0.5) * 1e3, peakResidentKiB());
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    Platform platform;
    if (!platform.load()) return 1;

    double lastUpdate = platform.now();
    auto game = std::make_unique<Game>();
    game->render();
    platform.endFrame();
    glFinish();
    const double startup = secondsSinceProcessStart();

    printMachine();
    std::printf("start-up to the first swapped frame: %.1f ms\n\n", startup * 1e3);
    std::printf("%-9s %6s %9s %9s %7s %8s %8s %8s %8s %8s %9s\n", "state", "frames", "median", "p99", "fps",
                "allocs/f", "scene", "compose", "text", "swap", "peakRSS");
    std::printf("%-9s %6s %9s %9s %7s %8s %8s %8s %8s %8s %9s\n", "", "", "ms", "ms", "", "", "ms", "ms",
                "ms", "ms", "KiB");

    std::vector<FrameTimes> times;
    auto run = [&](const char* state, bool steer, int count) {
        times.clear();
        times.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < 10; ++i) frame(platform, *game, lastUpdate, steer); // warm up
        int restarts = 0;
        const long long before = gAllocations;
        long long restartAllocations = 0;
        for (int i = 0; i < count; ++i) {
            if (steer && game->world->gameOver) {
                // The bot lost: a restart is not a steady frame, so it is left out.
                const long long a = gAllocations;
                game->restart();
                restartAllocations += gAllocations - a;
                ++restarts;
            }
            times.push_back(frame(platform, *game, lastUpdate, steer));
        }
        report(state, times, gAllocations - before - restartAllocations);
        return restarts;
    };

    run("waiting", false, frames);

    // Pairs of states measured frame by frame in turn, so both see the same
    // machine: a drift in the other load on the processor hits both alike.
    // Returns the medians of the per-pair ratios B / A: scene pass, whole frame.
    struct Ratios {
        double scene, total;
    };
    auto alternate = [&](const char* labelA, auto frameA, const char* labelB, auto frameB, int count) {
        std::vector<FrameTimes> a, b;
        std::vector<double> scene, total;
        for (auto* v : {&a, &b}) v->reserve(static_cast<std::size_t>(count));
        for (auto* v : {&scene, &total}) v->reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < 10; ++i) frameA(), frameB();
        const long long before = gAllocations;
        for (int i = 0; i < count; ++i) {
            a.push_back(frameA());
            b.push_back(frameB());
        }
        const long long allocations = gAllocations - before;
        for (std::size_t i = 0; i < a.size(); ++i) {
            scene.push_back(b[i].scene / a[i].scene);
            total.push_back(b[i].total() / a[i].total());
        }
        report(labelA, a, allocations / 2);
        report(labelB, b, allocations / 2);
        return Ratios{percentile(scene, 0.5), percentile(total, 0.5)};
    };

    // The start screen drawn with every object in one colour: what is left is
    // the cost of the colour changes between draws.
    const Vec3 grey = kScenePalette.floor;
    const ScenePalette oneColour{grey, grey, grey, grey, grey};
    const Ratios colour = alternate(
        "1 colour", [&] { return frame(platform, *game, lastUpdate, false, true, oneColour); }, //
        "waiting", [&] { return frame(platform, *game, lastUpdate, false); }, frames);

    game->world->queueTurn(Direction::Up);
    const int restarts = run("playing", true, frames * 2);

    // A snake of 3 against one of 300 segments, both standing still in the
    // playing state: every segment is a draw with its own colour upload.
    auto shortSnake = std::make_unique<World>();
    auto longSnake = std::make_unique<World>();
    shortSnake->direction = longSnake->direction = Direction::Right;
    longSnake->snake.fill(World::kNoCell);
    const int foodCell = World::cellIndex(longSnake->foodX, longSnake->foodY);
    for (int i = 0, k = 0; i < World::cellCount && k < kLongSnake; ++i)
        if (longSnake->board[i] != World::kWall && i != foodCell) longSnake->snake[k++] = i;
    auto drawStill = [&](std::unique_ptr<World>& world) {
        std::swap(game->world, world);
        const FrameTimes t = frame(platform, *game, lastUpdate, false, false);
        std::swap(game->world, world);
        return t;
    };
    const Ratios snake = alternate(
        "3 segs", [&] { return drawStill(shortSnake); }, //
        "300 segs", [&] { return drawStill(longSnake); }, frames);

    // The start screen against the same World shown as over: the blur and the
    // game-over texts against the sharp copy and the start prompt.
    auto shownAs = [&](bool over) {
        shortSnake->direction = Direction::None;
        shortSnake->gameOver = over;
        return drawStill(shortSnake);
    };
    const Ratios over = alternate(
        "waiting", [&] { return shownAs(false); }, //
        "over", [&] { return shownAs(true); }, frames);

    while (!game->world->gameOver) game->world->update(1.0f); // straight on until it hits something
    run("game over", false, frames);

    std::printf("\nmedians of frame-by-frame ratios:\n");
    std::printf("  real colours / one colour: scene pass %.3f, whole frame %.3f\n", colour.scene,
                colour.total);
    std::printf("  300 / 3 segments:          scene pass %.3f, whole frame %.3f\n", snake.scene, snake.total);
    std::printf("  game over / waiting:       whole frame %.3f (frame rate %.3f)\n", over.total,
                1.0 / over.total);
    // The frame in which Space is acted on: a new World with its scene program.
    const double restartStart = platform.now();
    game->restart();
    frame(platform, *game, lastUpdate, false);
    const double restartFrame = platform.now() - restartStart;
    std::printf("\nrestart frame (new World and scene program, then one frame): %.1f ms\n",
                restartFrame * 1e3);
    std::printf("bot restarts while playing: %d\n", restarts);

    game.reset();
    platform.unload();
    return 0;
}
