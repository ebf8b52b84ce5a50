#include "app/StartUp.h"

#include "game/AssetPrefetch.h"
#include "platform/GLDiagnostics.h"
#include "platform/Gamepads.h"
#include "platform/Globals.h"
#include "platform/HeapTuning.h"
#include "platform/StartUpPhases.h"
#include "app/KeyCallback.h"
#include "platform/Window.h"
#include "game/Game.h"
#include "platform/GL.h"

#include <iostream>

namespace {
// Registers the debug-message callback through whichever entry point the driver offers.
void enableDebugOutput()
{
    auto core = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(glfwGetProcAddress("glDebugMessageCallback"));
    auto arb = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKARBPROC>(glfwGetProcAddress("glDebugMessageCallbackARB"));
    if (core != nullptr)
        core(debugMessageCallback, nullptr);
    else if (arb != nullptr)
        arb(debugMessageCallback, nullptr);
    if (core != nullptr || arb != nullptr)
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
}
} // namespace

void startUp(AssetPrefetch& assets)
{
    startUpPhases.startUpBegan = bootClockSeconds();
    keepFreedHeapMemory();
    // Models and images are read on a worker while the window, the context and the
    // programs come up; Game::init takes each in where it creates what uploads it.
    assets.start();
    gameWindow = new vantor::util::Window("Lantern Trail");
    glfwMakeContextCurrent(gameWindow->handle);

    glewExperimental = GL_TRUE;
    GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK)
        std::cout << "Failed to init glew: " << glewResult << std::endl;
    checkGLError("Init GLEW-Problem");

    // Take these four straight from the window library rather than trusting the loader's
    // lookup in a core-profile context.
    glGenVertexArrays = reinterpret_cast<PFNGLGENVERTEXARRAYSPROC>(glfwGetProcAddress("glGenVertexArrays"));
    glBindVertexArray = reinterpret_cast<PFNGLBINDVERTEXARRAYPROC>(glfwGetProcAddress("glBindVertexArray"));
    glDeleteVertexArrays = reinterpret_cast<PFNGLDELETEVERTEXARRAYSPROC>(glfwGetProcAddress("glDeleteVertexArrays"));
    glGenerateMipmap = reinterpret_cast<PFNGLGENERATEMIPMAPPROC>(glfwGetProcAddress("glGenerateMipmap"));

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glViewport(0, 0, gameWindow->framebufferWidth, gameWindow->framebufferHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    enableDebugOutput();
    glfwSetKeyCallback(gameWindow->handle, keyCallback);
    watchGamepads();
    startUpPhases.contextReady = bootClockSeconds();

    game = new Game();
    game->init(assets);
    assets.finish();
    returnFreedHeapMemory();
    startUpPhases.gameInitialised = bootClockSeconds();
}

void startUp()
{
    AssetPrefetch assets;
    startUp(assets);
}
