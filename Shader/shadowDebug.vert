#version 330 core
// A view of the shadow map; no pass draws with it. The quad comes from the vertex index.

out vec2 fragUv;

void main()
{
    vec2 corner = vec2(float((gl_VertexID & 1) ^ ((gl_VertexID >> 1) & 1)), float((gl_VertexID >> 1) & 1));
    fragUv = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
