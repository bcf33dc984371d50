// Arbitrary sequences of turns and updates, with the rules' invariants checked
// after every call.
#include "game/World.h"

#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkInvariants(const World& w) {
    const int length = w.snakeLength();
    check(length >= 3 && length <= World::cellCount);
    for (int i = length; i < World::cellCount; ++i) check(w.snake[i] == World::kNoCell);
    std::set<int> cells;
    for (int i = 0; i < length; ++i) {
        const int cell = w.snake[i];
        check(cell >= 0 && cell < World::cellCount);
        check(cells.insert(cell).second); // distinct
        check(w.board[cell] != World::kWall);
        if (i > 0) {
            const Cell a = w.cellAt(i - 1), b = w.cellAt(i);
            check(std::abs(a.x - b.x) + std::abs(a.y - b.y) == 1); // neighbours
        }
    }
    check(w.score >= 0 && w.score % 100 == 0 && length == 3 + w.score / 100);
    if (w.foodX >= 0) {
        check(w.foodX < World::width && w.foodY >= 0 && w.foodY < World::height);
        check(!w.isWall(w.foodX, w.foodY));
        check(!w.gameOver ? !cells.count(World::cellIndex(w.foodX, w.foodY)) : true);
    } else {
        check(w.gameOver); // no food only once the board is full
    }
    // Filled slots form a prefix, each perpendicular to the one before.
    Direction previous = w.direction;
    bool empty = false;
    for (Direction d : w.turnQueue.slots) {
        if (d == Direction::None) {
            empty = true;
            continue;
        }
        check(!empty);
        if (previous != Direction::None) check(static_cast<int>(d) % 2 != static_cast<int>(previous) % 2);
        previous = d;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t next = 0;
    World w([&] {
        return next < size ? data[next++] * 131 + 7 : static_cast<int>(next++ * 2654435761u % 32768);
    });
    checkInvariants(w);
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b < 64) {
            w.queueTurn(static_cast<Direction>(1 + b % 4));
        } else {
            const bool wasOver = w.gameOver;
            w.update(static_cast<float>(b - 64) / 1000.0f);
            check(!wasOver || w.gameOver); // never cleared
        }
        checkInvariants(w);
    }
    return 0;
}
