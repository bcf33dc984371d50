#include "render/WorldScene.h"

#include "game/World.h"
#include "render/Math.h"
#include "render/SceneGeometry.h"

#include <cstdint>

namespace {

void drawMesh(const MeshRange& mesh) {
    glDrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(static_cast<std::uintptr_t>(mesh.byteOffset)));
}

Mat4 cellTransform(int x, int y) {
    return translate(Mat4(), {static_cast<float>(x) + 0.5f, 0.0f, static_cast<float>(y) + 0.5f});
}

} // namespace

WorldScene::WorldScene() {
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof kSceneVertices, kSceneVertices.data(), GL_STATIC_DRAW);

    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof kSceneIndices, kSceneIndices.data(), GL_STATIC_DRAW);

    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer); // recorded by the vertex array

    program = std::make_unique<ShaderProgram>("default.vert", "default.frag");
    linkProgram(*program, {{"position", 3, sizeof(SceneVertex), 0}, {"normal", 3, sizeof(SceneVertex), 12}},
                "outColor");
}

WorldScene::~WorldScene() {
    program.reset();
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
}

void WorldScene::draw(const World& world, const ScenePalette& palette) const {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glDepthRange(0.0, 1.0);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    const GLuint id = program->programId;
    glUseProgram(id);

    // cameraMode 1, the only camera: the fixed overview, row 0 at the top.
    const SceneCamera& camera = kSceneCamera;
    const Mat4 view = lookAt(camera.eye, camera.centre, camera.up);
    glUniformMatrix4fv(glGetUniformLocation(id, "view"), 1, GL_FALSE, view.data());
    const Mat4 proj = perspective(camera.fieldOfView, camera.aspect, camera.near, camera.far);
    glUniformMatrix4fv(glGetUniformLocation(id, "proj"), 1, GL_FALSE, proj.data());

    const GLint color = glGetUniformLocation(id, "color");
    const Vec3 lightPos{static_cast<float>(world.foodX) + 0.5f, kLightHeight,
                        static_cast<float>(world.foodY) + 0.5f};
    glUniform3fv(glGetUniformLocation(id, "lightPos"), 1, &lightPos.x);
    glUniform3fv(glGetUniformLocation(id, "lightInt"), 1, &kLightIntensity.x);

    const GLint trans = glGetUniformLocation(id, "trans");
    glUniform3fv(color, 1, &palette.floor.x);
    for (int x = 0; x < World::width; ++x) {
        for (int y = 0; y < World::height; ++y) {
            const Mat4 model = cellTransform(x, y);
            glUniformMatrix4fv(trans, 1, GL_FALSE, model.data());
            drawMesh(floorTile);
            // The same matrix again, on purpose: every draw carries its own
            // "trans" upload, and the frame's call stream, which the trace
            // test holds to the call, keeps that shape. The ceiling faces
            // down, so from this camera it is culled and costs no pixels.
            glUniformMatrix4fv(trans, 1, GL_FALSE, model.data());
            drawMesh(ceilingQuad);
            if (world.isWall(x, y)) {
                glUniform3fv(color, 1, &palette.wall.x);
                glUniformMatrix4fv(trans, 1, GL_FALSE, model.data());
                drawMesh(wallBlock);
                glUniform3fv(color, 1, &palette.floor.x);
            }
        }
    }

    // A ring of blocks on every cell just outside the board, corners included.
    glUniform3fv(color, 1, &palette.wall.x);
    for (int i = 0; i <= World::width + 1; ++i) {
        for (int j = 0; j <= World::height + 1; ++j) {
            if (i != 0 && i != World::width + 1 && j != 0 && j != World::height + 1) continue;
            const Mat4 model = cellTransform(i - 1, j - 1);
            glUniformMatrix4fv(trans, 1, GL_FALSE, model.data());
            drawMesh(wallBlock);
        }
    }

    for (int k = 0; k < World::cellCount; ++k) {
        if (world.snake[k] == World::kNoCell) continue;
        const Cell cell = world.cellAt(k);
        glUniform3fv(color, 1, k == 0 ? &palette.head.x : &palette.body.x);
        const Mat4 model = cellTransform(cell.x, cell.y);
        glUniformMatrix4fv(trans, 1, GL_FALSE, model.data());
        drawMesh(segmentBlock);
    }

    if (world.foodX < 0) return; // the board is full: nothing left to eat
    glUniform3fv(color, 1, &palette.food.x);
    const Mat4 food = scale(translate(Mat4(), {static_cast<float>(world.foodX) + 0.5f, -0.5f,
                                               static_cast<float>(world.foodY) + 0.5f}),
                            {0.5f, 1.5f, 0.5f});
    glUniformMatrix4fv(trans, 1, GL_FALSE, food.data());
    drawMesh(segmentBlock);
}
