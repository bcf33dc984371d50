// Builds the game's bitmap font from a TrueType file: a 512 x 512 RGB sheet of
// 32 x 32 cells (character 32 first, left to right, top to bottom) and the
// advance list, one width a line in units where 24 equals the text size, then
// END. Deterministic, so rerunning it reproduces the committed files.
//
//   makefont <font.ttf> <out.png> <out.csv>

#define STB_TRUETYPE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image_write.h>
#include <stb/stb_truetype.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSheet = 512;          // pixels, square
constexpr int kCell = 32;            // pixels
constexpr int kEntries = 127;        // widths for codes 0 to 126, cells for codes 32 to 158
constexpr int kFirstCode = 32;       // the first cell's character
constexpr float kLineHeight = 30.0f; // ascender to descender, pixels
constexpr int kOriginX = 1;          // pixels from the cell's left edge to the pen
constexpr float kUnitsPerPixel = 24.0f / kCell;

std::vector<unsigned char> readFile(const char* path) {
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return bytes;
    unsigned char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: makefont <font.ttf> <out.png> <out.csv>\n");
        return 2;
    }
    const std::vector<unsigned char> ttf = readFile(argv[1]);
    stbtt_fontinfo font;
    if (ttf.empty() || !stbtt_InitFont(&font, ttf.data(), stbtt_GetFontOffsetForIndex(ttf.data(), 0))) {
        std::fprintf(stderr, "makefont: cannot read %s as a TrueType font\n", argv[1]);
        return 1;
    }
    const float scale = stbtt_ScaleForPixelHeight(&font, kLineHeight);
    int ascent = 0, descent = 0, lineGap = 0;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &lineGap);
    // Every glyph shares this baseline, measured from the cell's top.
    const int baseline = static_cast<int>(std::lround(ascent * scale)) + 1;

    std::vector<unsigned char> sheet(kSheet * kSheet * 3, 0);
    std::FILE* csv = std::fopen(argv[3], "wb");
    if (!csv) {
        std::fprintf(stderr, "makefont: cannot write %s\n", argv[3]);
        return 1;
    }
    for (int k = 0; k < kEntries; ++k) {
        // Line k is the advance of code k; cell k shows code k + 32.
        int advance = 0, lsb = 0;
        if (k >= kFirstCode) stbtt_GetCodepointHMetrics(&font, k, &advance, &lsb);
        std::fprintf(csv, "%ld\n", std::lround(advance * scale * kUnitsPerPixel));

        const int code = k + kFirstCode;
        if (code > 126) continue;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBox(&font, code, scale, scale, &x0, &y0, &x1, &y1);
        const int w = x1 - x0, h = y1 - y0;
        if (w <= 0 || h <= 0) continue;
        std::vector<unsigned char> glyph(static_cast<std::size_t>(w) * h);
        stbtt_MakeCodepointBitmap(&font, glyph.data(), w, h, w, scale, scale, code);
        const int cellX = (k % (kSheet / kCell)) * kCell;
        const int cellY = (k / (kSheet / kCell)) * kCell;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int px = kOriginX + x0 + x, py = baseline + y0 + y;
                if (px < 0 || px >= kCell || py < 0 || py >= kCell) continue; // keep inside the cell
                unsigned char* out = &sheet[((cellY + py) * kSheet + cellX + px) * 3];
                out[0] = out[1] = out[2] = glyph[y * w + x];
            }
        }
    }
    std::fputs("END\n", csv);
    std::fclose(csv);
    if (!stbi_write_png(argv[2], kSheet, kSheet, 3, sheet.data(), kSheet * 3)) {
        std::fprintf(stderr, "makefont: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
