#include "render/TextLayout.h"

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

float textWidth(const std::array<int, kFontEntries>& charWidths, std::string_view text, float size) {
    float units = 0.0f;
    for (const char ch : text)
        units += static_cast<float>(charWidths[static_cast<unsigned char>(ch)]) / kWidthUnitsPerSize;
    return units * size;
}
