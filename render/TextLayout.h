#pragma once

// What a bitmap font's files make of text, without OpenGL: the width list
// read into the advance table, one textured quad per glyph cell, and where
// each character of a line goes. render/BitmapFont draws with these; the
// tests and the width-list fuzzer use them without a context.
#include <array>
#include <cstdio>
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
