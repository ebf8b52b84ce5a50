#version 330 core
// The final frame: the lit scene, plus the blurred glow when it is on; once the attempt
// has ended the scene is dimmed and drained of colour so that the end screen stands out;
// the heads-up display goes over everything. All three images have the window's size, so
// each pixel reads its own texel without filtering. Below a render scale of 1 this runs at
// the scene's smaller size and leaves the text out: the game stretches the frame over the
// window and puts the text on at full size (hudOverlay.frag).

uniform sampler2D scene;
uniform sampler2D glow;
uniform sampler2D hud;
uniform int glowing;
uniform int gameEnded;
uniform int scaled; // 1: drawing at the scene's size, below a render scale of 1

out vec4 fragColor;

void main()
{
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 color = texelFetch(scene, pixel, 0).rgb;
    if (glowing == 1)
        color += texelFetch(glow, pixel, 0).rgb * 0.6;
    if (gameEnded == 1) {
        float grey = dot(color, vec3(0.30, 0.59, 0.11));
        color = mix(vec3(grey), color, 0.35) * 0.45;
    }
    // The text is blended onto a transparent target: its colour is already weighted by its
    // coverage a, and the target kept a * a as alpha.
    vec4 text = scaled == 1 ? vec4(0.0) : texelFetch(hud, pixel, 0);
    fragColor = vec4(color * (1.0 - sqrt(text.a)) + text.rgb, 1.0);
}
