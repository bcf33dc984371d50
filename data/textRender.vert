#version 150 core

in vec2 position;
in vec2 texcoord;

uniform vec2 scale;
uniform vec2 placement;

out vec2 uv;

void main()
{
    uv = texcoord;
    gl_Position = vec4(position * scale + placement, 0.0, 1.0);
}
