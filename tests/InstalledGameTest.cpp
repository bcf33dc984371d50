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
    // The scene program built from the installed shaders shows every object
    // where the source tree's start screen does. The game never seeds rand(),
    // and glibc's unseeded sequence is that of seed 1: this is its first World.
    std::srand(1);
    const World first;
    for (const Probe& p : startScreenProbes(first)) {
        const Pixel px = project(p.point);
        const unsigned char* c = &image.pixels[(px.y * image.width + px.x) * 3];
        const Family seen = familyOf({c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f});
        EXPECT_EQ(seen, p.family) << p.what << " at (" << px.x << ", " << px.y << ") looks like "
                                  << nameOf(seen);
    }

    EXPECT_EQ(game.quitWithEscape(30), 0);
    // Nothing but frame rates: a data file the game could not read would have
    // printed its error here.
    std::istringstream lines(game.output());
    for (std::string line; std::getline(lines, line);) EXPECT_TRUE(isPositiveInteger(line)) << line;
}

} // namespace
