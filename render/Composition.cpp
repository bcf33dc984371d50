#include "render/Composition.h"

#include "render/GlPlatform.h"
#include "render/SceneLook.h"

#include <cstdio>

namespace {

// x, y in clip space, u, v with (0, 0) at the image's bottom left; both
// triangles counter-clockwise, so they survive the scene's back-face culling.
constexpr float kQuad[6][4] = {
    {-1, -1, 0, 0}, {1, 1, 1, 1}, {-1, 1, 0, 1}, {-1, -1, 0, 0}, {1, -1, 1, 0}, {1, 1, 1, 1},
};

// Both programs describe their inputs on the one quad vertex array, so the
// locations are fixed before linking to keep the two descriptions identical.
std::unique_ptr<ShaderProgram> buildFullScreenProgram(const char* vertexFile, const char* fragmentFile) {
    auto program = std::make_unique<ShaderProgram>(vertexFile, fragmentFile);
    linkProgram(*program, {{"position", 2, 16, 0, 0}, {"texcoord", 2, 16, 8, 1}});
    return program;
}

} // namespace

Composition::Composition() {
    glGenBuffers(1, &quadVbo);
    glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuad, kQuad, GL_STATIC_DRAW);
    glGenVertexArrays(1, &quadVao);
    glBindVertexArray(quadVao);

    shader2d = buildFullScreenProgram("2d.vert", "2d.frag");
    shaderBlur = buildFullScreenProgram("2dBlur.vert", "2dBlur.frag");

    glGenFramebuffers(1, &sceneFbo);
    glGenTextures(1, &sceneTexture);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFbo);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kWindowWidth, kWindowHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    glGenRenderbuffers(1, &sceneDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, sceneDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, glPlatform::kDepthFormat, kWindowWidth, kWindowHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, sceneDepth);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sceneTexture, 0);
    const GLenum drawBuffers[] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, drawBuffers);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fputs("Error: Framebuffer not complete\n", stdout);
        std::fflush(stdout);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

Composition::~Composition() {
    shader2d.reset();
    shaderBlur.reset();
    glDeleteTextures(1, &sceneTexture);
    glDeleteFramebuffers(1, &sceneFbo);
    glDeleteRenderbuffers(1, &sceneDepth);
    glDeleteVertexArrays(1, &quadVao);
    glDeleteBuffers(1, &quadVbo);
}

void Composition::beginScene() const {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFbo);
    glEnable(GL_DEPTH_TEST);
    glClearColor(kClearColour.x, kClearColour.y, kClearColour.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Composition::compose(bool blurred) const {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
    glBindVertexArray(quadVao);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(blurred ? shaderBlur->programId : shader2d->programId);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}
