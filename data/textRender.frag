#version 150 core

in vec2 uv;

uniform sampler2D glyphs;
uniform vec3 color;

out vec4 fragColor;

void main()
{
    // The font image is grey on black: its brightness is the glyph's coverage.
    float coverage = texture(glyphs, uv).r;

    // A thin dark edge keeps every text readable over whatever lies behind it:
    // the glyph's own coverage, spread by about a pixel on screen in eight
    // directions. The taps stay inside this glyph's 32-texel cell, so a
    // neighbour in the font image never bleeds in.
    vec2 texel = 1.0 / vec2(textureSize(glyphs, 0));
    vec2 cell = 32.0 * texel;
    vec2 lo = floor(uv / cell) * cell + 0.5 * texel;
    vec2 hi = lo + cell - texel;
    vec2 reach = 1.2 * fwidth(uv);
    const vec2 around[8] = vec2[8](vec2(1.0, 0.0), vec2(0.7071, 0.7071), vec2(0.0, 1.0), vec2(-0.7071, 0.7071),
                                   vec2(-1.0, 0.0), vec2(-0.7071, -0.7071), vec2(0.0, -1.0), vec2(0.7071, -0.7071));
    float edge = 0.0;
    for (int i = 0; i < 8; ++i)
        edge = max(edge, texture(glyphs, clamp(uv + around[i] * reach, lo, hi)).r);

    // Premultiplied, to blend with (ONE, ONE_MINUS_SRC_ALPHA): the fill is the
    // text's colour, and the edge darkens what is behind without adding light.
    float alpha = coverage + (1.0 - coverage) * 0.8 * edge;
    fragColor = vec4(color * coverage, alpha);
}
