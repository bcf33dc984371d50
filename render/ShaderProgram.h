#pragma once

#include <GL/glew.h>

#include <initializer_list>

// One vertex input as the owner's vertex buffer lays it out.
struct VertexAttribute {
    const char* name = "";
    GLint components = 0;
    GLsizei stride = 0;       // bytes
    GLsizeiptr offset = 0;    // bytes
    GLint fixedLocation = -1; // bound before linking when not -1
};

// A program object with its vertex and fragment shader compiled from data files
// and attached, left unlinked: the owner links it with linkProgram. Compile
// failures are reported on standard output and the program is built anyway, so
// the game keeps running with whatever the driver made of it.
class ShaderProgram {
public:
    ShaderProgram(const char* vertexFile, const char* fragmentFile);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    GLuint programId = 0;
};

// Finishes a program: binds the fragment output (when given) and any fixed
// attribute locations, links, then enables and describes each attribute on the
// currently bound vertex array and array buffer. Link status is not examined;
// an attribute the program lacks is skipped and the drawing goes on without it.
void linkProgram(const ShaderProgram& program, std::initializer_list<VertexAttribute> attributes,
                 const char* fragmentOutput = nullptr);
