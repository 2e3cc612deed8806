#include "Infrastructure/Renderable.h"

void Renderable::Destroy()
{
    if (deleteMe)
        return;
    PreDestroy();
    deleteMe = true;
}
