#version 330 core
// Unlit textured geometry: the sky box.

in vec3 position;
in vec2 uv;

uniform mat4 projectionMatrix;
uniform mat4 modelMatrix;

out vec2 fragUv;

void main()
{
    fragUv = uv;
    gl_Position = projectionMatrix * modelMatrix * vec4(position, 1.0);
}
