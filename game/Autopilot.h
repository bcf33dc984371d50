#pragma once

#include "game/World.h"

// A simple player for benchmarks and long-play tests: heads for the food,
// never turns onto a cell that ends the game when another move is safe, and
// prefers cells with more room around them.
// Returns the turn to offer now, or Direction::None to keep going.
Direction chooseTurn(const World& world);
