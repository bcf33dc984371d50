#pragma once

#include <memory>

class BitmapFont;
class Composition;
class World;
class WorldScene;

// Everything drawn, and the current game. The screen state (waiting, playing,
// over) is not stored: render derives it from the World every frame.
class Game {
public:
    // Needs the platform's context current, with its entry points loaded:
    // OpenGL 3.2 core on the desktop, WebGL 2 in a page (app/Platform.h).
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Draws one frame into the window's back buffer; the caller swaps. The
    // three steps, in order, are public so a benchmark can time each.
    void render() const;
    void drawScene() const; // the World into the off-screen target
    void compose() const;   // onto the window, blurred while the game is over
    void drawTexts() const; // title, score and the screen state's prompts
    // Starts a new game, but only once the current one is over.
    void restart();

    std::unique_ptr<Composition> composition; // off-screen target and full-screen programs
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<WorldScene> scene; // the GL side of `world`, replaced with it
    std::unique_ptr<World> world;
};
