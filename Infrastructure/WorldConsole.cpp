#include "Infrastructure/World.h"

// The World's link to the in-game console, which doesn't exist yet.
void World::CreateConsole() {}
void World::UpdateConsoleCaret(float) {}
void World::RenderConsole() {}
