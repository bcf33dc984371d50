#version 150 core

in vec3 worldPosition;
in vec3 worldNormal;

uniform vec3 color;
uniform vec3 lightPos;
uniform vec3 lightInt;

out vec4 outColor;

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 toLight = lightPos - worldPosition;
    float distance = length(toLight);
    float diffuse = max(dot(n, toLight / distance), 0.0);
    float falloff = 1.0 / (1.0 + 0.04 * distance * distance);
    // A soft light from above keeps everything visible away from the lamp and
    // makes tops read brighter than sides.
    float ambient = 0.62 + 0.22 * n.y;
    vec3 light = vec3(ambient) + 2.0 * lightInt * diffuse * falloff;
    outColor = vec4(color * light, 1.0);
}
