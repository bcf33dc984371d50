#include "render/BitmapFont.h"

#include "render/DataFile.h"
#include "render/FontImage.h"

#include <climits>
#include <cstdlib>

namespace {

// One line without its line feed; false at the end of the file.
bool readLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::getc(file)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
    return c != EOF || !line.empty();
}

// atoi's reading (blanks, sign, digits, the rest ignored; no number is 0), but
// a value beyond the 32-bit range is clamped instead of undefined.
int leadingInt(const std::string& line) {
    const long value = std::strtol(line.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void writeQuad(GlyphVertex* quad, int cx, int cy, int imageWidth, int imageHeight) {
    const float w = static_cast<float>(imageWidth);
    const float h = static_cast<float>(imageHeight);
    const float uLeft = static_cast<float>(cx) / w;
    const float uRight = uLeft + static_cast<float>(kGlyphCell) / w;
    const float vTop = static_cast<float>(cy) / h;
    const float vBottom = vTop + static_cast<float>(kGlyphCell) / h;
    // Triangle-fan order, counter-clockwise on screen.
    quad[0] = {0, 0, uLeft, vBottom};
    quad[1] = {1, 0, uRight, vBottom};
    quad[2] = {1, 1, uRight, vTop};
    quad[3] = {0, 1, uLeft, vTop};
}

} // namespace

FontTables buildFontTables(std::FILE* widthList, int imageWidth, int imageHeight) {
    FontTables tables;
    if (!widthList) return tables;
    std::string line;
    int cx = 0, cy = 0;
    while (tables.entries < kFontEntries && readLine(widthList, line)) {
        if (line == "END" || line == "END\r") break;
        const int k = tables.entries++;
        tables.charWidths[k] = leadingInt(line);
        if (cx + kGlyphCell > imageWidth) {
            cx = 0;
            cy += kGlyphCell;
        }
        writeQuad(&tables.quads[4 * k], cx, cy, imageWidth, imageHeight);
        cx += kGlyphCell;
    }
    return tables;
}

TextPen textPen(float x, float y, float size, float screenWidth, float screenHeight) {
    TextPen pen;
    pen.sx = size * 2.0f / screenWidth;
    pen.sy = size * 2.0f / screenHeight;
    pen.px = x * 2.0f / screenWidth - 1.0f;
    pen.py = 1.0f - y * 2.0f / screenHeight - pen.sy;
    return pen;
}

std::string intToString(int value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

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

float textWidth(const std::array<int, kFontEntries>& charWidths, std::string_view text, float size) {
    float units = 0.0f;
    for (const char ch : text)
        units += static_cast<float>(charWidths[static_cast<unsigned char>(ch)]) / kWidthUnitsPerSize;
    return units * size;
}
