#include "game/World.h"

#include <cstdlib>
#include <utility>

namespace {

struct Move {
    int dx = 0;
    int dy = 0;
};

Move moveOf(Direction d) {
    switch (d) {
    case Direction::Up: return {0, -1};
    case Direction::Right: return {1, 0};
    case Direction::Down: return {0, 1};
    case Direction::Left: return {-1, 0};
    case Direction::None: break;
    }
    return {};
}

bool sameAxis(Direction a, Direction b) { return static_cast<int>(a) % 2 == static_cast<int>(b) % 2; }

// The four L-shaped brackets, one per quarter, symmetric about the centre.
struct WallRun {
    int x0, y0, x1, y1; // inclusive
};
constexpr WallRun kWallRuns[] = {
    {4, 4, 10, 4}, {19, 4, 25, 4}, {4, 15, 10, 15}, {19, 15, 25, 15},
    {4, 5, 4, 7},  {4, 12, 4, 14}, {25, 5, 25, 7},  {25, 12, 25, 14},
};

} // namespace

World::World(RandomSource randomSource) : random(std::move(randomSource)) {
    snake.fill(kNoCell);
    snake[0] = cellIndex(15, 9); // head; the body lies below it, so the snake faces up
    snake[1] = cellIndex(15, 10);
    snake[2] = cellIndex(15, 11);

    board.fill(kOpen);
    for (const WallRun& run : kWallRuns)
        for (int y = run.y0; y <= run.y1; ++y)
            for (int x = run.x0; x <= run.x1; ++x) board[cellIndex(x, y)] = kWall;

    placeFood();
}

Cell World::cellAt(int index) const {
    const int cell = snake[index];
    if (cell == kNoCell) return {};
    const int x = cell % width;
    return {x, (cell - x) / width};
}

int World::snakeLength() const {
    int n = 0;
    while (n < cellCount && snake[n] != kNoCell) ++n;
    return n;
}

void World::queueTurn(Direction d) {
    auto& slots = turnQueue.slots;
    if (direction == Direction::None && slots[0] == Direction::None) {
        // The body lies below the head, so a game cannot begin by moving down.
        if (d != Direction::Down) slots[0] = d;
        return;
    }
    Direction reference = direction;
    int free = 0;
    while (free < TurnQueue::capacity && slots[free] != Direction::None) reference = slots[free++];
    if (free == TurnQueue::capacity) return;
    if (sameAxis(d, reference)) return; // a repeat or a reversal
    slots[free] = d;
}

void World::update(float dt) {
    auto& slots = turnQueue.slots;
    if (stepTimer > 0.0f || (direction == Direction::None && slots[0] == Direction::None) || gameOver) {
        stepTimer -= dt;
        return;
    }
    if (slots[0] != Direction::None) {
        direction = slots[0];
        for (int i = 1; i < TurnQueue::capacity; ++i) slots[i - 1] = slots[i];
        slots[TurnQueue::capacity - 1] = Direction::None;
    }
    const Move move = moveOf(direction);
    step(move.dx, move.dy);
    // The overshoot below zero and this frame's dt are dropped on purpose: the
    // pace is one step per period plus up to a frame, as the game was tuned.
    stepTimer = kStepPeriod;
}

void World::step(int dx, int dy) {
    const Cell head = cellAt(0);
    const int tx = head.x + dx;
    const int ty = head.y + dy;
    if (isFatal(tx, ty)) {
        gameOver = true;
        return;
    }
    const int target = cellIndex(tx, ty);

    const bool grows = tx == foodX && ty == foodY;
    if (grows) {
        score += kPointsPerFood;
        placeFood(target);
    }

    const int length = snakeLength();
    // When growing, the old tail lands in the first free entry; a snake can
    // never be longer than the open cells, so that entry exists.
    const int last = grows ? length : length - 1;
    for (int i = last; i > 0; --i) snake[i] = snake[i - 1];
    snake[0] = target;
}

bool World::isFatal(int x, int y) const {
    if (x < 0 || x >= width || y < 0 || y >= height || isWall(x, y)) return true;
    const int cell = cellIndex(x, y);
    for (int i = 0; i < cellCount && snake[i] != kNoCell; ++i) {
        if (snake[i] != cell) continue;
        const bool isTail = i + 1 == cellCount || snake[i + 1] == kNoCell;
        return !isTail;
    }
    return false;
}

void World::placeFood(int enteringCell) {
    std::array<bool, cellCount> occupied{};
    for (int i = 0; i < cellCount && snake[i] != kNoCell; ++i) occupied[snake[i]] = true;
    // The head is about to enter this cell; food there would sit under the snake.
    if (enteringCell != kNoCell) occupied[enteringCell] = true;

    int freeCells = 0;
    for (int i = 0; i < cellCount; ++i) freeCells += board[i] != kWall && !occupied[i];
    if (freeCells == 0) {
        // The snake fills every open cell: nothing left to eat, and searching
        // would never end, so the game is over.
        foodX = foodY = -1;
        gameOver = true;
        return;
    }

    const Cell head = cellAt(0);
    int freeCandidates = 0;
    for (;;) {
        const int x = random() % width;
        const int y = random() % height;
        if (isWall(x, y) || occupied[cellIndex(x, y)]) continue;
        ++freeCandidates;
        if (std::abs(head.x - x) + std::abs(head.y - y) < kFoodDistanceBase - freeCandidates) continue;
        foodX = x;
        foodY = y;
        return;
    }
}
