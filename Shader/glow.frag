#version 330 core
// Fruit in the glow map: their own colour, brightened and a little saturated, so that the
// halo reads as the fruit's light rather than a grey smudge.

in vec2 fragUv;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    vec3 color = texture(colorTexture, fragUv).rgb;
    float brightest = max(color.r, max(color.g, color.b));
    fragColor = vec4(color * (1.2 / max(brightest, 0.2)), 1.0);
}
