#version 150 core

// A soft blur in one pass, cheap enough for a software rasteriser. Along each
// axis four bilinear taps, at 0.62 and 2.27 texels either side of the pixel,
// weigh the seven texels around it as a Gaussian of about 1.5 texels would
// (0.17 0.46 0.82 1 0.82 0.46 0.17): the filter does the in-between weights
// for free. The 4 x 4 grid of taps is symmetric about the pixel it writes, so
// nothing moves when the game ends. Every tap is clamped to the image: the
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
    vec4 offset = vec4(-2.27, -0.62, 0.62, 2.27);
    vec4 weight = vec4(0.63, 1.32, 1.32, 0.63);

    vec3 sum = vec3(0.0);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
            vec2 at = clamp(uv + vec2(offset[i], offset[j]) * texel, lo, hi);
            sum += weight[i] * weight[j] * texture(scene, at).rgb;
        }
    }
    fragColor = vec4(sum / 15.21, 1.0);
}
