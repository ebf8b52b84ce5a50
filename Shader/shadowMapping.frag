#version 330 core
// Only depth matters in the shadow pass; the colour is written for completeness.

out vec4 fragColor;

void main()
{
    fragColor = vec4(gl_FragCoord.z);
}
