#pragma once

// How the game looks, as plain values without OpenGL: the window the frame
// fills, the fixed camera, the lamp over the food and the objects' colours.
// The scene draws with them; the icon tool, the pixel probes and the
// call-stream test read the same values, so a change here reaches them all.
#include "render/Math.h"

#include <numbers>

inline constexpr int kWindowWidth = 800;  // pixels; the off-screen target has the same size
inline constexpr int kWindowHeight = 600; // pixels

// The background behind the board, and so the window's colour outside it.
inline constexpr Vec3 kClearColour{0.1f, 0.1f, 0.1f};

// The colours of the scene's objects. The game always draws with
// kScenePalette; the frame benchmark also draws with one colour everywhere to
// show what the colour changes between draws cost.
struct ScenePalette {
    Vec3 floor, wall, head, body, food;
};
inline constexpr ScenePalette kScenePalette{
    .floor = {0.6f, 0.6f, 0.6f},
    .wall = {0.58f, 0.29f, 0.06f},
    .head = {0.0f, 0.6f, 0.62f},
    .body = {0.0f, 0.85f, 0.62f},
    .food = {0.8f, 0.14f, 0.12f},
};

// The one camera: high above the board's centre, looking down at it, row 0 at
// the top of the window. Board units: x is the column, y the height, z the row.
struct SceneCamera {
    Vec3 eye, centre, up;
    float fieldOfView = 0.0f; // vertical, radians
    float aspect = 0.0f;      // width over height
    float near = 0.0f, far = 0.0f;
};
inline constexpr SceneCamera kSceneCamera{
    .eye = {15.0f, 30.0f, 19.0f},
    .centre = {15.0f, 0.0f, 9.0f},
    .up = {0.0f, 0.6f, -0.4f},
    .fieldOfView = std::numbers::pi_v<float> / 4.0f,
    .aspect = static_cast<float>(kWindowWidth) / static_cast<float>(kWindowHeight),
    .near = 0.1f,
    .far = 50.0f,
};

// The lamp hangs over the food at this height and tints what is near it.
inline constexpr float kLightHeight = 3.0f; // board units
inline constexpr Vec3 kLightIntensity{0.8f, 0.4f, 0.4f};
