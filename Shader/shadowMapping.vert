#version 330 core
// Depth from the light: depthMVP is the light's projection x view x the object's model matrix.

in vec3 position;

uniform mat4 depthMVP;

void main()
{
    gl_Position = depthMVP * vec4(position, 1.0);
}
