#include "game/World.h"

#include "game/Autopilot.h"

#include <gtest/gtest.h>

#include <ostream>

#include <deque>
#include <initializer_list>
#include <set>
#include <vector>

namespace {

// Hands out the given draws, then keeps drawing from the last one; counts how
// many were taken.
struct Draws {
    std::deque<int> values;
    int taken = 0;
    World::RandomSource source() {
        return [this] {
            ++taken;
            const int v = values.front();
            if (values.size() > 1) values.pop_front();
            return v;
        };
    }
};

// A World far from anything, food parked in a corner, with a snake laid on
// the given cells (head first) and moving in direction d, ready to step.
void layOut(World& w, std::initializer_list<Cell> cells, Direction d) {
    w.snake.fill(World::kNoCell);
    int i = 0;
    for (const Cell& c : cells) w.snake[i++] = World::cellIndex(c.x, c.y);
    w.direction = d;
    w.foodX = 0;
    w.foodY = 0;
    w.stepTimer = 0.0f;
}

std::vector<int> snakeCells(const World& w) {
    return std::vector<int>(w.snake.begin(), w.snake.begin() + w.snakeLength());
}

TEST(WorldTest, NewWorldStartsWaitingWithTheSnakeFacingUp) {
    World w;
    EXPECT_EQ(w.direction, Direction::None);
    EXPECT_FALSE(w.gameOver);
    EXPECT_EQ(w.score, 0);
    EXPECT_FLOAT_EQ(w.stepTimer, 0.1f);
    EXPECT_EQ(w.cameraMode, 1);
    for (Direction slot : w.turnQueue.slots) EXPECT_EQ(slot, Direction::None);
    EXPECT_EQ(snakeCells(w), (std::vector<int>{285, 315, 345}));
    EXPECT_EQ(w.cellAt(0).x, 15);
    EXPECT_EQ(w.cellAt(0).y, 9);
    EXPECT_EQ(w.cellAt(3).x, -1); // just after the tail
    EXPECT_EQ(w.cellAt(3).y, -1);
}

TEST(WorldTest, BoardHasFortyWallsInFourBrackets) {
    World w;
    int walls = 0;
    for (int v : w.board) {
        EXPECT_TRUE(v == World::kWall || v == World::kOpen);
        walls += v == World::kWall;
    }
    EXPECT_EQ(walls, 40);
    struct Case {
        int x, y;
        bool wall;
    };
    for (const Case& c : {Case{0, 0, false}, Case{29, 19, false}, Case{4, 4, true}, Case{25, 15, true},
                          Case{4, 8, false}, Case{11, 4, false}, Case{10, 15, true}, Case{25, 5, true},
                          Case{4, 14, true}, Case{19, 4, true}, Case{18, 4, false}})
        EXPECT_EQ(w.isWall(c.x, c.y), c.wall) << c.x << "," << c.y;
    // Symmetric about the centre.
    for (int y = 0; y < World::height; ++y)
        for (int x = 0; x < World::width; ++x)
            EXPECT_EQ(w.isWall(x, y), w.isWall(World::width - 1 - x, World::height - 1 - y));
}

TEST(WorldTest, FirstFoodIsOnAFreeOpenCell) {
    World w;
    EXPECT_FALSE(w.isWall(w.foodX, w.foodY));
    for (int cell : snakeCells(w)) EXPECT_NE(cell, World::cellIndex(w.foodX, w.foodY));
}

struct TurnCase {
    const char* name;
    Direction direction;           // current direction of motion
    std::vector<Direction> offers; // in order
    std::vector<Direction> queued; // slots afterwards
};
void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.name; }

class QueueTurnTest : public testing::TestWithParam<TurnCase> {};

TEST_P(QueueTurnTest, InsertionRule) {
    const TurnCase& c = GetParam();
    World w;
    w.direction = c.direction;
    for (Direction d : c.offers) w.queueTurn(d);
    std::vector<Direction> slots(w.turnQueue.slots.begin(), w.turnQueue.slots.end());
    std::vector<Direction> expected = c.queued;
    expected.resize(TurnQueue::capacity, Direction::None);
    EXPECT_EQ(slots, expected);
}

using D = Direction;
INSTANTIATE_TEST_SUITE_P(
    Cases, QueueTurnTest,
    testing::Values(
        TurnCase{"OpeningDownRefused", D::None, {D::Down}, {}},
        TurnCase{"OpeningUpTaken", D::None, {D::Up}, {D::Up}},
        TurnCase{"OpeningRightTaken", D::None, {D::Right}, {D::Right}},
        TurnCase{"OpeningLeftTaken", D::None, {D::Left}, {D::Left}},
        TurnCase{"OpeningUpThenDownRefused", D::None, {D::Up, D::Down}, {D::Up}},
        TurnCase{"OpeningUpThenRight", D::None, {D::Up, D::Right}, {D::Up, D::Right}},
        TurnCase{"OpeningDownThenUp", D::None, {D::Down, D::Up}, {D::Up}},
        TurnCase{"MovingRightRefusesRepeatAndReversal", D::Right, {D::Right, D::Left}, {}},
        TurnCase{"MovingRightTakesUp", D::Right, {D::Up}, {D::Up}},
        TurnCase{"MovingRightTakesDown", D::Right, {D::Down}, {D::Down}},
        TurnCase{"JudgedAgainstLastPending", D::Right, {D::Up, D::Left}, {D::Up, D::Left}},
        TurnCase{"PendingUpRefusesDown", D::Right, {D::Up, D::Down}, {D::Up}},
        TurnCase{"PerpendicularChain", D::Right, {D::Up, D::Left, D::Down}, {D::Up, D::Left, D::Down}},
        TurnCase{
            "FourthOfferDropped", D::Right, {D::Up, D::Left, D::Down, D::Right}, {D::Up, D::Left, D::Down}},
        TurnCase{"RefusalsLeaveNoTrace", D::Up, {D::Up, D::Down, D::Left, D::Left, D::Up}, {D::Left, D::Up}}),
    [](const testing::TestParamInfo<TurnCase>& info) { return std::string(info.param.name); });

TEST(WorldTest, QueuedTurnsAreTakenInOrderOnSuccessiveSteps) {
    World w;
    layOut(w, {{10, 12}, {9, 12}, {8, 12}}, Direction::Right);
    // A full queue: every slot has to move down, one per step, for the last
    // turn to be carried out.
    w.queueTurn(Direction::Up);
    w.queueTurn(Direction::Left);
    w.queueTurn(Direction::Down);
    struct Expected {
        Direction direction;
        Cell head;
    };
    for (const Expected& e :
         {Expected{D::Up, {10, 11}}, Expected{D::Left, {9, 11}}, Expected{D::Down, {9, 12}}}) {
        w.stepTimer = 0.0f;
        w.update(0.02f);
        EXPECT_EQ(w.direction, e.direction);
        EXPECT_EQ(w.cellAt(0).x, e.head.x);
        EXPECT_EQ(w.cellAt(0).y, e.head.y);
    }
    EXPECT_FALSE(w.gameOver);
    for (Direction slot : w.turnQueue.slots) EXPECT_EQ(slot, Direction::None);
}

TEST(WorldTest, WaitsUntilATurnIsQueuedAndTheTimerRunsOut) {
    World w;
    for (int i = 0; i < 10; ++i) w.update(0.05f); // no turn yet: the timer runs on below zero
    EXPECT_LT(w.stepTimer, 0.0f);
    EXPECT_EQ(w.cellAt(0).y, 9);
    w.queueTurn(Direction::Up);
    w.update(0.02f);
    EXPECT_EQ(w.direction, Direction::Up);
    EXPECT_EQ(w.cellAt(0).y, 8);
    EXPECT_FLOAT_EQ(w.stepTimer, World::kStepPeriod);

    World fresh;
    fresh.queueTurn(Direction::Left);
    fresh.update(0.06f); // 0.1 - 0.06 > 0: still waiting
    EXPECT_EQ(fresh.direction, Direction::None);
    fresh.update(0.06f); // timer reaches -0.02
    EXPECT_EQ(fresh.direction, Direction::None);
    fresh.update(0.06f);
    EXPECT_EQ(fresh.direction, Direction::Left);
}

TEST(WorldTest, AtMostOneStepPerUpdateHoweverLargeTheTime) {
    World w;
    layOut(w, {{15, 9}, {15, 10}, {15, 11}}, Direction::Up);
    w.update(100.0f);
    EXPECT_EQ(w.cellAt(0).y, 8);
    w.update(100.0f); // only counts the timer down
    EXPECT_EQ(w.cellAt(0).y, 8);
    w.update(100.0f);
    EXPECT_EQ(w.cellAt(0).y, 7);
}

TEST(WorldTest, SixtyFramesASecondStepEveryFourthUpdate) {
    World w;
    layOut(w, {{2, 0}, {1, 0}, {0, 0}}, Direction::Right);
    w.foodX = 0;
    w.foodY = 19;
    std::vector<int> stepsAt;
    int x = 2;
    for (int update = 0; update < 24; ++update) {
        w.update(1.0f / 60.0f);
        if (w.cellAt(0).x != x) {
            x = w.cellAt(0).x;
            stepsAt.push_back(update);
        }
    }
    EXPECT_EQ(stepsAt, (std::vector<int>{0, 4, 8, 12, 16, 20}));
}

// Biting any other segment is a crash like the others, in CrashTest.
TEST(WorldTest, HeadMayFollowTheTail) {
    World chase;
    layOut(chase, {{10, 10}, {11, 10}, {11, 11}, {10, 11}}, Direction::Down);
    chase.update(0.01f);
    EXPECT_FALSE(chase.gameOver);
    EXPECT_EQ(snakeCells(chase), (std::vector<int>{World::cellIndex(10, 11), World::cellIndex(10, 10),
                                                   World::cellIndex(11, 10), World::cellIndex(11, 11)}));
}

struct CrashCase {
    const char* name;
    std::vector<Cell> snake; // head first
    Direction direction;
    Cell food; // on the cell being hit where it can be
};
void PrintTo(const CrashCase& c, std::ostream* os) { *os << c.name; }

class CrashTest : public testing::TestWithParam<CrashCase> {};

TEST_P(CrashTest, EndsTheGameLeavingEverythingElseAsItWas) {
    const CrashCase& c = GetParam();
    World w;
    w.snake.fill(World::kNoCell);
    for (std::size_t i = 0; i < c.snake.size(); ++i)
        w.snake[i] = World::cellIndex(c.snake[i].x, c.snake[i].y);
    w.direction = c.direction;
    w.stepTimer = 0.0f;
    w.foodX = c.food.x; // the food would be eaten by the crash if the collision came late
    w.foodY = c.food.y;
    w.score = 300;
    const std::vector<int> before = snakeCells(w);
    w.update(0.01f);
    EXPECT_TRUE(w.gameOver);
    EXPECT_EQ(snakeCells(w), before);
    EXPECT_EQ(w.score, 300);
    EXPECT_EQ(w.foodX, c.food.x);
    EXPECT_EQ(w.foodY, c.food.y);
    EXPECT_FLOAT_EQ(w.stepTimer, World::kStepPeriod);
    // Keys are still offered after the crash. A perpendicular turn is taken
    // into the queue, yet an ended game never steps again.
    const bool vertical = static_cast<int>(c.direction) % 2 == 1;
    w.queueTurn(vertical ? D::Right : D::Up);
    w.update(1.0f);
    w.update(1.0f);
    EXPECT_EQ(snakeCells(w), before);
    EXPECT_EQ(w.direction, c.direction);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CrashTest,
    testing::Values(CrashCase{"TopEdge", {{5, 0}, {5, 1}}, D::Up, {1, 1}},
                    CrashCase{"BottomEdge", {{5, 19}, {5, 18}}, D::Down, {1, 1}},
                    CrashCase{"LeftEdge", {{0, 5}, {1, 5}}, D::Left, {1, 1}},
                    CrashCase{"RightEdge", {{29, 5}, {28, 5}}, D::Right, {1, 1}},
                    CrashCase{"WallFromBelow", {{7, 5}, {7, 6}}, D::Up, {7, 4}},
                    CrashCase{"WallFromTheSide", {{5, 6}, {6, 6}}, D::Left, {4, 6}},
                    CrashCase{"WallCornerCell", {{3, 4}, {2, 4}}, D::Right, {4, 4}},
                    // The head turns down onto the fourth segment, where the
                    // food lies: a late collision check would eat it first.
                    CrashCase{
                        "OwnBody", {{10, 10}, {11, 10}, {11, 11}, {10, 11}, {9, 11}}, D::Down, {10, 11}}),
    [](const testing::TestParamInfo<CrashCase>& info) { return std::string(info.param.name); });

TEST(WorldTest, EatingScoresAndGrowsByOnePerFood) {
    Draws draws{{0}}; // later food lands in column 0, row 0 ... and then at any free candidate
    World w(draws.source());
    layOut(w, {{10, 10}, {10, 11}, {10, 12}}, Direction::Up);
    for (int eaten = 1; eaten <= 3; ++eaten) {
        w.foodX = 10;
        w.foodY = 10 - eaten;
        w.stepTimer = 0.0f;
        w.update(0.01f);
        EXPECT_EQ(w.score, 100 * eaten);
        EXPECT_EQ(w.snakeLength(), 3 + eaten);
        EXPECT_EQ(w.cellAt(0).y, 10 - eaten);
        EXPECT_EQ(w.cellAt(3 + eaten - 1).y, 12); // the old tail stays
    }
    w.stepTimer = 0.0f;
    w.foodX = 0;
    w.foodY = 0;
    w.update(0.01f); // no food: the length holds
    EXPECT_EQ(w.snakeLength(), 6);
    EXPECT_EQ(w.score, 300);
}

TEST(WorldTest, FoodNeedsDistanceFromTheHeadThatShrinksWithEachFreeCandidate) {
    // Raw draws go through % 30 and % 20. (4, 4) is a wall and (15, 10) the
    // snake: neither counts. (20, 14) is 10 from the head at (15, 9): refused
    // as the first free candidate, which needs 11, accepted as the second.
    Draws draws{{4, 4, 15, 10, 50, 34, 20, 14, 7, 7}};
    World w(draws.source());
    EXPECT_EQ(w.foodX, 20);
    EXPECT_EQ(w.foodY, 14);
    EXPECT_EQ(draws.taken, 8);
}

TEST(WorldTest, EleventhFreeCandidateIsTakenNextToTheHead) {
    // The k-th free candidate needs a distance of 12 - k: the eleventh needs 1.
    std::deque<int> values;
    for (int i = 0; i < 12; ++i) values.insert(values.end(), {16, 9}); // next to the head
    Draws draws{values};
    World w(draws.source());
    EXPECT_EQ(w.foodX, 16);
    EXPECT_EQ(w.foodY, 9);
    EXPECT_EQ(draws.taken, 22);
}

// The head at column 15, row 9 eats food at column 15, row 8; the next food
// comes from the given raw draws.
struct EatCase {
    const char* name;
    std::deque<int> draws;
    Cell food;
    int taken;
};
void PrintTo(const EatCase& c, std::ostream* os) { *os << c.name; }

std::deque<int> repeated(int times, std::initializer_list<int> pair, std::initializer_list<int> then) {
    std::deque<int> values;
    for (int i = 0; i < times; ++i) values.insert(values.end(), pair);
    values.insert(values.end(), then);
    return values;
}

class FoodAfterEatingTest : public testing::TestWithParam<EatCase> {};

TEST_P(FoodAfterEatingTest, IsPlacedBeforeTheSnakeMoves) {
    const EatCase& c = GetParam();
    Draws draws{{15, 19}}; // the first food, far away
    World w(draws.source());
    draws.values = c.draws;
    draws.taken = 0;
    w.foodX = 15;
    w.foodY = 8;
    w.queueTurn(Direction::Up);
    w.stepTimer = 0.0f;
    w.update(0.01f);
    EXPECT_EQ(w.score, 100);
    EXPECT_EQ(w.foodX, c.food.x);
    EXPECT_EQ(w.foodY, c.food.y);
    EXPECT_EQ(draws.taken, c.taken);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FoodAfterEatingTest,
    testing::Values(
        // The cell the head steps into must not get the next food, however
        // often it is drawn.
        EatCase{"NeverOnTheCellTheHeadIsEntering", repeated(20, {15, 8}, {0, 0}), {0, 0}, 42},
        // Distances count from column 15, row 9, the cell the head is leaving.
        // Column 20, row 14 is 10 from it (11 from the cell entered): refused
        // as the first free candidate, which needs 11.
        EatCase{"TooCloseToTheCellBeingLeft", {20, 14, 0, 0}, {0, 0}, 4},
        // Column 20, row 3 is 11 from it (10 from the cell entered): accepted.
        EatCase{"FarEnoughFromTheCellBeingLeft", {20, 3, 0, 0}, {20, 3}, 2}),
    [](const testing::TestParamInfo<EatCase>& info) { return std::string(info.param.name); });

TEST(WorldTest, FullBoardEndsTheGameInsteadOfSearchingForever) {
    World w([] { return 0; });
    // Occupancy is all that placement reads, so any order of cells will do.
    w.snake.fill(World::kNoCell);
    int n = 0, lastOpen = -1;
    for (int i = 0; i < World::cellCount; ++i) {
        if (w.board[i] == World::kWall) continue;
        w.snake[n++] = i;
        lastOpen = i;
    }
    EXPECT_EQ(n, 560);
    w.snake[n - 1] = World::kNoCell; // one cell left: the one being entered
    w.placeFood(lastOpen);
    EXPECT_TRUE(w.gameOver);
    EXPECT_EQ(w.foodX, -1);
}

// One game from the runtime's generator seeded with 1, played by the
// autopilot: every food it sees, the first one included.
std::vector<int> foodsOfOneGame() {
    std::srand(1);
    World w;
    std::vector<int> foods{World::cellIndex(w.foodX, w.foodY)};
    for (int update = 0; update < 2000 && !w.gameOver; ++update) {
        const Direction turn = chooseTurn(w);
        if (turn != Direction::None) w.queueTurn(turn);
        const int score = w.score;
        w.update(0.02f);
        if (w.score == score) continue;
        // Each new food is a fresh placement: open and off the snake that
        // has just moved onto the old one.
        const int food = World::cellIndex(w.foodX, w.foodY);
        EXPECT_FALSE(w.isWall(w.foodX, w.foodY)) << "food " << foods.size();
        for (int cell : snakeCells(w)) EXPECT_NE(cell, food) << "food " << foods.size();
        foods.push_back(food);
        if (testing::Test::HasFailure()) break; // one bad food is enough to see
    }
    return foods;
}

TEST(WorldTest, SameMovesGiveTheSameFoods) {
    const std::vector<int> first = foodsOfOneGame();
    const std::vector<int> second = foodsOfOneGame();
    EXPECT_GE(first.size(), 6u); // several foods eaten, not only the first one placed
    EXPECT_EQ(first, second);
}

} // namespace
