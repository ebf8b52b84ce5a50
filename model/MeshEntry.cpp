#include "model/MeshEntry.h"

#include <utility>

namespace vantor::scene {

MeshEntry::~MeshEntry()
{
    release();
}

MeshEntry::MeshEntry(MeshEntry&& other) noexcept
{
    *this = std::move(other);
}

MeshEntry& MeshEntry::operator=(MeshEntry&& other) noexcept
{
    if (this == &other)
        return *this;
    release();
    vertexArray = std::exchange(other.vertexArray, 0);
    shadowVertexArray = std::exchange(other.shadowVertexArray, 0);
    glowVertexArray = std::exchange(other.glowVertexArray, 0);
    positionBuffer = std::exchange(other.positionBuffer, noBuffer);
    normalBuffer = std::exchange(other.normalBuffer, noBuffer);
    uvBuffer = std::exchange(other.uvBuffer, noBuffer);
    tangentBuffer = std::exchange(other.tangentBuffer, noBuffer);
    indexBuffer = std::exchange(other.indexBuffer, noBuffer);
    numVertices = std::exchange(other.numVertices, 0);
    numIndices = std::exchange(other.numIndices, 0);
    return *this;
}

void MeshEntry::release()
{
    for (GLuint* buffer : {&positionBuffer, &normalBuffer, &uvBuffer, &tangentBuffer, &indexBuffer}) {
        if (*buffer != noBuffer)
            glDeleteBuffers(1, buffer);
        *buffer = noBuffer;
    }
    for (GLuint* array : {&vertexArray, &shadowVertexArray, &glowVertexArray}) {
        if (*array != 0)
            glDeleteVertexArrays(1, array);
        *array = 0;
    }
    numVertices = 0;
    numIndices = 0;
}

} // namespace vantor::scene
