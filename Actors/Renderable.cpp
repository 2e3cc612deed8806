#include "Actors/Renderable.h"

void (*Renderable::deletionObserver)(Renderable*) = nullptr;
void (*Renderable::layerChanger)(Renderable*, int) = nullptr;
void (*Renderable::namedLayerChanger)(Renderable*, const String&) = nullptr;
long Renderable::liveCount = 0;

Renderable::Renderable() { ++liveCount; }

Renderable::Renderable(const Renderable& other) : deleteMe(other.deleteMe), layer(other.layer) { ++liveCount; }

Renderable& Renderable::operator=(const Renderable& other)
{
    deleteMe = other.deleteMe;
    layer = other.layer;
    return *this;
}

Renderable::~Renderable()
{
    --liveCount;
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

std::weak_ptr<const void> Renderable::GetLifeToken() const
{
    if (!lifeToken)
        lifeToken = std::make_shared<const char>('\0');
    return lifeToken;
}
