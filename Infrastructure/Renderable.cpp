#include "Infrastructure/Renderable.h"

void (*Renderable::deletionObserver)(Renderable*) = nullptr;

Renderable::~Renderable()
{
    if (deletionObserver)
        deletionObserver(this);
}

void Renderable::Destroy()
{
    if (deleteMe)
        return;
    PreDestroy();
    deleteMe = true;
}
