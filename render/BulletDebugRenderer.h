#pragma once
#include "platform/GL.h"

#include <LinearMath/btIDebugDraw.h>

namespace vantor::shadercode { class Shader; }

// The physics world's debug drawer: every line segment the world emits is drawn at once,
// one draw per segment, with whatever program and uniforms are current. Shapes, boxes and
// spheres come through btIDebugDraw's own implementations, which call drawLine. The
// debug mode is fixed to wireframe, so resting bodies still go to sleep.
class BulletDebugRenderer : public btIDebugDraw {
public:
    // Creates the buffer and the vertex array and feeds `shader`'s "position" attribute
    // from it. Needs a current GL context.
    explicit BulletDebugRenderer(vantor::shadercode::Shader* shader);
    ~BulletDebugRenderer() override;

    using btIDebugDraw::drawLine;
    // Uploads the segment and draws it as one line; the colour is not used.
    void drawLine(const btVector3& from, const btVector3& to, const btVector3& color) override;
    void drawContactPoint(const btVector3& pointOnB, const btVector3& normalOnB, btScalar distance, int lifeTime,
                          const btVector3& color) override;
    void reportErrorWarning(const char* warningString) override;
    void draw3dText(const btVector3& location, const char* textString) override;
    // The mode is fixed: the request is ignored.
    void setDebugMode(int debugMode) override;
    int getDebugMode() const override; // always DBG_DrawWireframe

    GLuint lineBuffer;      // owned; the current segment, six floats
    GLuint lineArray;       // owned; reads lineBuffer into "position"
    float lineVertices[6];  // world units: start x, y, z, end x, y, z
    vantor::shadercode::Shader* shader; // not owned: the Game's lit program; outlives this
};
