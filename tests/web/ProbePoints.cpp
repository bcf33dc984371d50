// Where the browser test looks in the page's start screen, and what it should
// find there: the desktop pixel test's probes, from the game's own World under
// the browser's C runtime (whose never-seeded rand places the first food) and
// the camera the scene uses. Prints one JSON object for the test to read.
#include "game/World.h"
#include "render/Math.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

constexpr int kW = 800, kH = 600;

struct Pixel {
    int x, y; // from the top-left corner
};
Pixel project(const Vec3& p) {
    const Mat4 view = lookAt({15, 30, 19}, {15, 0, 9}, {0, 0.6f, -0.4f});
    const Mat4 proj = perspective(std::numbers::pi_v<float> / 4.0f, 4.0f / 3.0f, 0.1f, 50.0f);
    auto apply = [](const Mat4& m, const Vec4& v) {
        return m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] * v.w;
    };
    const Vec4 clip = apply(proj, apply(view, {p.x, p.y, p.z, 1.0f}));
    const float nx = clip.x / clip.w, ny = clip.y / clip.w;
    return {static_cast<int>((nx + 1.0f) * 0.5f * kW), static_cast<int>((1.0f - ny) * 0.5f * kH)};
}

} // namespace

int main() {
    const World w; // the page's first World: nothing calls rand before it
    // An open cell far from the lamp over the food, which tints what is near it.
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
    struct Probe {
        const char* what;
        Vec3 point;
        const char* family;
    };
    const Probe probes[] = {
        {"head top", {15.5f, 1.5f, 9.5f}, "head"},
        {"body segment top", {15.5f, 1.5f, 10.5f}, "body"},
        {"food top", {w.foodX + 0.5f, 1.75f, w.foodY + 0.5f}, "food"},
        {"wall bracket top", {7.5f, 2.0f, 4.5f}, "wall"},
        {"ring corner top", {-0.5f, 2.0f, -0.5f}, "wall"},
        {"floor tile top", {floor.x + 0.5f, 0.08f, floor.y + 0.5f}, "floor"},
    };
    std::printf("{\"food\": [%d, %d], \"probes\": [", w.foodX, w.foodY);
    const char* separator = "";
    for (const Probe& p : probes) {
        const Pixel px = project(p.point);
        std::printf("%s\n  {\"what\": \"%s\", \"x\": %d, \"y\": %d, \"family\": \"%s\"}", separator, p.what,
                    px.x, px.y, p.family);
        separator = ",";
    }
    std::printf("\n]}\n");
    return 0;
}
