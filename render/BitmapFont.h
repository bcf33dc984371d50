#pragma once

#include "render/Math.h"
#include "render/ShaderProgram.h"
#include "render/TextLayout.h"

#include <GL/glew.h>

#include <memory>
#include <string>
#include <string_view>

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
