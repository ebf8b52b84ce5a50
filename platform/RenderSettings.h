#pragma once
// Rendering and debugging options, switched at run time by function keys (keyCallback)
// and read by the frame loop, the update and the render passes in the same frame.

extern bool freeCamera;             // free movable camera instead of following the hero
extern bool showFrametime;          // write the frame-rate line every 61 frames
extern bool wireframe;              // polygons drawn as lines
extern bool nearestSampling;        // nearest-neighbour instead of bilinear texture filtering
extern int mipmapMode;              // 0 no mip-mapping, 1 nearest mip level, 2 linear between levels
extern bool textureSettingsChanged; // Game::applyTextureSettings must run in the next update
extern int lodLevel;                // level-of-detail preset: 0 Low, 1 Medium, 2 High
extern float lodNearDistance;       // world units; first level-of-detail switch
extern float lodFarDistance;        // world units; second level-of-detail switch
extern bool glowEnabled;            // glow post-processing
extern bool viewFrustumCulling;     // cull course objects against the view frustum
extern bool transparencyEnabled;    // blended drawing of fading collected fruit
