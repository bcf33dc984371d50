#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>

// Codes are shared with the key handling; odd codes are vertical, even codes
// horizontal, so two directions are perpendicular exactly when their parity differs.
enum class Direction : std::int32_t { None = 0, Up = 1, Right = 2, Down = 3, Left = 4 };

struct Cell {
    int x = -1; // column
    int y = -1; // row
};

// Pending turns, oldest first. Filled slots are always a prefix, each slot is
// perpendicular to the one before it, and slot 0 is perpendicular to the
// current direction once the snake moves.
struct TurnQueue {
    static constexpr int capacity = 3;
    std::array<Direction, capacity> slots{}; // Direction::None marks an empty slot
};

// One game in progress: board, snake, food, pending turns, score. It knows
// nothing about drawing, so the rules run without a window; a new game is a new
// World, never a reset one.
class World {
public:
    static constexpr int width = 30;  // columns
    static constexpr int height = 20; // rows
    static constexpr int cellCount = width * height;
    static constexpr int kWall = 1;
    static constexpr int kOpen = -1;
    static constexpr int kNoCell = -1;
    static constexpr float kStepPeriod = 0.05f;      // seconds between steps
    static constexpr float kInitialStepTimer = 0.1f; // seconds before the first step
    static constexpr int kPointsPerFood = 100;
    static constexpr int kFoodDistanceBase = 12; // k-th free candidate needs distance >= 12 - k

    // Source of the food placement's random numbers; the game uses the C
    // runtime's rand(), never seeded, so identical play gives identical food.
    using RandomSource = std::function<int()>;

    explicit World(RandomSource random = [] { return std::rand(); });

    Cell cellAt(int index) const;
    int snakeLength() const;
    bool isWall(int x, int y) const { return board[y * width + x] == kWall; }
    // Whether moving the head onto (x, y) ends the game: off the board, a
    // wall, or a segment other than the tail, which leaves in the same step.
    bool isFatal(int x, int y) const;

    void queueTurn(Direction d);
    // Advances by dt seconds; takes at most one step however large dt is.
    void update(float dt);
    void placeFood(int enteringCell = kNoCell);

    static constexpr int cellIndex(int x, int y) { return y * width + x; }

    int cameraMode = 1;                  // 1 selects the fixed overview camera
    float stepTimer = kInitialStepTimer; // seconds until the next step may be taken
    std::array<int, cellCount> snake{};  // cell indices, head first, then kNoCell
    int foodX = 0;
    int foodY = 0;
    std::array<int, cellCount> board{}; // kWall or kOpen, row-major
    TurnQueue turnQueue;
    Direction direction = Direction::None;
    bool gameOver = false;
    int score = 0;

private:
    void step(int dx, int dy);

    RandomSource random;
};
