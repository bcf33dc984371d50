#include "render/ShaderProgram.h"

#include "StdoutCapture.h"
#include "TempDataDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* kVertex =
    "#version 150 core\nin vec2 position;\nvoid main() { gl_Position = vec4(position, 0.0, 1.0); }\n";
const char* kFragment = "#version 150 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

GLint attachedShaders(GLuint program) {
    GLint n = -1;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &n);
    return n;
}

TEST(ShaderProgramTest, GoodShadersBuildSilently) {
    TempDataDir dir;
    dir.write("ok.vert", kVertex);
    dir.write("ok.frag", kFragment);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    StdoutCapture out;
    ShaderProgram program("ok.vert", "ok.frag");
    linkProgram(program, {{"position", 2, 16, 0, 0}});
    GLint linked = GL_FALSE;
    glGetProgramiv(program.programId, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(glGetAttribLocation(program.programId, "position"), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteVertexArrays(1, &vertexArray);
}

TEST(ShaderProgramTest, EachFailedCompileIsReportedVertexFirstAndTheProgramStillExists) {
    TempDataDir dir;
    dir.write("bad.vert", "#version 150 core\nvoid main() { vertex_oops(); }\n");
    dir.write("bad.frag", "#version 150 core\nvoid main() { fragment_oops(); }\n");
    StdoutCapture out;
    ShaderProgram program("bad.vert", "bad.frag");
    const std::string text = out.text();

    const std::string header = "Shader Error:\n  ";
    const auto first = text.find(header);
    const auto second = text.find(header, first + 1);
    ASSERT_EQ(first, 0u) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_NE(text.find("vertex_oops"), std::string::npos);
    EXPECT_LT(text.find("vertex_oops"), second); // the vertex shader's log comes first
    EXPECT_GT(text.find("fragment_oops"), second);
    EXPECT_EQ(text.find(header, second + 1), std::string::npos);

    EXPECT_EQ(glIsProgram(program.programId), GL_TRUE);
    EXPECT_EQ(attachedShaders(program.programId), 2);
}

TEST(ShaderProgramTest, MissingFileCompilesAsEmptyTextAndIsReported) {
    TempDataDir dir;
    dir.write("ok.frag", kFragment);
    StdoutCapture out;
    ShaderProgram program("absent.vert", "ok.frag");
    const std::string text = out.text();
    EXPECT_EQ(text.rfind("Shader Error:\n  ", 0), 0u) << text;
    EXPECT_EQ(attachedShaders(program.programId), 2);
}

TEST(ShaderProgramTest, LongLogIsCutTo511Characters) {
    TempDataDir dir;
    std::string source = "#version 150 core\nvoid main() {\n";
    for (int i = 0; i < 60; ++i) source += "  undefined_name_" + std::to_string(i) + " = 1;\n";
    source += "}\n";
    dir.write("long.vert", source);
    dir.write("ok.frag", kFragment);
    StdoutCapture out;
    ShaderProgram program("long.vert", "ok.frag");
    const std::string text = out.text();
    const std::string header = "Shader Error:\n  ";
    ASSERT_EQ(text.rfind(header, 0), 0u);
    EXPECT_EQ(text.size() - header.size(), 511u); // and no line end added
}

} // namespace
