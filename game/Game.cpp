#include "game/Game.h"

#include "game/AssetPrefetch.h"
#include "model/SimpleModelTexNon.h"
#include "model/Skybox.h"
#include "model/WallPiece.h"
#include "platform/Clock.h"
#include "platform/Globals.h"
#include "platform/RenderSettings.h"
#include "platform/SoundHandles.h"
#include "platform/Window.h"
#include "render/BulletDebugRenderer.h"
#include "render/CustomShader.h"
#include "render/TextOverlay.h"
#include "scene/Camera.h"
#include "scene/CollectedIngredients.h"
#include "scene/DirectionalLight.h"
#include "scene/GameState.h"
#include "scene/Hero.h"
#include "scene/Ingredient.h"
#include "scene/Obstacle.h"

#include <btBulletDynamicsCommon.h>
#include <iostream>

using vantor::shadercode::CustomShader;
using vantor::shadercode::Shader;

Game::Game()
    : depthBiasVP(1.0f)
{
}

Game::~Game()
{
    cleanup();
}

void Game::init(AssetPrefetch& assets)
{
    window = gameWindow;

    light = new vantor::scene::DirectionalLight();
    light->Color = glm::vec3(1.0f, 1.0f, 0.8f);
    light->AmbientIntensity = 0.1f;
    light->Direction = glm::vec3(-0.3333f, -0.3333f, -0.3333f);
    light->DiffuseIntensity = 1.0f;

    // The picture is as large as the window's framebuffer, which may differ from the size
    // the command line asked for (full screen, a scaled display).
    framebufferWidth = window->framebufferWidth;
    framebufferHeight = window->framebufferHeight;

    camera = new vantor::scene::Camera();
    camera->position = glm::vec3(0.0f, 1.1f, 6.0f);
    camera->aspectRatio = float(framebufferWidth) / float(framebufferHeight);
    freeCamera = false;

    // The next line, from level building, starts with a line break.
    std::cout << ">>> Load Shader";
    normalMappingShader = new Shader("../Shader/NormalMappingLight.vert", "../Shader/NormalMappingLight.frag");
    basicShader = new Shader("../Shader/Basic.vert", "../Shader/Basic.frag");
    shadowMappingShader = new CustomShader("../Shader/shadowMapping.vert", "../Shader/shadowMapping.frag");
    glowShader = new CustomShader("../Shader/glow.vert", "../Shader/glow.frag");
    shadowDebugShader = new CustomShader("../Shader/shadowDebug.vert", "../Shader/shadowDebug.frag");
    blurShader = new CustomShader("../Shader/image.vert", "../Shader/blur.frag");
    mixerShader = new Shader("../Shader/image.vert", "../Shader/mixer.frag");
    hudOverlayShader = new Shader("../Shader/image.vert", "../Shader/hudOverlay.frag");

    hero = new vantor::scene::Hero(normalMappingShader, shadowMappingShader, glowShader,
                                   assets.takeModel(StartUpAsset::Hero));
    loadLevel(assets);
    textOverlay = new TextOverlay(float(framebufferWidth) * 0.5f, float(framebufferHeight) * 0.5f,
                                  assets.takeImage(StartUpAsset::FontAtlas));
    loadMusicAndSounds(music, musicChannel);
    createRenderTargets();

    std::cout << ">>> Init Bullet" << std::endl;
    createPhysicsWorld();
    debugRenderer = new BulletDebugRenderer(normalMappingShader);
    dynamicsWorld->setDebugDrawer(debugRenderer);

    state = new GameState();
    state->heroPosition = glm::vec3(0.0f);
    state->viewDirection = glm::vec3(0.0f);
    state->window = window;
    state->score = 0;
    state->heroFell = false;
    state->goalReached = false;
    state->endTime = 0.0;

    fmodSystem->playSound(FMOD_CHANNEL_FREE, beginEndSound, false, nullptr);
    std::cout << "<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<<< Init complete >>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>>" << std::endl;
    // The attempt's clock starts now, not while the course was loading.
    state->startTime = gameClock->now();
}

void Game::createPhysicsWorld()
{
    groundShape = new btStaticPlaneShape(btVector3(0, 1, 0), 1.0f);
    groundMotionState = new btDefaultMotionState(btTransform(btQuaternion(0, 0, 0, 1), btVector3(0, -5, 0)));
    btRigidBody::btRigidBodyConstructionInfo groundInfo(0.0f, groundMotionState, groundShape, btVector3(0, 0, 0));
    groundInfo.m_rollingFriction = 0.1f;
    groundInfo.m_restitution = 0.1f;
    groundBody = new btRigidBody(groundInfo);

    broadphase = new btDbvtBroadphase();
    collisionConfiguration = new btDefaultCollisionConfiguration();
    dispatcher = new btCollisionDispatcher(collisionConfiguration);
    solver = new btSequentialImpulseConstraintSolver();
    dynamicsWorld = new btDiscreteDynamicsWorld(dispatcher, broadphase, solver, collisionConfiguration);
    dynamicsWorld->setGravity(btVector3(0, -10, 0));

    // The hero goes in before every course body, so the physics reports it first in the
    // contacts it takes part in, and its handlers are the ones that run.
    dynamicsWorld->addRigidBody(groundBody);
    dynamicsWorld->addRigidBody(hero->rigidBody);
    addCourseBodies();
}

void Game::addCourseBodies()
{
    for (vantor::scene::WallPiece* wall : wallPieces)
        dynamicsWorld->addRigidBody(wall->rigidBody);
    for (vantor::scene::Obstacle* obstacle : obstacles)
        dynamicsWorld->addRigidBody(obstacle->rigidBody);
    for (vantor::scene::Ingredient* ingredient : ingredients)
        dynamicsWorld->addRigidBody(ingredient->rigidBody);
}

// Releases in an order where nothing is used after it is gone: GL objects while the
// context lives, bodies out of the world before the world goes, the world before the
// parts it was built from.
void Game::cleanup()
{
    delete camera;
    camera = nullptr;

    const GLuint quadArrays[] = {shadowDebugQuadArray, blurQuadArray, mixerQuadArray};
    if (quadVertexBuffer != 0)
        glDeleteVertexArrays(3, quadArrays);
    shadowDebugQuadArray = blurQuadArray = mixerQuadArray = 0;

    delete normalMappingShader;
    delete basicShader;
    delete mixerShader;
    delete hudOverlayShader;
    delete shadowMappingShader;
    delete glowShader;
    delete shadowDebugShader;
    delete blurShader;
    normalMappingShader = basicShader = mixerShader = hudOverlayShader = nullptr;
    shadowMappingShader = glowShader = shadowDebugShader = blurShader = nullptr;

    delete textOverlay;
    textOverlay = nullptr;
    if (quadVertexBuffer != 0)
        deleteRenderTargets();

    // The course goes while its world exists, its bodies out of the world first; the
    // bodies left (the hero's, the ground's) leave it too, so their owners never touch a
    // world that is gone.
    takeDownCourse();
    if (dynamicsWorld != nullptr) {
        for (int i = dynamicsWorld->getNumCollisionObjects() - 1; i >= 0; --i)
            dynamicsWorld->removeCollisionObject(dynamicsWorld->getCollisionObjectArray()[i]);
    }
    delete hero;
    hero = nullptr;
    delete groundMotionState;
    delete groundBody;
    delete groundShape;
    groundMotionState = nullptr;
    groundBody = nullptr;
    groundShape = nullptr;

    delete dynamicsWorld;
    delete broadphase;
    delete collisionConfiguration;
    delete dispatcher;
    delete solver;
    delete debugRenderer;
    dynamicsWorld = nullptr;
    broadphase = nullptr;
    collisionConfiguration = nullptr;
    dispatcher = nullptr;
    solver = nullptr;
    debugRenderer = nullptr;

    delete state;
    state = nullptr;

    // The prototypes go after the course objects that draw through them (takeDownCourse above).
    vantor::scene::WallPiece* wallPrototypes[] = {straightWallPrototype, endWallPrototype, curveWallPrototype};
    for (vantor::scene::WallPiece* prototype : wallPrototypes)
        delete prototype;
    vantor::scene::SimpleModelTexNon* modelPrototypes[] = {fencePrototype, rollerPrototype, barricadePrototype,
                                                           sandHeapPrototype, bananaPrototype, applePrototype};
    for (vantor::scene::SimpleModelTexNon* prototype : modelPrototypes)
        delete prototype;
    straightWallPrototype = endWallPrototype = curveWallPrototype = nullptr;
    fencePrototype = rollerPrototype = barricadePrototype = sandHeapPrototype = nullptr;
    bananaPrototype = applePrototype = nullptr;

    textures.clear();

    delete skybox;
    delete light;
    skybox = nullptr;
    light = nullptr;
}
