#version 330 core
// The final frame: the lit scene, plus the blurred glow when it is on, darkened once the
// attempt has ended, with the heads-up display over it where text was drawn.

in vec2 fragUv;

uniform sampler2D scene;
uniform sampler2D glow;
uniform sampler2D hud;
uniform int glowing;
uniform int gameEnded;

out vec4 fragColor;

void main()
{
    vec3 color = texture(scene, fragUv).rgb;
    if (glowing == 1)
        color += texture(glow, fragUv).rgb;
    if (gameEnded == 1)
        color *= 0.5;
    vec4 text = texture(hud, fragUv);
    fragColor = vec4(mix(color, text.rgb, text.a), 1.0);
}
