#version 150 core

in vec3 position;
in vec3 normal;

uniform mat4 view;
uniform mat4 proj;
uniform mat4 trans;
// The colour and the light are read here rather than in the fragment stage:
// on a software rasteriser a fragment-stage uniform that changes between two
// draws costs far more than a vertex-stage one, and the colour changes at
// every wall and snake block. They reach the fragments as flat values.
uniform vec3 color;
uniform vec3 lightPos;
uniform vec3 lightInt;

out vec3 worldNormal;
out vec3 toLight;
flat out vec3 surfaceColor; // lit by the soft light from above
flat out vec3 lampColor;    // the surface colour as the lamp lights it

void main()
{
    vec4 world = trans * vec4(position, 1.0);
    // The cofactor matrix is the inverse transpose scaled by the determinant,
    // which is positive here: normals stay perpendicular under the food's
    // non-uniform scale, and the fragment stage normalises anyway.
    mat3 m = mat3(trans);
    worldNormal = mat3(cross(m[1], m[2]), cross(m[2], m[0]), cross(m[0], m[1])) * normal;
    // The light is fixed for a draw, so the vector to it interpolates exactly.
    toLight = lightPos - world.xyz;
    surfaceColor = color;
    lampColor = 2.0 * color * lightInt;
    gl_Position = proj * (view * world);
}
