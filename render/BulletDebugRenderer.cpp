#include "render/BulletDebugRenderer.h"

#include "render/Shader.h"

BulletDebugRenderer::BulletDebugRenderer(vantor::shadercode::Shader* shader)
    : lineBuffer(0), lineArray(0), lineVertices{}, shader(shader)
{
    glGenBuffers(1, &lineBuffer);
    glGenVertexArrays(1, &lineArray);
    glBindVertexArray(lineArray);
    glBindBuffer(GL_ARRAY_BUFFER, lineBuffer);
    // A program that never uses "position" reports -1; enabling that would be an error.
    GLint position = glGetAttribLocation(shader->program, "position");
    if (position >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(position));
        glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

BulletDebugRenderer::~BulletDebugRenderer()
{
    glDeleteBuffers(1, &lineBuffer);
    glDeleteVertexArrays(1, &lineArray);
}

void BulletDebugRenderer::drawLine(const btVector3& from, const btVector3& to, const btVector3&)
{
    lineVertices[0] = from.x();
    lineVertices[1] = from.y();
    lineVertices[2] = from.z();
    lineVertices[3] = to.x();
    lineVertices[4] = to.y();
    lineVertices[5] = to.z();

    glBindBuffer(GL_ARRAY_BUFFER, lineBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof lineVertices, lineVertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glBindVertexArray(lineArray);
    glDrawArrays(GL_LINES, 0, 2);
    glBindVertexArray(0);
}

void BulletDebugRenderer::drawContactPoint(const btVector3&, const btVector3&, btScalar, int, const btVector3&)
{
}

void BulletDebugRenderer::reportErrorWarning(const char*)
{
}

void BulletDebugRenderer::draw3dText(const btVector3&, const char*)
{
}

void BulletDebugRenderer::setDebugMode(int)
{
}

int BulletDebugRenderer::getDebugMode() const
{
    return DBG_DrawWireframe;
}
