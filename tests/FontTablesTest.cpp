#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <ostream>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

FontTables tablesFrom(const std::string& text, int width = 512, int height = 512) {
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    FontTables tables = buildFontTables(file, width, height);
    std::fclose(file);
    return tables;
}

std::vector<int> widthsOf(const FontTables& t) {
    return std::vector<int>(t.charWidths.begin(), t.charWidths.begin() + t.entries);
}

struct WidthCase {
    const char* name;
    std::string text;
    std::vector<int> widths;
};
void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class WidthListTest : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthListTest, Entries) {
    const WidthCase& c = GetParam();
    const FontTables t = tablesFrom(c.text);
    EXPECT_EQ(widthsOf(t), c.widths);
    for (int k = t.entries; k < kFontEntries; ++k) ASSERT_EQ(t.charWidths[k], 0) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WidthListTest,
    testing::Values(WidthCase{"FirstLineEnd", "END\n10\n", {}},
                    WidthCase{"TwoEntries", "10\n12\nEND\n", {10, 12}},
                    WidthCase{"BlankLineIsZeroAndNoExtraEntryAtTheEnd", "10\n\n12\n", {10, 0, 12}},
                    WidthCase{"LastLineWithoutLineFeed", "5\n6", {5, 6}},
                    WidthCase{"TerminatorIsExact", "END \nend\nEND\r\r\nEND\n9\n", {0, 0, 0}},
                    WidthCase{"CrLfFileStopsAtItsEnd", "5\r\n6\r\nEND\r\n7\r\n", {5, 6}},
                    WidthCase{"LeadingNumberOnly", "7,12\n-3\n  +4x\nx5\n", {7, -3, 4, 0}},
                    WidthCase{
                        "BeyondThirtyTwoBitsIsClamped", "99999999999\n-99999999999\n", {INT_MAX, INT_MIN}},
                    WidthCase{"CrOnlyLineEndsAreOneLine", "5\r6\r7\r", {5}}, WidthCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<WidthCase>& info) { return std::string(info.param.name); });

TEST(FontTablesTest, StopsAfter256Entries) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::to_string(i) + "\n";
    const FontTables t = tablesFrom(text);
    EXPECT_EQ(t.entries, 256);
    EXPECT_EQ(t.charWidths[255], 255);
}

TEST(FontTablesTest, MissingFileGivesNoEntries) {
    const FontTables t = buildFontTables(nullptr, 512, 512);
    EXPECT_EQ(t.entries, 0);
}

// Top-left pixel of the cell laid out for entry k, read back from its quad.
struct Origin {
    float x, y;
};
Origin cellOrigin(const FontTables& t, int k, int width, int height) {
    const GlyphVertex& topLeft = t.quads[4 * k + 3];
    return {topLeft.u * static_cast<float>(width), topLeft.v * static_cast<float>(height)};
}

TEST(FontTablesTest, CellsRunAcrossThenDownWithoutPassingTheRightEdge) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "1\n";
    struct Case {
        int width;
        int entry;
        Origin origin;
    };
    for (const Case& c :
         {Case{512, 0, {0, 0}}, Case{512, 1, {32, 0}}, Case{512, 15, {480, 0}}, Case{512, 16, {0, 32}},
          Case{100, 2, {64, 0}}, Case{100, 3, {0, 32}}, Case{100, 7, {32, 64}}}) {
        const FontTables t = tablesFrom(text, c.width, 512);
        const Origin o = cellOrigin(t, c.entry, c.width, 512);
        EXPECT_FLOAT_EQ(o.x, c.origin.x) << c.width << " wide, entry " << c.entry;
        EXPECT_FLOAT_EQ(o.y, c.origin.y) << c.width << " wide, entry " << c.entry;
    }
}

TEST(FontTablesTest, QuadIsTheUnitSquareSamplingItsCellTopRowAtTheTop) {
    const FontTables t = tablesFrom("1\n");
    const GlyphVertex expected[4] = {
        {0, 0, 0, 0.0625f}, {1, 0, 0.0625f, 0.0625f}, {1, 1, 0.0625f, 0}, {0, 1, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.quads[i].x, expected[i].x);
        EXPECT_EQ(t.quads[i].y, expected[i].y);
        EXPECT_FLOAT_EQ(t.quads[i].u, expected[i].u);
        EXPECT_FLOAT_EQ(t.quads[i].v, expected[i].v);
    }
    for (int i = 4; i < 4 * kFontEntries; ++i) ASSERT_EQ(t.quads[i].u, 0.0f); // unreached quads are empty
}

TEST(TextLayoutTest, PenAndScaleOnAnEightHundredBySixHundredSurface) {
    const TextPen pen = textPen(20, 16, 55, 800, 600);
    EXPECT_FLOAT_EQ(pen.sx, 0.1375f);
    EXPECT_NEAR(pen.sy, 0.18333f, 1e-5f);
    EXPECT_FLOAT_EQ(pen.px, -0.95f);
    EXPECT_NEAR(pen.py, 0.76333f, 1e-5f);
    // The first cell's top-left corner is at pixel (20, 16) and its edge 55 pixels.
    EXPECT_FLOAT_EQ((pen.px + 1.0f) * 400.0f, 20.0f);
    EXPECT_NEAR((1.0f - (pen.py + pen.sy)) * 300.0f, 16.0f, 1e-4f);
    EXPECT_NEAR(pen.sy * 300.0f, 55.0f, 1e-4f);
}

TEST(TextLayoutTest, WidthIsTheSumOfAdvancesOverTwentyFour) {
    std::array<int, kFontEntries> widths{};
    widths['a'] = 12;
    widths['b'] = -6;
    widths['\t'] = 24;
    EXPECT_FLOAT_EQ(textWidth(widths, "a", 55), 27.5f); // 0.06875 in device units
    EXPECT_FLOAT_EQ(textWidth(widths, "aab", 24), 18.0f);
    EXPECT_FLOAT_EQ(textWidth(widths, "\t", 20), 20.0f);
    EXPECT_EQ(textWidth(widths, "", 55), 0.0f);
    widths[200] = 24; // bytes past 127 index the table as unsigned
    EXPECT_FLOAT_EQ(textWidth(widths, "\xC8", 10), 10.0f);
}

TEST(TextLayoutTest, IntToString) {
    EXPECT_EQ(intToString(0), "0");
    EXPECT_EQ(intToString(-7), "-7");
    EXPECT_EQ(intToString(2147483647), "2147483647");
    EXPECT_EQ(intToString(INT_MIN), "-2147483648");
    EXPECT_EQ(intToString(1200), "1200");
}

} // namespace
