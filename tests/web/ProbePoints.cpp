// Where the browser test looks in the page's start screen, and what it should
// find there: the desktop pixel test's probes, from the game's own World under
// the browser's C runtime (whose never-seeded rand places the first food) and
// the camera the scene uses, with the palette's colours to judge them by.
// Prints one JSON object for the test to read.
#include "game/World.h"
#include "tests/SceneColours.h"

#include <cstdio>

int main() {
    const World w; // the page's first World: nothing calls rand before it
    std::printf("{\"food\": [%d, %d],\n \"background\": [%g, %g, %g],\n \"families\": {", w.foodX, w.foodY,
                kClearColour.x, kClearColour.y, kClearColour.z);
    const auto bases = familyBases();
    for (int i = 0; i < static_cast<int>(bases.size()); ++i)
        std::printf("%s\"%s\": [%g, %g, %g]", i ? ", " : "", nameOf(static_cast<Family>(i)), bases[i].x,
                    bases[i].y, bases[i].z);
    std::printf("},\n \"probes\": [");
    const char* separator = "";
    for (const Probe& p : startScreenProbes(w)) {
        const Pixel px = project(p.point);
        std::printf("%s\n  {\"what\": \"%s\", \"x\": %d, \"y\": %d, \"family\": \"%s\"}", separator, p.what,
                    px.x, px.y, nameOf(p.family));
        separator = ",";
    }
    std::printf("\n]}\n");
    return 0;
}
