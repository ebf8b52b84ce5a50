#version 330 core

in vec2 fragUv;

out vec4 fragColor;

void main()
{
    fragColor = vec4(fragUv, 0.0, 1.0);
}
