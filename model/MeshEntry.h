#pragma once
#include "platform/GL.h"

#include <cstdint>

namespace vantor::scene {

// The GL objects and counts of one drawable mesh. A record owns its buffers and vertex
// arrays and deletes them when destroyed. It cannot be copied (two copies would delete the
// same names); moving hands the names over and leaves the source empty, so a list of
// records can be sized before it is filled and moved into its owner afterwards.
struct MeshEntry {
    static constexpr GLuint noBuffer = 0xFFFFFFFF; // the name of a buffer that does not exist

    MeshEntry() = default;
    ~MeshEntry();
    MeshEntry(const MeshEntry&) = delete;
    MeshEntry& operator=(const MeshEntry&) = delete;
    MeshEntry(MeshEntry&& other) noexcept;
    MeshEntry& operator=(MeshEntry&& other) noexcept;

    GLuint vertexArray = 0;       // for the model's own program: position, normal, uv, tangent; 0 if none
    GLuint shadowVertexArray = 0; // for the shadow-map program: position; 0 if none
    GLuint glowVertexArray = 0;   // for the glow program: position, uv; 0 if none
    GLuint positionBuffer = noBuffer; // 3 floats a vertex
    GLuint normalBuffer = noBuffer;   // 3 floats a vertex
    GLuint uvBuffer = noBuffer;       // 2 floats a vertex
    GLuint tangentBuffer = noBuffer;  // 3 floats a vertex
    GLuint indexBuffer = noBuffer;    // 32-bit indices, 3 a triangle
    uint32_t numVertices = 0; // vertices of the mesh
    uint32_t numIndices = 0;  // the count given to glDrawElements

private:
    void release();
};

} // namespace vantor::scene
