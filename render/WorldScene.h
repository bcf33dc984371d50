#pragma once

#include "render/SceneLook.h"
#include "render/ShaderProgram.h"

#include <GL/glew.h>

#include <memory>

class World;

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
