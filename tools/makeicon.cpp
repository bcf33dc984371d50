// Draws the desktop icon: a part of the board seen from above and a little
// from the south, as the game's camera sees it, with the top-left wall
// bracket, a coiled snake and the food, in the scene's colours and lit the way
// the scene shader lights tops and south faces. Written as an RGBA PNG of
// size x size pixels, transparent outside a rounded square. Deterministic, so
// rerunning it reproduces the committed files.
//
//   makeicon <size> <out.png>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include "game/World.h"
#include "render/SceneGeometry.h"
#include "render/SceneLook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Colour {
    float r = 0, g = 0, b = 0; // 0 to 1
};
constexpr Colour colour(const Vec3& v) { return {v.x, v.y, v.z}; }

// The scene's colours and light; the shading below is data/default.frag's.
constexpr Colour kFloorColour = colour(kScenePalette.floor);
constexpr Colour kWallColour = colour(kScenePalette.wall);
constexpr Colour kHeadColour = colour(kScenePalette.head);
constexpr Colour kBodyColour = colour(kScenePalette.body);
constexpr Colour kFoodColour = colour(kScenePalette.food);
constexpr Colour kLight = colour(kLightIntensity);

// A mesh's lowest and highest points and its half width at the top, in
// cells, from the scene's own vertices.
struct Extent {
    float bottom = 1e9f, top = -1e9f, half = 0.0f;
};
constexpr Extent extentOf(const MeshRange& mesh) {
    Extent e;
    const int first = mesh.byteOffset / 4;
    for (int i = first; i < first + mesh.indexCount; ++i) {
        const SceneVertex& v = kSceneVertices[kSceneIndices[i]];
        e.bottom = std::min(e.bottom, v.py);
        e.top = std::max(e.top, v.py);
    }
    for (int i = first; i < first + mesh.indexCount; ++i) {
        const SceneVertex& v = kSceneVertices[kSceneIndices[i]];
        if (v.py == e.top) e.half = std::max(e.half, v.px < 0 ? -v.px : v.px);
    }
    return e;
}
constexpr Extent kTile = extentOf(floorTile), kWall = extentOf(wallBlock), kSegment = extentOf(segmentBlock);
constexpr float kTileTop = kTile.top, kTileHalf = kTile.half;
constexpr float kWallTop = kWall.top, kWallHalf = kWall.half;
constexpr float kSegmentTop = kSegment.top, kSegmentBottom = kSegment.bottom, kSegmentHalf = kSegment.half;
// The food is the segment block as the scene scales it, (0.5, 1.5, 0.5), and
// lowers it by 0.5: it reaches below the floor.
constexpr float kFoodTop = -0.5f + 1.5f * kSegment.top, kFoodHalf = 0.5f * kSegment.half;

// The view: board columns kLeft to kLeft + kSpan and rows kTop to kTop + kSpan.
// A point at height h is drawn kTilt * h rows further north, which shows the
// south faces as the game's camera does.
constexpr float kLeft = 3.0f, kTop = 2.75f, kSpan = 9.0f;
constexpr float kTilt = 0.25f;
constexpr float kCornerRadius = 0.14f; // of the icon's edge
constexpr int kSamples = 4;            // per pixel along each axis

// The snake, head first: it lies coiled inside the bracket, its head two cells
// below the food.
constexpr Cell kSnake[] = {{5, 7},  {5, 8},   {5, 9},  {5, 10}, {6, 10}, {7, 10}, {8, 10},
                           {9, 10}, {10, 10}, {10, 9}, {10, 8}, {10, 7}, {10, 6}, {10, 5},
                           {9, 5},  {8, 5},   {7, 5},  {7, 6},  {7, 7},  {7, 8},  {8, 8}};
constexpr Cell kFood{5, 5};

struct Point {
    float x = 0, y = 0, z = 0; // board units: column, height, row
};

// The scene shader's light: ambient from above, plus the lamp over the food.
Colour lit(const Colour& base, const Point& p, const Point& n) {
    const float lx = kFood.x + 0.5f - p.x, ly = kLightHeight - p.y, lz = kFood.y + 0.5f - p.z;
    const float distance = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float diffuse = std::max((n.x * lx + n.y * ly + n.z * lz) / distance, 0.0f);
    const float lamp = 2.0f * diffuse / (1.0f + 0.04f * distance * distance);
    const float ambient = 0.62f + 0.22f * n.y;
    return {base.r * (ambient + kLight.r * lamp), base.g * (ambient + kLight.g * lamp),
            base.b * (ambient + kLight.b * lamp)};
}

// Colours of the supersampled picture, row-major, filled back to front.
class Canvas {
public:
    explicit Canvas(int side) : side(side), pixels(static_cast<std::size_t>(side) * side) {}

    // A box's south face and its top, centred on (cx, cz).
    void box(const Colour& base, float cx, float cz, float half, float bottom, float top) {
        const float south = cz + half;
        fill(base, cx - half, cx + half, south - kTilt * top, south - kTilt * bottom, {0, 0, 1},
             [&](float x, float drawnRow) {
                 return Point{x, (south - drawnRow) / kTilt, south};
             });
        fill(base, cx - half, cx + half, cz - half - kTilt * top, south - kTilt * top, {0, 1, 0},
             [&](float x, float drawnRow) {
                 return Point{x, top, drawnRow + kTilt * top};
             });
    }
    // A floor tile: the bevel, lit as its sloped sides are, fills the cell and
    // the flat top sits inside it.
    void tile(float cx, float cz) {
        fill(kFloorColour, cx - 0.5f, cx + 0.5f, cz - 0.5f, cz + 0.5f, {0, 0.45f, 0.89f},
             [](float x, float drawnRow) {
                 return Point{x, 0, drawnRow};
             });
        fill(kFloorColour, cx - kTileHalf, cx + kTileHalf, cz - kTileHalf - kTilt * kTileTop,
             cz + kTileHalf - kTilt * kTileTop, {0, 1, 0}, [](float x, float drawnRow) {
                 return Point{x, kTileTop, drawnRow + kTilt * kTileTop};
             });
    }

    int side;
    std::vector<Colour> pixels;

private:
    // Columns x0 to x1 and drawn rows y0 to y1 of a face with the given
    // normal; pointAt gives the face's point seen at a drawn position.
    template <typename PointAt>
    void fill(const Colour& base, float x0, float x1, float y0, float y1, const Point& normal,
              PointAt pointAt) {
        const float perCell = static_cast<float>(side) / kSpan;
        // The first sample whose centre lies at or past v, so that adjacent
        // faces share no sample.
        auto first = [&](float v, float origin) {
            return std::clamp(static_cast<int>(std::ceil((v - origin) * perCell - 0.5f)), 0, side);
        };
        for (int py = first(y0, kTop); py < first(y1, kTop); ++py) {
            for (int px = first(x0, kLeft); px < first(x1, kLeft); ++px) {
                const Point p = pointAt(kLeft + (px + 0.5f) / perCell, kTop + (py + 0.5f) / perCell);
                pixels[static_cast<std::size_t>(py) * side + px] = lit(base, p, normal);
            }
        }
    }
};

bool isWallOrRing(const World& world, int x, int y) {
    if (x < 0 || y < 0 || x >= World::width || y >= World::height) return true;
    return world.isWall(x, y);
}

unsigned char toByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: makeicon <size 16 to 1024> <out.png>\n");
        return 2;
    }
    const World world([] { return 0; });
    Canvas canvas(size * kSamples);

    // Row by row from the north, so nearer blocks cover what lies behind them.
    const int columns = static_cast<int>(kSpan);
    for (int row = static_cast<int>(kTop); row <= static_cast<int>(kTop + kSpan) + 1; ++row) {
        for (int column = static_cast<int>(kLeft); column < static_cast<int>(kLeft) + columns; ++column) {
            const float cx = column + 0.5f, cz = row + 0.5f;
            if (isWallOrRing(world, column, row)) {
                canvas.box(kWallColour, cx, cz, kWallHalf, 0, kWallTop);
                continue;
            }
            canvas.tile(cx, cz);
            for (std::size_t k = 0; k < std::size(kSnake); ++k)
                if (kSnake[k].x == column && kSnake[k].y == row)
                    canvas.box(k == 0 ? kHeadColour : kBodyColour, cx, cz, kSegmentHalf, kSegmentBottom,
                               kSegmentTop);
            if (kFood.x == column && kFood.y == row)
                canvas.box(kFoodColour, cx, cz, kFoodHalf, kTileTop, kFoodTop);
        }
    }

    // Box-filter the samples; the alpha channel cuts the rounded corners.
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * 4);
    const float radius = kCornerRadius * size * kSamples;
    const float far = canvas.side - radius;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const int px = x * kSamples + sx, py = y * kSamples + sy;
                    const float dx = std::max({radius - (px + 0.5f), px + 0.5f - far, 0.0f});
                    const float dy = std::max({radius - (py + 0.5f), py + 0.5f - far, 0.0f});
                    if (dx * dx + dy * dy > radius * radius) continue;
                    const Colour& c = canvas.pixels[static_cast<std::size_t>(py) * canvas.side + px];
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++inside;
                }
            }
            unsigned char* out = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            const float n = inside > 0 ? static_cast<float>(inside) : 1.0f;
            out[0] = toByte(sum.r / n);
            out[1] = toByte(sum.g / n);
            out[2] = toByte(sum.b / n);
            out[3] = toByte(static_cast<float>(inside) / (kSamples * kSamples));
        }
    }
    if (!stbi_write_png(argv[2], size, size, 4, rgba.data(), size * 4)) {
        std::fprintf(stderr, "makeicon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
