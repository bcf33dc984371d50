// Micro-benchmarks of the hot pure code: no window needed.
#include "game/Autopilot.h"
#include "game/World.h"
#include "render/BitmapFont.h"
#include "render/Math.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void BM_Translate(benchmark::State& state) {
    const Mat4 identity;
    float x = 0.5f;
    for (auto _ : state) {
        Mat4 m = translate(identity, {x, 0.0f, 9.5f});
        benchmark::DoNotOptimize(m);
        x += 1.0f;
    }
}
BENCHMARK(BM_Translate);

// An update between steps: the timer counting down.
void BM_WorldUpdateBetweenSteps(benchmark::State& state) {
    World world;
    world.queueTurn(Direction::Up);
    for (auto _ : state) {
        world.stepTimer = 1.0f;
        world.update(0.016f);
        benchmark::DoNotOptimize(world.stepTimer);
    }
}
BENCHMARK(BM_WorldUpdateBetweenSteps);

// An update that steps, plus the bot choosing its next turn, which keeps the
// game going; a lost game is replaced outside the timing.
void BM_WorldStepWithBot(benchmark::State& state) {
    auto world = std::make_unique<World>();
    world->queueTurn(Direction::Up);
    for (auto _ : state) {
        if (world->gameOver) {
            state.PauseTiming();
            world = std::make_unique<World>();
            world->queueTurn(Direction::Up);
            state.ResumeTiming();
        }
        world->stepTimer = 0.0f;
        world->update(0.016f);
        if (const Direction turn = chooseTurn(*world); turn != Direction::None) world->queueTurn(turn);
    }
}
BENCHMARK(BM_WorldStepWithBot);

// Food placement with only `free` open cells left off the snake.
void BM_PlaceFoodNearlyFull(benchmark::State& state) {
    World world;
    const int free = static_cast<int>(state.range(0));
    int open = 0;
    for (int i = 0; i < World::cellCount; ++i) open += world.board[i] != World::kWall;
    world.snake.fill(World::kNoCell);
    int n = 0;
    for (int i = 0; i < World::cellCount && n < open - free; ++i)
        if (world.board[i] != World::kWall) world.snake[n++] = i;
    for (auto _ : state) {
        world.placeFood();
        benchmark::DoNotOptimize(world.foodX);
    }
}
BENCHMARK(BM_PlaceFoodNearlyFull)->Arg(1)->Arg(10)->Arg(100);

void BM_TextWidth(benchmark::State& state) {
    std::FILE* list = std::fopen("data/font.csv", "r");
    const FontTables tables = buildFontTables(list, 512, 512);
    if (list) std::fclose(list);
    for (auto _ : state)
        benchmark::DoNotOptimize(textWidth(tables.charWidths, "Press LEFT, RIGHT or UP to start!", 20));
}
BENCHMARK(BM_TextWidth);

} // namespace
