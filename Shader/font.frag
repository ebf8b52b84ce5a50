#version 330 core
// Heads-up text from an RGB glyph atlas (light glyphs on black). The glyph's brightness
// is its coverage; a thin dark rim around every glyph keeps the text readable on the
// bright sky as well as on the dark course.

in vec2 glyphUV;

uniform sampler2D fontTexture;

out vec4 fragColor;

const float cellSpan = 1.0 / 16.0;
const float rimOpacity = 0.75;

// Coverage at uv, sharpened so that a magnified glyph keeps a crisp edge. uv is kept
// inside the character's own cell, so the rim never picks up a neighbouring glyph.
float coverage(vec2 uv, vec2 cellMin, vec2 cellMax)
{
    vec3 texel = texture(fontTexture, clamp(uv, cellMin, cellMax)).rgb;
    float brightness = max(texel.r, max(texel.g, texel.b));
    return smoothstep(0.25, 0.75, brightness);
}

void main()
{
    // The fragment's own cell; fragment centres never lie exactly on a cell border.
    vec2 cellMin = floor(glyphUV / cellSpan) * cellSpan;
    vec2 halfTexel = 0.5 / vec2(textureSize(fontTexture, 0));
    vec2 innerMin = cellMin + halfTexel;
    vec2 innerMax = cellMin + cellSpan - halfTexel;

    vec3 ink = texture(fontTexture, glyphUV).rgb;
    float glyph = coverage(glyphUV, innerMin, innerMax);

    // The rim is about 1.5 screen pixels wide, whatever size the text is drawn at.
    vec2 pixel = 1.5 * fwidth(glyphUV);
    float rim = 0.0;
    rim = max(rim, coverage(glyphUV + vec2( pixel.x, 0.0), innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + vec2(-pixel.x, 0.0), innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + vec2(0.0,  pixel.y), innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + vec2(0.0, -pixel.y), innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + pixel, innerMin, innerMax));
    rim = max(rim, coverage(glyphUV - pixel, innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + vec2(pixel.x, -pixel.y), innerMin, innerMax));
    rim = max(rim, coverage(glyphUV + vec2(-pixel.x, pixel.y), innerMin, innerMax));

    float alpha = max(glyph, rim * rimOpacity);
    if (alpha <= 0.0)
        discard;
    // The glyph keeps the atlas's hue at full brightness; the rim is black.
    vec3 glyphColor = ink / max(max(ink.r, max(ink.g, ink.b)), 1e-3);
    fragColor = vec4(glyphColor * (glyph / alpha), alpha);
}
