#include "game/Game.h"

Game::Game()
    : depthBiasVP(1.0f)
{
}

Game::~Game()
{
    cleanup();
}

void Game::init()
{
}

void Game::update(double)
{
}

void Game::render()
{
}

void Game::cleanup()
{
}
