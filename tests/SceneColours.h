#pragma once

// The scene's colours as the camera shows them: where a board point lands in
// the window, and which object's base colour a pixel shows.
#include "game/World.h"
#include "render/Math.h"
#include "render/SceneLook.h"

#include <array>
#include <cmath>
#include <cstdlib>

struct Rgb {
    float r = 0, g = 0, b = 0; // 0 to 1
};

// Where the camera puts a world point in the window, from the same matrices
// the scene uploads.
struct Pixel {
    int x, y; // from the top-left corner
};
inline Pixel project(const Vec3& p) {
    const SceneCamera& c = kSceneCamera;
    const Mat4 view = lookAt(c.eye, c.centre, c.up);
    const Mat4 proj = perspective(c.fieldOfView, c.aspect, c.near, c.far);
    auto apply = [](const Mat4& m, const Vec4& v) {
        return m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] * v.w;
    };
    const Vec4 clip = apply(proj, apply(view, {p.x, p.y, p.z, 1.0f}));
    const float nx = clip.x / clip.w, ny = clip.y / clip.w;
    return {static_cast<int>((nx + 1.0f) * 0.5f * kWindowWidth),
            static_cast<int>((1.0f - ny) * 0.5f * kWindowHeight)};
}

enum class Family { Floor, Wall, Head, Body, Food };
inline const char* nameOf(Family f) {
    const char* names[] = {"floor", "wall", "head", "body", "food"};
    return names[static_cast<int>(f)];
}
// The palette's colour of each family, in Family's order.
inline std::array<Vec3, 5> familyBases() {
    const ScenePalette& p = kScenePalette;
    return {p.floor, p.wall, p.head, p.body, p.food};
}

// The nearest base colour by hue and saturation, ignoring brightness, which
// the lighting changes.
inline Family familyOf(const Rgb& c) {
    const std::array<Vec3, 5> bases = familyBases();
    auto chroma = [](const Rgb& v) {
        const float sum = v.r + v.g + v.b + 1e-6f;
        return Rgb{v.r / sum, v.g / sum, v.b / sum};
    };
    const Rgb k = chroma(c);
    int best = 0;
    float bestDistance = 1e9f;
    for (int i = 0; i < 5; ++i) {
        const Rgb b = chroma({bases[i].x, bases[i].y, bases[i].z});
        const float d = std::hypot(k.r - b.r, k.g - b.g, k.b - b.b);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<Family>(best);
}

// Points of the start screen and the object each must show: the snake where
// a new game puts it, its food, a wall bracket, a ring corner, and the open
// cell farthest from the lamp over the food, which tints what is near it.
struct Probe {
    const char* what;
    Vec3 point;
    Family family;
};
inline std::array<Probe, 6> startScreenProbes(const World& w) {
    Cell floor{0, 0};
    int farthest = -1;
    for (int y = 0; y < World::height; ++y)
        for (int x = 0; x < World::width; ++x) {
            const int d = std::abs(x - w.foodX) + std::abs(y - w.foodY);
            if (!w.isWall(x, y) && std::abs(x - 15) > 1 && d > farthest) {
                farthest = d;
                floor = {x, y};
            }
        }
    return {{
        {"head top", {15.5f, 1.5f, 9.5f}, Family::Head},
        {"body segment top", {15.5f, 1.5f, 10.5f}, Family::Body},
        {"food top", {w.foodX + 0.5f, 1.75f, w.foodY + 0.5f}, Family::Food},
        {"wall bracket top", {7.5f, 2.0f, 4.5f}, Family::Wall},
        {"ring corner top", {-0.5f, 2.0f, -0.5f}, Family::Wall},
        {"floor tile top", {floor.x + 0.5f, 0.08f, floor.y + 0.5f}, Family::Floor},
    }};
}
