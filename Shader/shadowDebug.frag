#version 330 core
// The shadow map as grey: near the light dark, far light. Whoever draws with this program
// binds the shadow depth texture to unit 0 with its comparison mode switched off.

in vec2 fragUv;

uniform sampler2D shadowMap;

out vec4 fragColor;

void main()
{
    float depth = texture(shadowMap, fragUv).r;
    fragColor = vec4(vec3(depth), 1.0);
}
