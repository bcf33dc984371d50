#include "render/BitmapFont.h"
#include "render/SceneLook.h"

#include "StdoutCapture.h"
#include "TempDataDir.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The fonts here draw on the game window's surface.
constexpr float kW = kWindowWidth, kH = kWindowHeight;

struct Texture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

Texture readTexture(GLuint texture) {
    Texture t;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &t.height);
    t.rgb.resize(static_cast<std::size_t>(t.width) * t.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, t.rgb.data());
    return t;
}

struct ImageCase {
    const char* name;
    int width, height, channels;
};
void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

class FontImageTest : public testing::TestWithParam<ImageCase> {};

// Whatever the PNG holds, the texture gets the same picture as 8-bit RGB.
TEST_P(FontImageTest, IsUploadedAsRgb) {
    const ImageCase& c = GetParam();
    TempDataDir dir(true);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(c.width) * c.height * c.channels);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7 % 251);
    const std::string path = (dir.root / "data" / "font.png").string();
    ASSERT_NE(
        stbi_write_png(path.c_str(), c.width, c.height, c.channels, pixels.data(), c.width * c.channels), 0);

    StdoutCapture out;
    BitmapFont font("font", kW, kH);
    EXPECT_EQ(out.text(), "");
    const Texture t = readTexture(font.texture);
    ASSERT_EQ(t.width, c.width);
    ASSERT_EQ(t.height, c.height);
    for (int p = 0; p < c.width * c.height; ++p) {
        const unsigned char* src = &pixels[p * c.channels];
        const bool grey = c.channels < 3;
        for (int k = 0; k < 3; ++k) ASSERT_EQ(t.rgb[p * 3 + k], grey ? src[0] : src[k]) << "pixel " << p;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FontImageTest,
                         testing::Values(ImageCase{"Rgb", 64, 32, 3}, ImageCase{"Rgba", 64, 32, 4},
                                         ImageCase{"Grey", 64, 32, 1}, ImageCase{"GreyAlpha", 32, 64, 2},
                                         ImageCase{"RowsNotFourByteAligned", 33, 5, 3}),
                         [](const testing::TestParamInfo<ImageCase>& info) {
                             return std::string(info.param.name);
                         });

// Each font file spoiled in turn: the report names it, and the font is still
// usable, with whatever the other file gives.
TEST(BitmapFontTest, BadFontFilesAreReportedAndLeaveAUsableFont) {
    struct Case {
        const char* name;
        const char* file;  // the file spoiled
        const char* bytes; // its new contents; null: removed
        const char* report;
    };
    for (const Case& c : {
             Case{"missing image", "font.png", nullptr,
                  "Error: Failed to load font.png!\n  cannot open data/font.png\n"},
             Case{"not an image", "font.png", "this is not a PNG file",
                  "Error: Failed to load font.png!\n  data/font.png: not a readable PNG image (unknown image "
                  "type)\n"},
             Case{"missing width list", "font.csv", nullptr, ""}, // silently: no widths
         }) {
        SCOPED_TRACE(c.name);
        TempDataDir dir(true);
        if (c.bytes)
            dir.write(c.file, c.bytes);
        else
            dir.remove(c.file);
        StdoutCapture out;
        BitmapFont font("font", kW, kH);
        EXPECT_EQ(out.text(), c.report);
        const Texture t = readTexture(font.texture);
        if (std::string_view(c.file) == "font.png") {
            // An empty cell of black in place of the image; the widths are still read.
            EXPECT_EQ(t.width, 32);
            EXPECT_EQ(t.height, 32);
            for (unsigned char v : t.rgb) ASSERT_EQ(v, 0);
            EXPECT_GT(font.charWidths['A'], 0);
        } else {
            EXPECT_EQ(t.width, 512);
            for (int w : font.charWidths) ASSERT_EQ(w, 0);
            EXPECT_EQ(font.textWidth("Coilrun", 55), 0.0f);
        }
        font.drawText("still drawable", 10, 10, 20, {1, 1, 1});
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST(BitmapFontTest, TheShippedFontCoversPrintableAscii) {
    TempDataDir dir(true);
    StdoutCapture out;
    BitmapFont font("font", kW, kH);
    EXPECT_EQ(out.text(), "");
    const Texture t = readTexture(font.texture);
    EXPECT_EQ(t.width, 512);
    EXPECT_EQ(t.height, 512);
    for (int c = 33; c <= 126; ++c) {
        EXPECT_GT(font.charWidths[c], 0) << static_cast<char>(c);
        EXPECT_LE(font.charWidths[c], 24)
            << static_cast<char>(c); // 24 units is one cell: no advance passes it
        // Some ink in the character's cell.
        const int k = c - 32, cx = (k % 16) * 32, cy = (k / 16) * 32;
        int ink = 0;
        for (int y = cy; y < cy + 32; ++y)
            for (int x = cx; x < cx + 32; ++x) ink += t.rgb[(y * 512 + x) * 3] > 128;
        EXPECT_GT(ink, 3) << static_cast<char>(c);
    }
    EXPECT_GT(font.charWidths[' '], 0);
}

// What drawText leaves in the window, drawn alone on black.
std::vector<unsigned char> drawnAlone(const BitmapFont& font, std::string_view text, float x) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    font.drawText(text, x, 100, 48, {1, 1, 1});
    std::vector<unsigned char> pixels(kWindowWidth * kWindowHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(BitmapFontTest, ControlCharactersMoveThePenWithoutDrawing) {
    TempDataDir dir(true);
    // The shipped font gives control characters no width: give the tab one.
    std::string widths;
    for (int code = 0; code < 127; ++code) widths += (code == '\t' ? "12" : "10") + std::string("\n");
    dir.write("font.csv", widths + "END\n");
    BitmapFont font("font", kW, kH);
    // 12 units of a 48-pixel text are 24 pixels.
    const std::vector<unsigned char> tabbed = drawnAlone(font, "\tA", 100);
    EXPECT_TRUE(tabbed == drawnAlone(font, "A", 124));
    EXPECT_FALSE(tabbed == drawnAlone(font, "A", 100));
}

TEST(BitmapFontTest, GlyphsAreFilteredLinearly) {
    TempDataDir dir(true);
    BitmapFont font("font", kW, kH);
    glBindTexture(GL_TEXTURE_2D, font.texture);
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    // Text is drawn at many sizes from 32-texel cells: linear keeps its edges smooth.
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
}

} // namespace
