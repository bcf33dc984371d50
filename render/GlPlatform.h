#pragma once

// The few OpenGL calls where WebGL 2 (OpenGL ES 3.0) differs from the
// desktop's OpenGL 3.2 core profile, in one place; the render code uses these
// names and stays the same on both. On the desktop they are the plain OpenGL
// 3.2 core calls.

#include <GL/glew.h>

namespace glPlatform {

#ifdef __EMSCRIPTEN__
// WebGL 2 has only sized depth formats.
inline constexpr GLenum kDepthFormat = GL_DEPTH_COMPONENT24;
// WebGL 2 cannot bind a fragment output by name; a shader's only output gets
// location 0 anyway, which is what the desktop binds.
inline void bindFragDataLocation(GLuint, GLuint, const GLchar*) {}
#else
inline constexpr GLenum kDepthFormat = GL_DEPTH_COMPONENT;
inline void bindFragDataLocation(GLuint program, GLuint color, const GLchar* name) {
    glBindFragDataLocation(program, color, name);
}
#endif

} // namespace glPlatform
