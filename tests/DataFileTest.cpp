#include "render/DataFile.h"

#include "TempDataDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

// The game runs from the folder that holds data/, wherever its binary is: a
// name means the file in data/ under the current directory, and nowhere else.
TEST(DataFileTest, NamesTheFileInTheDataFolderOfTheCurrentDirectory) {
    TempDataDir first, second; // the second is the current directory now
    first.write("font.csv", "first\n");
    second.write("font.csv", "second\n");
    EXPECT_TRUE(std::filesystem::equivalent(dataPath("font.csv"), second.root / "data" / "font.csv"));
    EXPECT_EQ(readDataFile("font.csv"), "second\n");
}

TEST(DataFileTest, ReadsWholeFilesAsText) {
    TempDataDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    for (const Case& c : {
             Case{"plain.txt", "void main() {}\n", "void main() {}\n"},
             Case{"empty.txt", "", ""},
             Case{"crlf.txt", "a\r\nb\r\n", "a\nb\n"},
             Case{"lone-cr.txt", "a\rb\r", "a\rb\r"}, // only CR LF pairs change
             Case{"nul.txt", std::string("ab\0cd", 5), std::string("ab\0cd", 5)},
         }) {
        dir.write(c.name, c.bytes);
        const auto text = readDataFile(c.name);
        ASSERT_TRUE(text.has_value()) << c.name;
        EXPECT_EQ(*text, c.text) << c.name;
        EXPECT_EQ(text->c_str()[text->size()], '\0');
    }
    // What a C-string reader such as the shader compiler sees ends at the NUL.
    EXPECT_EQ(std::strlen(readDataFile("nul.txt")->c_str()), 2u);
}

TEST(DataFileTest, MissingFileGivesNoText) {
    TempDataDir dir;
    EXPECT_FALSE(readDataFile("absent.vert").has_value());
}

} // namespace
