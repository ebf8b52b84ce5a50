#version 330 core
// The heads-up text over a frame stretched from a smaller render scale, drawn where there
// is text with blending (one, one minus source alpha), so that it comes out as the mixer
// combines it at scale 1: colour x (1 - sqrt(a)) + text. The text target kept a x a as
// alpha and its colour weighted by a.

uniform sampler2D hud;

out vec4 fragColor;

void main()
{
    vec4 text = texelFetch(hud, ivec2(gl_FragCoord.xy), 0);
    fragColor = vec4(text.rgb, sqrt(text.a));
}
