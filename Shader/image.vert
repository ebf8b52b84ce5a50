#version 330 core
// The full-screen quad of the blur and mixer passes: clip-space corners from -1 to 1,
// from which the texture coordinates follow.

layout(location = 0) in vec3 position;

out vec2 fragUv;

void main()
{
    fragUv = position.xy * 0.5 + 0.5;
    gl_Position = vec4(position, 1.0);
}
