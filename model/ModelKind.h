#pragma once

namespace vantor::scene {

// The three kinds of model file the game reads. They share one reading (ModelFile.h) and
// one import (ModelImport.h); what differs between them (post-processing, which meshes,
// which attributes, log lines, texture fallbacks) is one row of the reading rules and one
// of the import rules.
enum class ModelKind {
    Textured, // levels of detail plus a last bounding-box mesh for collisions: hero, obstacles, fruit
    Wall,     // one mesh, drawn and collided with as it is
    Sky,      // one unlit mesh with one texture
};

// Every kind but the sky is drawn lit: its meshes carry normals and tangents.
inline bool isLit(ModelKind kind)
{
    return kind != ModelKind::Sky;
}

// A textured model's meshes but the last are levels of detail of one object (0 finest), and
// its last mesh is the collision description.
inline bool hasLevelsOfDetail(ModelKind kind)
{
    return kind == ModelKind::Textured;
}

} // namespace vantor::scene
