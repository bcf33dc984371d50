#include "app/FrameLoop.h"
#include "app/Game.h"
#include "app/Platform.h"

#include <memory>

int main() {
    Platform platform;
    if (!platform.load()) return 1;

    const double lastUpdateTime = platform.now();
    auto game = std::make_unique<Game>();
    runFrameLoop(platform, *game, lastUpdateTime);

    game.reset(); // while the context still exists
    platform.unload();
    return 0;
}
