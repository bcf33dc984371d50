#version 150 core

in vec2 uv;

uniform sampler2D scene;

out vec4 fragColor;

void main()
{
    fragColor = texture(scene, uv);
}
