#version 150 core

in vec3 position;
in vec3 normal;

uniform mat4 view;
uniform mat4 proj;
uniform mat4 trans;

out vec3 worldPosition;
out vec3 worldNormal;

void main()
{
    vec4 world = trans * vec4(position, 1.0);
    worldPosition = world.xyz;
    // The inverse transpose keeps normals perpendicular under the food's
    // non-uniform scale.
    worldNormal = transpose(inverse(mat3(trans))) * normal;
    gl_Position = proj * view * world;
}
