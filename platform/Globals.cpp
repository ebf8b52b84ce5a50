#include "platform/Globals.h"

int windowWidth = 800;
int windowHeight = 600;
bool windowed = true;

vantor::util::Window* gameWindow = nullptr;
Game* game = nullptr;
