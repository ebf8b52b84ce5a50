#version 330 core
// A 5 x 5 box blur of the small glow map, spreading it to window size.

in vec2 fragUv;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    vec2 texel = 1.0 / vec2(textureSize(colorTexture, 0));
    vec3 sum = vec3(0.0);
    for (int x = -2; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            sum += texture(colorTexture, fragUv + vec2(x, y) * texel).rgb;
    fragColor = vec4(sum / 25.0, 1.0);
}
