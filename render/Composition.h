#pragma once

#include "render/ShaderProgram.h"

#include <GL/glew.h>

#include <memory>

// The off-screen target the scene is drawn into, and the full-screen pass that
// puts it on the window: unchanged, or blurred while the game is over.
class Composition {
public:
    // Prints "Error: Framebuffer not complete" when the target cannot be used,
    // and carries on drawing into it.
    Composition();
    ~Composition();
    Composition(const Composition&) = delete;
    Composition& operator=(const Composition&) = delete;

    // Binds the off-screen target with depth testing on, cleared to the
    // background; the scene draws next.
    void beginScene() const;
    // Draws the scene image over the whole window. Leaves depth testing off for
    // the texts that follow.
    void compose(bool blurred) const;

    std::unique_ptr<ShaderProgram> shader2d;
    std::unique_ptr<ShaderProgram> shaderBlur;
    GLuint quadVbo = 0;
    GLuint quadVao = 0;
    GLuint sceneFbo = 0;
    GLuint sceneTexture = 0;
    GLuint sceneDepth = 0; // renderbuffer, kept so it can be released
};
