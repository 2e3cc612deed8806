#include "Infrastructure/World.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/TestConsole.h"

// The World's link to the in-game console. The script host may register another
// console later; the test console is then left alone, as RegisterConsole promises.
void World::CreateConsole() { RegisterConsole(new TestConsole()); }

void World::UpdateConsoleCaret(float frameDt)
{
    if (console)
        console->Update(frameDt);
}

void World::RenderConsole()
{
    if (console)
        console->Render();
}
