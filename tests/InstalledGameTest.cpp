// An installed Coilrun started as a player starts it: through its launcher,
// from a folder that has nothing to do with the game, under Xvfb.
//
//   COILRUN_LAUNCHER=<launcher> COILRUN_WORKING_FOLDER=<folder> installed_game_tests
#include "GameProcess.h"
#include "SceneColours.h"
#include "ScreenProbes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

TEST(InstalledGame, ShowsTheStartScreenPrintsFrameRatesAndQuitsOnEscape) {
    const std::string launcher = fromEnvironment("COILRUN_LAUNCHER");
    const std::string folder = fromEnvironment("COILRUN_WORKING_FOLDER");
    ASSERT_FALSE(launcher.empty() || folder.empty()) << "set COILRUN_LAUNCHER and COILRUN_WORKING_FOLDER";
    GameProcess game(launcher, folder);
    ASSERT_TRUE(game.waitForWindow(20)) << game.output();
    ASSERT_TRUE(game.waitForLine(15, isPositiveInteger)) << game.output();

    const FontImage image = screenshot("installed");
    expectStartScreenTexts(image);
    // The scene program built from the installed shaders: the snake where a
    // new game puts it, and the walls.
    struct Probe {
        const char* what;
        Vec3 point;
        Family family;
    };
    const Probe probes[] = {
        {"head top", {15.5f, 1.5f, 9.5f}, Family::Head},
        {"body segment top", {15.5f, 1.5f, 10.5f}, Family::Body},
        {"wall bracket top", {7.5f, 2.0f, 4.5f}, Family::Wall},
        {"ring corner top", {-0.5f, 2.0f, -0.5f}, Family::Wall},
    };
    for (const Probe& p : probes) {
        const Pixel px = project(p.point);
        const unsigned char* c = &image.pixels[(px.y * image.width + px.x) * 3];
        const Family seen = familyOf({c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f});
        EXPECT_EQ(seen, p.family) << p.what << " at (" << px.x << ", " << px.y << ") looks like "
                                  << nameOf(seen);
    }

    press("Escape");
    EXPECT_EQ(game.waitExit(5), 0);
    // Nothing but frame rates: a data file the game could not read would have
    // printed its error here.
    std::istringstream lines(game.output());
    for (std::string line; std::getline(lines, line);) EXPECT_TRUE(isPositiveInteger(line)) << line;
}

} // namespace
