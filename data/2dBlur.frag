#version 150 core

// A soft blur in one pass, cheap enough for a software rasteriser, which pays
// for every texture fetch. A 3 x 3 grid of taps: one on the pixel itself and,
// along each axis, one 1.5 texels either side, which lands between two texels
// so the bilinear filter averages them for free. Along an axis the five
// texels around the pixel are weighed 2 2 3 2 2, a soft-topped 5 x 5 footprint
// with no gaps, rings or doubled edges, symmetric about the pixel it writes,
// so nothing moves when the game ends. Every tap is clamped to the image: the
// texture repeats, and an unclamped tap at an edge would read the opposite one.

in vec2 uv;

uniform sampler2D scene;

out vec4 fragColor;

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(scene, 0));
    vec2 lo = 0.5 * texel;
    vec2 hi = 1.0 - 0.5 * texel;
    // Offsets and weights of the taps along one axis.
    vec3 offset = vec3(-1.5, 0.0, 1.5);
    vec3 weight = vec3(1.0, 0.75, 1.0);

    vec3 sum = vec3(0.0);
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            vec2 at = clamp(uv + vec2(offset[i], offset[j]) * texel, lo, hi);
            sum += weight[i] * weight[j] * texture(scene, at).rgb;
        }
    }
    fragColor = vec4(sum / (2.75 * 2.75), 1.0);
}
