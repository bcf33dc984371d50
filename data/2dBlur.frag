#version 150 core

// A soft blur in one pass, cheap enough for a software rasteriser, which pays
// for every texture fetch. One tap on the pixel itself and four more in a
// pinwheel around it, each at (1.5, 0.5) texels turned by a quarter turn from
// the last: each lands between four texels, so the bilinear filter averages a
// 2 x 2 block for free. Together they cover the 3 x 3 block around the pixel
// and an arm beyond each side, 17 texels weighed alike, with no gaps or rings.
// The pattern is the same after a quarter turn about the pixel it writes, so
// the spot it makes of a dot is centred there and nothing moves when the game
// ends. Every tap is clamped to the image: the texture repeats, and an
// unclamped tap at an edge would read the opposite one.

in vec2 uv;

uniform sampler2D scene;

out vec4 fragColor;

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(scene, 0));
    vec2 lo = 0.5 * texel;
    vec2 hi = 1.0 - 0.5 * texel;

    vec3 sum = texture(scene, uv).rgb;
    vec2 arm = vec2(1.5, 0.5);
    for (int i = 0; i < 4; ++i) {
        sum += 4.0 * texture(scene, clamp(uv + arm * texel, lo, hi)).rgb;
        arm = vec2(-arm.y, arm.x);
    }
    fragColor = vec4(sum / 17.0, 1.0);
}
