#include "render/SceneGeometry.h"
#include "render/Math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

Vec3 positionOf(const SceneVertex& v) { return {v.px, v.py, v.pz}; }

TEST(SceneGeometryTest, IndexRangesCoverEveryVertexAndTileTheIndexBuffer) {
    // Every index names a vertex, and every vertex belongs to some mesh.
    const std::set<unsigned> used(kSceneIndices.begin(), kSceneIndices.end());
    EXPECT_LT(*used.rbegin(), kSceneVertices.size());
    EXPECT_EQ(used.size(), kSceneVertices.size());
    // The four meshes tile the index buffer in order.
    int next = 0;
    for (const MeshRange& mesh : {floorTile, wallBlock, segmentBlock, ceilingQuad}) {
        EXPECT_EQ(mesh.byteOffset, next * 4);
        next += mesh.indexCount;
    }
    EXPECT_EQ(next, static_cast<int>(kSceneIndices.size()));
}

TEST(SceneGeometryTest, EveryTriangleWindsCounterClockwiseAroundItsNormal) {
    for (std::size_t t = 0; t < kSceneIndices.size(); t += 3) {
        const SceneVertex& a = kSceneVertices[kSceneIndices[t]];
        const SceneVertex& b = kSceneVertices[kSceneIndices[t + 1]];
        const SceneVertex& c = kSceneVertices[kSceneIndices[t + 2]];
        const Vec3 facing = cross(positionOf(b) - positionOf(a), positionOf(c) - positionOf(a));
        EXPECT_GT(dot(facing, {a.nx, a.ny, a.nz}), 0.0f) << "triangle " << t / 3;
        // All three corners of a triangle share one face and so one normal.
        EXPECT_EQ(a.ny, b.ny);
        EXPECT_EQ(a.ny, c.ny);
    }
}

TEST(SceneGeometryTest, MeshHeights) {
    struct Case {
        MeshRange mesh;
        float low, high;
    };
    for (const Case& c : {Case{floorTile, 0.0f, 0.08f}, Case{wallBlock, 0.0f, 2.0f},
                          Case{segmentBlock, 0.25f, 1.5f}, Case{ceilingQuad, 2.0f, 2.0f}}) {
        float low = 1e9f, high = -1e9f;
        for (int i = 0; i < c.mesh.indexCount; ++i) {
            const SceneVertex& v = kSceneVertices[kSceneIndices[c.mesh.byteOffset / 4 + i]];
            low = std::min(low, v.py);
            high = std::max(high, v.py);
            EXPECT_LE(std::max(std::abs(v.px), std::abs(v.pz)), 0.5f);
        }
        EXPECT_EQ(low, c.low);
        EXPECT_EQ(high, c.high);
    }
}

} // namespace
