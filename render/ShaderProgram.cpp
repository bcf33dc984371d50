#include "render/ShaderProgram.h"

#include "render/DataFile.h"
#include "render/GlPlatform.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

GLuint compileShader(GLenum type, const char* file) {
    // A missing file compiles as empty text, so the usual report names the problem.
    const std::string text = readDataFile(file).value_or(std::string());
    const GLchar* source = text.c_str();
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);

    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        GLchar log[512] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fputs("Shader Error:\n", stdout);
        std::fflush(stdout);
        std::fputs("  ", stdout);
        std::fputs(log, stdout);
    }
    return shader;
}

} // namespace

ShaderProgram::ShaderProgram(const char* vertexFile, const char* fragmentFile) {
    const GLuint vertex = compileShader(GL_VERTEX_SHADER, vertexFile);
    const GLuint fragment = compileShader(GL_FRAGMENT_SHADER, fragmentFile);
    programId = glCreateProgram();
    glAttachShader(programId, vertex);
    glAttachShader(programId, fragment);
    // Attached shaders are only flagged; they go with the program, so every
    // restart's program leaves nothing behind.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
}

ShaderProgram::~ShaderProgram() { glDeleteProgram(programId); }

void linkProgram(const ShaderProgram& program, std::initializer_list<VertexAttribute> attributes,
                 const char* fragmentOutput) {
    if (fragmentOutput) glPlatform::bindFragDataLocation(program.programId, 0, fragmentOutput);
    for (const VertexAttribute& a : attributes)
        if (a.fixedLocation >= 0)
            glBindAttribLocation(program.programId, static_cast<GLuint>(a.fixedLocation), a.name);
    glLinkProgram(program.programId);
    for (const VertexAttribute& a : attributes) {
        const GLint location = glGetAttribLocation(program.programId, a.name);
        if (location < 0) continue; // GL would reject it anyway; this keeps the error flag clean
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), a.components, GL_FLOAT, GL_FALSE, a.stride,
                              reinterpret_cast<const void*>(static_cast<std::uintptr_t>(a.offset)));
    }
}
