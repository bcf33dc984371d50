#include "render/BitmapFont.h"

#include "render/DataFile.h"
#include "render/FontImage.h"

#include <cstdio>

BitmapFont::BitmapFont(const std::string& name, float width, float height)
    : screenWidth(width), screenHeight(height) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);

    FontImage image;
    std::string reason;
    if (!loadFontImage(dataPath(name + ".png"), image, reason)) {
        std::fputs("Error: Failed to load font.png!\n", stdout);
        std::printf("  %s\n", reason.c_str());
        // An empty cell's worth of black keeps the texture complete; text draws nothing.
        image.width = image.height = kGlyphCell;
        image.pixels.assign(static_cast<std::size_t>(kGlyphCell) * kGlyphCell * 3, 0);
    }
    // Rows of three-byte pixels need not be four-byte aligned (any width that
    // is not a multiple of 4); reading them as aligned would run past the data.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    std::FILE* widthList = std::fopen(dataPath(name + ".csv").c_str(), "r");
    const FontTables tables = buildFontTables(widthList, image.width, image.height);
    if (widthList) std::fclose(widthList);
    charWidths = tables.charWidths;

    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof tables.quads, tables.quads.data(), GL_STATIC_DRAW);
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);

    program = std::make_unique<ShaderProgram>("textRender.vert", "textRender.frag");
    linkProgram(*program,
                {{"position", 2, sizeof(GlyphVertex), 0, 0}, {"texcoord", 2, sizeof(GlyphVertex), 8, 1}});
}

BitmapFont::~BitmapFont() {
    program.reset();
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteTextures(1, &texture);
}

void BitmapFont::drawText(std::string_view text, float x, float y, float size, const Vec3& color) const {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindVertexArray(vertexArray);
    glUseProgram(program->programId);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The shader outputs colour premultiplied by coverage, with coverage as alpha.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

    glUniform3fv(glGetUniformLocation(program->programId, "color"), 1, &color.x);
    TextPen pen = textPen(x, y, size, screenWidth, screenHeight);
    glUniform2f(glGetUniformLocation(program->programId, "scale"), pen.sx, pen.sy);
    const GLint placement = glGetUniformLocation(program->programId, "placement");
    for (const char ch : text) {
        const int c = static_cast<unsigned char>(ch);
        // Control characters have no cell but still advance by their width.
        if (c >= 32) {
            glUniform2f(placement, pen.px, pen.py);
            glDrawArrays(GL_TRIANGLE_FAN, 4 * (c - 32), 4);
        }
        pen.px += static_cast<float>(charWidths[c]) / kWidthUnitsPerSize * pen.sx;
    }
    glDisable(GL_BLEND);
}

void BitmapFont::drawTextCentered(std::string_view text, float x, float y, float size,
                                  const Vec3& color) const {
    drawText(text, x - 0.5f * textWidth(text, size), y, size, color);
}

void BitmapFont::drawTextRight(std::string_view text, float x, float y, float size, const Vec3& color) const {
    drawText(text, x - textWidth(text, size), y, size, color);
}

float BitmapFont::textWidth(std::string_view text, float size) const {
    return ::textWidth(charWidths, text, size);
}
