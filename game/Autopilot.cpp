#include "game/Autopilot.h"

#include <cstdlib>

namespace {

struct Step {
    Direction direction;
    int dx, dy;
};
constexpr Step kSteps[] = {
    {Direction::Up, 0, -1}, {Direction::Right, 1, 0}, {Direction::Down, 0, 1}, {Direction::Left, -1, 0}};

int room(const World& w, int x, int y) {
    int free = 0;
    for (const Step& s : kSteps) free += !w.isFatal(x + s.dx, y + s.dy);
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
        // A reversal, or Down at the start, runs into the neck: fatal, so never chosen.
        const int x = head.x + s.dx, y = head.y + s.dy;
        if (w.isFatal(x, y)) continue;
        const int distance = std::abs(x - w.foodX) + std::abs(y - w.foodY);
        const int score = distance * 4 - room(w, x, y) * 3 - (s.direction == w.direction);
        if (score < bestScore) {
            bestScore = score;
            best = s.direction;
        }
    }
    return best == w.direction ? Direction::None : best;
}
