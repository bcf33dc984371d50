#version 150 core

// A soft blur in one pass, cheap enough for a software rasteriser. The taps
// are shifted half a texel so each one lands between four texels and the
// bilinear filter averages them for free: a 3 x 3 grid of taps two texels
// apart covers a 6 x 6 block without gaps, weighted 1-2-1 along each axis
// (per texel 1 1 2 2 1 1), which gives no blocks, rings or doubled edges.

in vec2 uv;

uniform sampler2D scene;

out vec4 fragColor;

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(scene, 0));
    vec2 centre = uv + 0.5 * texel;
    vec2 dx = vec2(2.0 * texel.x, 0.0);
    vec2 dy = vec2(0.0, 2.0 * texel.y);

    vec3 sum = 4.0 * texture(scene, centre).rgb;
    sum += 2.0 * (texture(scene, centre + dx).rgb + texture(scene, centre - dx).rgb +
                  texture(scene, centre + dy).rgb + texture(scene, centre - dy).rgb);
    sum += texture(scene, centre + dx + dy).rgb + texture(scene, centre + dx - dy).rgb +
           texture(scene, centre - dx + dy).rgb + texture(scene, centre - dx - dy).rgb;
    fragColor = vec4(sum / 16.0, 1.0);
}
