#version 330 core
// The shadow map keeps depth only (it has no colour buffer); the output is declared
// because every program of the game writes "fragColor", and costs nothing.

out vec4 fragColor;

void main()
{
    fragColor = vec4(1.0);
}
