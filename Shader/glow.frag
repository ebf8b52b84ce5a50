#version 330 core

in vec2 fragUv;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    fragColor = vec4(texture(colorTexture, fragUv).rgb, 1.0);
}
