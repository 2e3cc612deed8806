#include "Input/InputCallbacks.h"

#include "Infrastructure/World.h"
#include "Input/KeyCodes.h"

namespace InputCallbacks
{
void OnKey(int key, bool pressed)
{
    // Escape stops the game; the console and key bindings get their say first once they exist.
    if (pressed && key == KeyCodes::KEY_ESCAPE)
        World::GetInstance().StopGame();
}

void OnCharacter(unsigned int) {}

void OnMouseMotion(int, int) {}

void OnMouseButton(int, bool) {}
} // namespace InputCallbacks
