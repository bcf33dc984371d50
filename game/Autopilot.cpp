#include "game/Autopilot.h"

#include <cstdlib>

namespace {

struct Step {
    Direction direction;
    int dx, dy;
};
constexpr Step kSteps[] = {
    {Direction::Up, 0, -1}, {Direction::Right, 1, 0}, {Direction::Down, 0, 1}, {Direction::Left, -1, 0}};

bool isSafe(const World& w, int x, int y) {
    if (x < 0 || x >= World::width || y < 0 || y >= World::height || w.isWall(x, y)) return false;
    const int cell = World::cellIndex(x, y);
    for (int i = 0; i < World::cellCount && w.snake[i] != World::kNoCell; ++i) {
        const bool isTail = i + 1 == World::cellCount || w.snake[i + 1] == World::kNoCell;
        if (w.snake[i] == cell) return isTail;
    }
    return true;
}

int room(const World& w, int x, int y) {
    int free = 0;
    for (const Step& s : kSteps) free += isSafe(w, x + s.dx, y + s.dy);
    return free;
}

} // namespace

Direction chooseTurn(const World& w) {
    // Turns already pending decide the next steps; judge again after them.
    if (w.gameOver || w.turnQueue.slots[0] != Direction::None) return Direction::None;
    const Cell head = w.cellAt(0);
    Direction best = Direction::None;
    int bestScore = 1 << 30;
    for (const Step& s : kSteps) {
        const bool reverse = w.direction != Direction::None &&
                             static_cast<int>(s.direction) % 2 == static_cast<int>(w.direction) % 2 &&
                             s.direction != w.direction;
        if (reverse || (w.direction == Direction::None && s.direction == Direction::Down)) continue;
        const int x = head.x + s.dx, y = head.y + s.dy;
        if (!isSafe(w, x, y)) continue;
        const int distance = std::abs(x - w.foodX) + std::abs(y - w.foodY);
        const int score = distance * 4 - room(w, x, y) * 3 - (s.direction == w.direction);
        if (score < bestScore) {
            bestScore = score;
            best = s.direction;
        }
    }
    return best == w.direction ? Direction::None : best;
}
