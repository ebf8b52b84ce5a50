#pragma once
#include "course/CourseCheck.h"
#include "course/CourseChoice.h"
#include "game/RenderScale.h"
#include "platform/GL.h"
#include "render/HudText.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace vantor::util { class Window; class Texture; }
namespace vantor::shadercode { class Shader; class CustomShader; }
namespace vantor::scene {
class Camera; class DirectionalLight; class Hero; class Obstacle; class Ingredient;
class WallPiece; class SimpleModelTexNon; class Skybox;
}
namespace FMOD { class Sound; class Channel; }
class btDiscreteDynamicsWorld; class btStaticPlaneShape; class btDefaultMotionState; class btRigidBody; class btDbvtBroadphase;
class btDefaultCollisionConfiguration; class btCollisionDispatcher; class btSequentialImpulseConstraintSolver;
class BulletDebugRenderer;
class TextOverlay;
class AssetPrefetch;
struct GameState;
struct PlayerControls;

// The top-level object: owns every scene object, model prototype, shader program, render
// target, the physics world and the attempt's state, all through plain pointers that
// cleanup() releases in a fixed order. Exactly one exists, created by startUp().
class Game {
public:
    Game();
    ~Game();

    // Builds light, camera, programs, hero, course, text, sound, render targets, physics and
    // state, in that order, with its log lines, taking every start-up asset from `assets`
    // (each read ahead there or read on the spot). May end the process on a fatal resource
    // error.
    void init(AssetPrefetch& assets);
    // Takes the model prototypes and the sky box from `assets`, reads the course pack's index
    // and builds the course courseName names (buildCourse).
    void loadLevel(AssetPrefetch& assets);
    // Builds `course`: its level file read, or generated and checked, then its wall pieces,
    // obstacles, fruit and goal position, with the level file's lines and the "Course: "
    // line. At start-up an unreadable file ends the game; later it leaves an empty course.
    void buildCourse(bool startingUp);
    // Takes the course down (wall pieces, obstacles, fruit, their bodies out of the world,
    // the collected fruit) and builds `next` in its place; the attempt starts on it as at a
    // replay, with the begin sound. The prototypes, programs and targets stay.
    void switchCourse(const vantor::scene::CourseChoice& next);
    // Switches to the course N plays after this one (nextCourse: through the pack, then
    // generated courses, harder after `won`), a seed from the clock where one is needed.
    void goToNextCourse(bool won);
    // Creates the obstacle or fruit of one slot of a wall piece and appends it to its list.
    void placeItem(int row, int column, int itemCode, glm::mat4 prototypeMatrix, glm::mat4 wallMatrix);
    // One frame's update by deltaTime seconds since the previous one; `controls` is what the
    // player asks this frame, read once by the frame loop and read here by every reader.
    void update(double deltaTime, const PlayerControls& controls);
    void render();
    // The picture follows a framebuffer of width x height pixels from the next pass on: the
    // heads-up target made anew at that size and the blur and scene targets at the render
    // scale's share of it, the viewport, the camera's aspect ratio and the text overlay's
    // half sizes; logs "Window resized to W x H". Does nothing at the size it has or at a
    // zero size (what some systems report for a minimised window). A size larger than the
    // driver's targets can be keeps the picture as it is, with one line for each such size.
    // Returns whether it acted.
    bool resize(int width, int height);
    // The render scale as the start chose it (automatic, or fixed at one step); the blur and
    // scene targets follow at once. Logs nothing: the player chose it.
    void chooseRenderScale(const RenderScaleChoice& choice);
    // F12: automatic, or fixed at 1; logs "Render scale auto" or "Render scale 1 (fixed)".
    void switchRenderScaleMode();
    // A frame was shown at `now` (seconds on a wall clock): the automatic scale follows the
    // frame rate, its blur and scene targets with it, and logs "Render scale 0.75" at each
    // change.
    void frameShown(double now);
    // Applies nearestSampling and mipmapMode to every texture in `textures`.
    void applyTextureSettings();
    void cleanup();

    vantor::util::Window* window = nullptr; // not owned: the process-wide window
    vantor::scene::Camera* camera = nullptr; // owned
    std::vector<vantor::scene::Obstacle*> obstacles;     // owned elements, in level-file order
    std::vector<vantor::scene::Ingredient*> ingredients; // owned elements, in level-file order
    std::vector<vantor::scene::WallPiece*> wallPieces;   // owned elements, in level-file order
    std::vector<vantor::util::Texture*> textures; // not owned (the models own them): first texture of each prototype
    FMOD::Sound* music = nullptr;          // not owned: the sound system's, kept until the process ends; looping stream
    FMOD::Channel* musicChannel = nullptr; // not owned: the sound system's channel playing the music
    vantor::scene::DirectionalLight* light = nullptr;              // owned
    vantor::shadercode::Shader* normalMappingShader = nullptr;       // owned; lit, shadowed, normal-mapped objects
    vantor::shadercode::CustomShader* shadowMappingShader = nullptr; // owned; depth from the light
    vantor::shadercode::CustomShader* glowShader = nullptr;          // owned; fruit colour into the glow map
    vantor::shadercode::CustomShader* shadowDebugShader = nullptr;   // owned; a view of the shadow map, never drawn
    vantor::shadercode::CustomShader* blurShader = nullptr;          // owned; blurs the glow map to the scene's size
    vantor::shadercode::Shader* mixerShader = nullptr;               // owned; composes the frame
    vantor::shadercode::Shader* hudOverlayShader = nullptr;          // owned; the text over a frame stretched from a smaller scale
    vantor::scene::Hero* hero = nullptr; // owned

    // Render targets and the full-screen quad; GL names, owned.
    GLuint shadowFramebuffer = 0;     // depth only, from the light
    GLuint shadowDepthTexture = 0;    // 4096 x 4096 comparison sampler
    PixelBox shadowDrawnBox;          // texels the last shadow pass's objects may cover: the rest holds the clear's depth
    GLuint quadVertexBuffer = 0;      // six clip-space positions
    GLuint shadowDebugQuadArray = 0;  // the quad for the shadow-map view
    GLuint blurQuadArray = 0;         // the quad for the blur pass
    GLuint mixerQuadArray = 0;        // the quad for the final mix
    glm::mat4 depthBiasVP;            // bias x light projection x light view of the last shadow pass
    GLuint glowFramebuffer = 0;       // fruit colour, small
    GLuint glowTexture = 0;           // 128 x 128
    GLuint glowDepthBuffer = 0;       // depth and stencil of the glow map
    GLuint blurFramebuffer = 0;       // the blurred glow
    GLuint blurTexture = 0;           // the scene's size
    PixelBox blurDrawnBox;            // pixels the last blur may have lit: the rest holds black
    GLuint sceneFramebuffer = 0;      // the lit scene
    GLuint sceneTexture = 0;          // sceneWidth x sceneHeight
    GLuint sceneDepthBuffer = 0;      // depth and stencil of the scene
    GLuint hudFramebuffer = 0;        // the heads-up text
    GLuint hudTexture = 0;            // window size
    GLuint hudDepthBuffer = 0;        // depth and stencil of the heads-up text
    PixelBox hudTextBox;              // where the hud target may hold text: what was drawn last, all of a new target
    GLuint scaledFrameFramebuffer = 0; // below scale 1 only: the mixed frame at the scene's size, stretched over the window
    GLuint scaledFrameTexture = 0;     // sceneWidth x sceneHeight
    int framebufferWidth = 0;         // pixels; the window's framebuffer as the hud target has it
    int framebufferHeight = 0;        // pixels
    int refusedWidth = 0;             // pixels; the last framebuffer size too large for the targets, 0 when none
    int refusedHeight = 0;            // pixels
    int sceneWidth = 0;               // pixels; the blur and scene targets: the framebuffer times the render scale
    int sceneHeight = 0;              // pixels
    // The 3-D picture's share of the framebuffer; fixed at 1 unless chosen otherwise (the
    // player's game starts it as LANTERN_TRAIL_RENDER_SCALE says, automatic by default).
    RenderScaleController renderScale;

    // Physics; all owned. The world goes before the parts it was built from.
    btDiscreteDynamicsWorld* dynamicsWorld = nullptr;         // steps the bodies below and the course's
    btDefaultMotionState* groundMotionState = nullptr;        // the ground body's place
    btRigidBody* groundBody = nullptr; // static plane far below the course
    btStaticPlaneShape* groundShape = nullptr; // the ground body's shape
    btDbvtBroadphase* broadphase = nullptr;                   // the world's pair search
    btDefaultCollisionConfiguration* collisionConfiguration = nullptr; // the dispatcher's algorithms
    btCollisionDispatcher* dispatcher = nullptr;              // the world's narrow phase; holds the contact manifolds
    btSequentialImpulseConstraintSolver* solver = nullptr;    // the world's contact solver

    BulletDebugRenderer* debugRenderer = nullptr; // owned; the world's debug drawer
    GameState* state = nullptr;                   // owned; the current attempt
    TextOverlay* textOverlay = nullptr;           // owned; heads-up text

    // Model prototypes, loaded once and shared by every course object that looks alike; owned.
    vantor::scene::WallPiece* straightWallPrototype = nullptr;      // "straightwall.dae"
    vantor::scene::WallPiece* endWallPrototype = nullptr;           // "endwall.dae"
    vantor::scene::WallPiece* curveWallPrototype = nullptr;         // "curvewall.dae"
    vantor::scene::SimpleModelTexNon* fencePrototype = nullptr;     // item code 2
    vantor::scene::SimpleModelTexNon* rollerPrototype = nullptr;    // item code 1
    vantor::scene::SimpleModelTexNon* barricadePrototype = nullptr; // item code 3
    vantor::scene::SimpleModelTexNon* sandHeapPrototype = nullptr;  // item code 4
    vantor::scene::SimpleModelTexNon* bananaPrototype = nullptr;    // item code 10
    vantor::scene::SimpleModelTexNon* applePrototype = nullptr;     // item code 11

    vantor::scene::Skybox* skybox = nullptr;            // owned
    vantor::shadercode::Shader* basicShader = nullptr;  // owned; the sky box's program

    vantor::scene::CourseChoice course;       // the course built, and so the one N leaves
    vantor::scene::CoursePack coursePack;     // the pack N moves through, read once by loadLevel
    vantor::scene::CourseModels courseModels; // the checks' shapes of the prototypes, for generated courses
    bool nextCourseHeld = false;              // N or the pad's Y was down in the frame before

private:
    // The world with its ground plane, holding the hero's and every course object's body.
    void createPhysicsWorld();
    // Puts the bodies of the course's wall pieces, obstacles and fruit into the world.
    void addCourseBodies();
    // The text of `course`, with the level file's line; false, after a line, when a course
    // file cannot be read (at start-up that ends the game). A generated course the checks
    // refuse too often gives way to the shipped one.
    bool readCourseText(bool startingUp, std::string& text);
    // "Course: NAME, N pieces, M fruit".
    void logCourse() const;
    // The one release site of the course: its wall pieces, obstacles and fruit, their
    // bodies out of the world first, and the collected fruit; the lists left empty.
    void takeDownCourse();
    // R: the attempt starts again, the course's fruit back in place; the rest stays.
    void replay();
    // Render targets and the full-screen quad: created by init, released by cleanup.
    void createRenderTargets();
    void deleteRenderTargets();
    // The blur and scene targets at sceneWidth x sceneHeight, the heads-up target at the
    // framebuffer's size, each with its log line should it be incomplete; the last one
    // made is left bound. Delete them before creating them again.
    void createSceneTargets();
    void createHudTarget();
    void deleteSceneTargets();
    void deleteHudTarget();
    // The blur and scene targets made anew where the framebuffer's size or the render
    // scale asks for another size than they have. Returns whether they were.
    bool fitSceneTargets();
    // The passes of one frame, in the order render() runs them.
    void renderShadowMap();
    void renderGlowMap();
    void renderScene();
    void renderHud();
    void composeFrame();
    // Below scale 1: the mixed frame stretched over the window, the text put over it.
    void stretchScaledFrame();
};
