#pragma once

// What the game's window shows as a player sees it: screenshots of the
// screen, and counts of text-coloured pixels.
#include "render/FontImage.h"
#include "render/SceneLook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A frame-rate line.
inline bool isPositiveInteger(const std::string& line) {
    if (line.empty() || line.size() > 9) return false;
    for (char c : line)
        if (c < '0' || c > '9') return false;
    return std::atoi(line.c_str()) > 0;
}

// A screenshot of the whole screen, which the game's window fills. Kept under
// the name given when COILRUN_SCREENSHOTS names a folder.
inline FontImage screenshot(const char* name) {
    const char* keep = std::getenv("COILRUN_SCREENSHOTS");
    const std::string path = keep ? std::string(keep) + "/" + name + ".png"
                                  : "/tmp/coilrun-e2e-" + std::to_string(getpid()) + ".png";
    FontImage image;
    std::string reason;
    if (std::system(("import -window root -depth 8 " + path).c_str()) == 0)
        loadFontImage(path, image, reason);
    if (!keep) std::remove(path.c_str());
    return image;
}

struct Counts {
    int bright = 0; // near-white text, such as the prompts
    int red = 0;    // "Game Over"
    int lit = 0;    // anything well above the dark background, such as the title
};
inline Counts countIn(const FontImage& img, int x0, int y0, int x1, int y1) {
    Counts c;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = &img.pixels[(y * img.width + x) * 3];
            c.bright += p[0] > 180 && p[1] > 180 && p[2] > 180;
            c.red += p[0] > 140 && p[1] < 70 && p[2] < 50;
            c.lit += p[0] > 60 && p[1] > 60 && p[2] > 60;
        }
    return c;
}

// The title, the score and the start prompt, as the start screen draws them.
inline void expectStartScreenTexts(const FontImage& image) {
    ASSERT_EQ(image.width, kWindowWidth);
    ASSERT_EQ(image.height, kWindowHeight);
    EXPECT_GT(countIn(image, 150, 305, 650, 335).bright, 150) << "start prompt";
    EXPECT_GT(countIn(image, 20, 16, 260, 71).lit, 500) << "title";
    EXPECT_GT(countIn(image, 700, 16, 780, 71).lit, 100) << "score";
}
