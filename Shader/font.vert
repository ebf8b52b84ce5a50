#version 330 core
// Heads-up text: positions arrive already in clip space, one quad per character.

layout(location = 0) in vec2 position; // normalised device coordinates
layout(location = 1) in vec2 uv;       // into the 16 x 16 glyph atlas

out vec2 glyphUV;

void main()
{
    glyphUV = uv;
    gl_Position = vec4(position, 0.0, 1.0);
}
