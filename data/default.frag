#version 150 core

in vec3 worldNormal;
in vec3 toLight;
flat in vec3 surfaceColor;
flat in vec3 lampColor;

out vec4 outColor;

void main()
{
    vec3 n = normalize(worldNormal);
    float distance = length(toLight);
    float diffuse = max(dot(n, toLight) / distance, 0.0);
    float falloff = 1.0 / (1.0 + 0.04 * distance * distance);
    // A soft light from above keeps everything visible away from the lamp and
    // makes tops read brighter than sides.
    float ambient = 0.62 + 0.22 * n.y;
    outColor = vec4(surfaceColor * ambient + lampColor * (diffuse * falloff), 1.0);
}
