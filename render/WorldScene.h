#pragma once

#include "render/Math.h"
#include "render/ShaderProgram.h"

#include <GL/glew.h>

#include <memory>

class World;

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

// The GL side of one World: its scene program and the meshes' buffers. Each
// World gets its own, built just before it and released with it, so a restart
// rebuilds the scene program from its files.
class WorldScene {
public:
    WorldScene();
    ~WorldScene();
    WorldScene(const WorldScene&) = delete;
    WorldScene& operator=(const WorldScene&) = delete;

    // Draws the world from the fixed camera into the bound framebuffer, whose
    // depth must be cleared. Leaves depth testing and back-face culling on and
    // the scene's program and vertex array bound.
    void draw(const World& world, const ScenePalette& palette = kScenePalette) const;

    std::unique_ptr<ShaderProgram> program;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint vertexArray = 0;
};
