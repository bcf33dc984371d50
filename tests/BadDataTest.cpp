// The real binary against broken data folders: each case must print what went
// wrong, keep drawing frames and close cleanly on Escape. Run in the sanitizer
// build too, where a read out of bounds or undefined behaviour aborts it.
#include "GameProcess.h"
#include "TempDataDir.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writePng(const TempDataDir& dir, int width, int height, int channels) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * channels, 200);
    stbi_write_png((dir.root / "data" / "font.png").c_str(), width, height, channels, pixels.data(),
                   width * channels);
}

void copyRegressionInput(const TempDataDir& dir, const char* name) {
    fs::copy_file(fs::path(COILRUN_SOURCE_DIR) / "tests" / "data" / name, dir.root / "data" / "font.png",
                  fs::copy_options::overwrite_existing);
}

// "Unreadable": a folder where the file should be. Root reads any file
// whatever its mode bits, so those prove nothing when the tests run as root.
void makeUnreadable(const TempDataDir& dir, const std::string& name) {
    dir.remove(name);
    fs::create_directory(dir.root / "data" / name);
}

struct BadData {
    std::string name;
    std::function<void(const TempDataDir&)> spoil;
    std::string expected; // must appear on standard output; empty: nothing but frame rates
};
void PrintTo(const BadData& c, std::ostream* os) { *os << c.name; }

// Every file the game reads, from the build's one list of them.
std::vector<std::string> dataFiles() {
    std::vector<std::string> names;
    std::istringstream line(COILRUN_DATA_FILES);
    for (std::string name; line >> name;) names.push_back(name);
    return names;
}

std::string testName(std::string s) {
    for (char& c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
}

std::vector<BadData> cases() {
    std::vector<BadData> all;
    for (const std::string& file : dataFiles()) {
        const bool shader = file != "font.png" && file != "font.csv";
        const std::string expected = shader               ? "Shader Error:\n  "
                                     : file == "font.png" ? "Error: Failed to load font.png!\n  "
                                                          : "";
        all.push_back(
            {testName(file) + "_missing", [file](const TempDataDir& d) { d.remove(file); }, expected});
        all.push_back(
            {testName(file) + "_empty", [file](const TempDataDir& d) { d.write(file, ""); }, expected});
        all.push_back({testName(file) + "_unreadable",
                       [file](const TempDataDir& d) { makeUnreadable(d, file); }, expected});
    }
    all.push_back({"data_folder_missing", [](const TempDataDir& d) { fs::remove_all(d.root / "data"); },
                   "Error: Failed to load font.png!\n  cannot open data/font.png\n"});
    all.push_back(
        {"shader_syntax_error",
         [](const TempDataDir& d) { d.write("2dBlur.frag", "#version 150 core\nvoid main() { oops }\n"); },
         "Shader Error:\n  0:2("});
    all.push_back({"font_truncated",
                   [](const TempDataDir& d) {
                       const std::string png = readWhole(d.root / "data" / "font.png");
                       d.write("font.png", png.substr(0, png.size() / 2));
                   },
                   "Error: Failed to load font.png!\n  data/font.png: not a readable PNG image ("});
    all.push_back({"font_not_an_image", [](const TempDataDir& d) { d.write("font.png", "GIF89a not a png"); },
                   "Error: Failed to load font.png!\n  data/font.png: not a readable PNG image ("});
    all.push_back({"font_huge_header",
                   [](const TempDataDir& d) { copyRegressionInput(d, "huge-header.png"); },
                   "Error: Failed to load font.png!\n  data/font.png: not a readable PNG image ("});
    all.push_back({"font_rgba", [](const TempDataDir& d) { writePng(d, 512, 512, 4); }, ""});
    all.push_back({"font_grey", [](const TempDataDir& d) { writePng(d, 512, 512, 1); }, ""});
    all.push_back({"font_grey_alpha", [](const TempDataDir& d) { writePng(d, 512, 512, 2); }, ""});
    all.push_back(
        {"font_16_bit", [](const TempDataDir& d) { copyRegressionInput(d, "rgb16-64x32.png"); }, ""});
    all.push_back({"font_1x1", [](const TempDataDir& d) { writePng(d, 1, 1, 3); }, ""});
    all.push_back({"font_narrower_than_a_cell", [](const TempDataDir& d) { writePng(d, 20, 700, 3); }, ""});
    all.push_back({"widths_binary_garbage",
                   [](const TempDataDir& d) {
                       std::string junk;
                       for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>(i * 151 % 256));
                       d.write("font.csv", junk);
                   },
                   ""});
    all.push_back({"widths_one_huge_line",
                   [](const TempDataDir& d) { d.write("font.csv", std::string(1 << 20, '9')); }, ""});
    all.push_back({"widths_ten_thousand_lines",
                   [](const TempDataDir& d) {
                       std::string lines;
                       for (int i = 0; i < 10000; ++i) lines += std::to_string(i % 40) + "\n";
                       d.write("font.csv", lines);
                   },
                   ""});
    all.push_back({"widths_beyond_32_bits",
                   [](const TempDataDir& d) {
                       d.write("font.csv", "99999999999999999999\n-99999999999\n2147483648\n");
                   },
                   ""});
    all.push_back({"widths_cr_only_line_ends",
                   [](const TempDataDir& d) { d.write("font.csv", "5\r6\r7\rEND\r"); }, ""});
    return all;
}

bool onlyFrameRates(const std::string& out) {
    for (char c : out)
        if (c != '\n' && (c < '0' || c > '9')) return false;
    return true;
}

class BadDataTest : public testing::TestWithParam<BadData> {};

TEST_P(BadDataTest, IsReportedAndTheGameRunsOn) {
    const BadData& c = GetParam();
    TempDataDir dir(true);
    c.spoil(dir);
    GameProcess game(COILRUN_BINARY, dir.root.string());
    ASSERT_TRUE(game.waitForWindow(60));
    // A frame-rate line proves frames are being drawn.
    const bool drawing = game.waitForLine(60, [](const std::string& line) {
        return !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
    });
    EXPECT_TRUE(drawing) << game.output();
    EXPECT_EQ(game.quitWithEscape(60), 0);
    const std::string out = game.output();
    if (c.expected.empty())
        EXPECT_TRUE(onlyFrameRates(out)) << out;
    else
        EXPECT_NE(out.find(c.expected), std::string::npos) << out;
    EXPECT_EQ(out.find("Error: Failed to load font.png!\n  \n"), std::string::npos) << "an empty reason";
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDataTest, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<BadData>& info) { return info.param.name; });

} // namespace
