#version 150 core

in vec2 uv;

uniform sampler2D glyphs;
uniform vec3 color;

out vec4 fragColor;

void main()
{
    // The font image is grey on black: its brightness is the glyph's coverage.
    // Premultiplied, to blend with (ONE, ONE_MINUS_SRC_ALPHA).
    float coverage = texture(glyphs, uv).r;
    fragColor = vec4(color * coverage, coverage);
}
