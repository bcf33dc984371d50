# Writes a shader file for WebGL 2: its "#version 150 core" line becomes
# "#version 300 es" with the default float precision GLSL ES asks for; the body
# is the desktop's. A "#line 2" keeps the compiler's line numbers those of the
# file in data/.
# usage: cmake -DIN=data/x.frag -DOUT=stage/x.frag -P GlslEs.cmake
file(READ ${IN} text)
string(REGEX MATCH "^#version 150 core\r?\n" versionLine "${text}")
if(NOT versionLine)
  message(FATAL_ERROR "${IN}: the first line must be \"#version 150 core\"")
endif()
string(LENGTH "${versionLine}" skip)
string(SUBSTRING "${text}" ${skip} -1 body)
file(WRITE ${OUT} "#version 300 es\nprecision highp float;\n#line 2\n${body}")
