#pragma once

#include <array>
#include <cstdint>

// The scene's four meshes, all centred on the origin in x and z and covering at
// most one cell; the scene moves them onto a cell by translation. Every triangle
// winds counter-clockwise seen from the side its normal points to, so back-face
// culling keeps only what faces the camera.

struct SceneVertex {
    float px = 0.0f, py = 0.0f, pz = 0.0f; // position
    float nx = 0.0f, ny = 0.0f, nz = 0.0f; // face normal
};
static_assert(sizeof(SceneVertex) == 24, "the vertex layout is six packed floats");

struct MeshRange {
    int indexCount = 0;
    int byteOffset = 0; // into the index buffer
};

inline constexpr MeshRange floorTile{30, 0};      // bevelled slab, top at height 0.08
inline constexpr MeshRange wallBlock{30, 120};    // 1 x 1 box, height 0 to 2
inline constexpr MeshRange segmentBlock{30, 240}; // 0.9 x 0.9 box, height 0.25 to 1.5
inline constexpr MeshRange ceilingQuad{6, 360};   // 1 x 1 square at height 2, facing down

// The sloped normals keep their two-digit values (length about 0.997).
inline constexpr std::array<SceneVertex, 64> kSceneVertices = {{
    // floorTile: -z, +x, +z, -x sides, then the top
    {-0.5f, 0, -0.5f, 0, 0.45f, -0.89f},
    {0.5f, 0, -0.5f, 0, 0.45f, -0.89f},
    {0.46f, 0.08f, -0.46f, 0, 0.45f, -0.89f},
    {-0.46f, 0.08f, -0.46f, 0, 0.45f, -0.89f},
    {0.5f, 0, -0.5f, 0.89f, 0.45f, 0},
    {0.5f, 0, 0.5f, 0.89f, 0.45f, 0},
    {0.46f, 0.08f, 0.46f, 0.89f, 0.45f, 0},
    {0.46f, 0.08f, -0.46f, 0.89f, 0.45f, 0},
    {0.5f, 0, 0.5f, 0, 0.45f, 0.89f},
    {-0.5f, 0, 0.5f, 0, 0.45f, 0.89f},
    {-0.46f, 0.08f, 0.46f, 0, 0.45f, 0.89f},
    {0.46f, 0.08f, 0.46f, 0, 0.45f, 0.89f},
    {-0.5f, 0, 0.5f, -0.89f, 0.45f, 0},
    {-0.5f, 0, -0.5f, -0.89f, 0.45f, 0},
    {-0.46f, 0.08f, -0.46f, -0.89f, 0.45f, 0},
    {-0.46f, 0.08f, 0.46f, -0.89f, 0.45f, 0},
    {-0.46f, 0.08f, 0.46f, 0, 1, 0},
    {-0.46f, 0.08f, -0.46f, 0, 1, 0},
    {0.46f, 0.08f, -0.46f, 0, 1, 0},
    {0.46f, 0.08f, 0.46f, 0, 1, 0},
    // wallBlock
    {-0.5f, 0, -0.5f, 0, 0, -1},
    {0.5f, 0, -0.5f, 0, 0, -1},
    {0.5f, 2, -0.5f, 0, 0, -1},
    {-0.5f, 2, -0.5f, 0, 0, -1},
    {0.5f, 0, -0.5f, 1, 0, 0},
    {0.5f, 0, 0.5f, 1, 0, 0},
    {0.5f, 2, 0.5f, 1, 0, 0},
    {0.5f, 2, -0.5f, 1, 0, 0},
    {0.5f, 0, 0.5f, 0, 0, 1},
    {-0.5f, 0, 0.5f, 0, 0, 1},
    {-0.5f, 2, 0.5f, 0, 0, 1},
    {0.5f, 2, 0.5f, 0, 0, 1},
    {-0.5f, 0, 0.5f, -1, 0, 0},
    {-0.5f, 0, -0.5f, -1, 0, 0},
    {-0.5f, 2, -0.5f, -1, 0, 0},
    {-0.5f, 2, 0.5f, -1, 0, 0},
    {-0.5f, 2, 0.5f, 0, 1, 0},
    {-0.5f, 2, -0.5f, 0, 1, 0},
    {0.5f, 2, -0.5f, 0, 1, 0},
    {0.5f, 2, 0.5f, 0, 1, 0},
    // segmentBlock
    {-0.45f, 0.25f, -0.45f, 0, 0, -1},
    {0.45f, 0.25f, -0.45f, 0, 0, -1},
    {0.45f, 1.5f, -0.45f, 0, 0, -1},
    {-0.45f, 1.5f, -0.45f, 0, 0, -1},
    {0.45f, 0.25f, -0.45f, 1, 0, 0},
    {0.45f, 0.25f, 0.45f, 1, 0, 0},
    {0.45f, 1.5f, 0.45f, 1, 0, 0},
    {0.45f, 1.5f, -0.45f, 1, 0, 0},
    {0.45f, 0.25f, 0.45f, 0, 0, 1},
    {-0.45f, 0.25f, 0.45f, 0, 0, 1},
    {-0.45f, 1.5f, 0.45f, 0, 0, 1},
    {0.45f, 1.5f, 0.45f, 0, 0, 1},
    {-0.45f, 0.25f, 0.45f, -1, 0, 0},
    {-0.45f, 0.25f, -0.45f, -1, 0, 0},
    {-0.45f, 1.5f, -0.45f, -1, 0, 0},
    {-0.45f, 1.5f, 0.45f, -1, 0, 0},
    {-0.45f, 1.5f, 0.45f, 0, 1, 0},
    {-0.45f, 1.5f, -0.45f, 0, 1, 0},
    {0.45f, 1.5f, -0.45f, 0, 1, 0},
    {0.45f, 1.5f, 0.45f, 0, 1, 0},
    // ceilingQuad
    {-0.5f, 2, 0.5f, 0, -1, 0},
    {-0.5f, 2, -0.5f, 0, -1, 0},
    {0.5f, 2, -0.5f, 0, -1, 0},
    {0.5f, 2, 0.5f, 0, -1, 0},
}};

inline constexpr std::array<std::uint32_t, 96> kSceneIndices = {
    3,  1,  0,  3,  2,  1,  7,  5,  4,  7,  6,  5,  11, 9,  8,  11, 10, 9,  15, 13, 12, 15, 14, 13,
    18, 17, 16, 18, 16, 19, 23, 21, 20, 23, 22, 21, 27, 25, 24, 27, 26, 25, 31, 29, 28, 31, 30, 29,
    35, 33, 32, 35, 34, 33, 38, 37, 36, 38, 36, 39, 43, 41, 40, 43, 42, 41, 47, 45, 44, 47, 46, 45,
    51, 49, 48, 51, 50, 49, 55, 53, 52, 55, 54, 53, 58, 57, 56, 58, 56, 59, 60, 61, 63, 63, 61, 62,
};
