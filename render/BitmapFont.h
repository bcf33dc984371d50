#pragma once

#include "render/Math.h"
#include "render/ShaderProgram.h"

#include <GL/glew.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

struct GlyphVertex {
    float x = 0.0f, y = 0.0f; // position in the unit square, y = 1 at the glyph's top
    float u = 0.0f, v = 0.0f; // texcoord, v = 0 at the image's top row
};

constexpr int kGlyphCell = 32;              // pixels, edge of one cell in the font image
constexpr int kFontEntries = 256;           // widths and quads
constexpr float kWidthUnitsPerSize = 24.0f; // an advance of 24 units equals the text size

// What the width list and the image size make of a font: the advance table and
// one quad per cell. Entries the list does not reach stay zero.
struct FontTables {
    std::array<int, kFontEntries> charWidths{};
    std::array<GlyphVertex, kFontEntries * 4> quads{};
    int entries = 0; // lines read before the terminator
};

// Reads the width list (one leading integer a line, up to an "END" line, at
// most 256 entries) and lays out one cell per entry in an image of the given
// size. A null file gives no entries.
FontTables buildFontTables(std::FILE* widthList, int imageWidth, int imageHeight);

// Where drawText starts: the cell size and the pen, in normalised device units.
struct TextPen {
    float sx = 0.0f, sy = 0.0f; // cell size
    float px = 0.0f, py = 0.0f; // bottom-left corner of the first cell
};
TextPen textPen(float x, float y, float size, float screenWidth, float screenHeight);

// Sum of the advances of text at the given size, in pixels.
float textWidth(const std::array<int, kFontEntries>& charWidths, std::string_view text, float size);

// The decimal text of a value; short enough to need no heap.
std::string intToString(int value);

// Text from a 32 x 32 cell bitmap font. Positions are pixels from the top-left
// corner of the surface, y down, the top of the line of text; size is the
// on-screen edge of one cell in pixels.
class BitmapFont {
public:
    // Reads data/<name>.png and data/<name>.csv. A missing or unreadable image
    // is reported and replaced by an empty one; the font is always usable.
    BitmapFont(const std::string& name, float screenWidth, float screenHeight);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Call with depth testing off; blending is on only for the draws.
    void drawText(std::string_view text, float x, float y, float size, const Vec3& color) const;
    void drawTextCentered(std::string_view text, float x, float y, float size, const Vec3& color) const;
    void drawTextRight(std::string_view text, float x, float y, float size, const Vec3& color) const;
    // Sum of the advances, in pixels.
    float textWidth(std::string_view text, float size) const;

    GLuint vertexBuffer = 0;
    GLuint vertexArray = 0;
    std::array<int, kFontEntries> charWidths{}; // width units, by character code
    float screenWidth = 0.0f;                   // pixels
    float screenHeight = 0.0f;                  // pixels
    std::unique_ptr<ShaderProgram> program;
    GLuint texture = 0;
};
