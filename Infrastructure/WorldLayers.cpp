#include "Actors/Actor.h"
#include "Actors/ParticleActor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Platform/Log.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

// Walks every element, lowest layer first and in order of adding within a layer,
// skipping empty layers. The current element can be erased without losing the place.
class World::ElementWalker
{
public:
    explicit ElementWalker(std::map<int, std::vector<Renderable*>>& walked) : layers(walked), layer(walked.begin())
    {
        SkipEmptyLayers();
    }

    bool Done() const { return layer == layers.end(); }
    Renderable* Current() const { return layer->second[index]; }

    void Next()
    {
        ++index;
        SkipEmptyLayers();
    }

    // Erases the current element; the walker then stands on the one after it.
    void EraseCurrent()
    {
        layer->second.erase(layer->second.begin() + static_cast<std::ptrdiff_t>(index));
        SkipEmptyLayers();
    }

private:
    void SkipEmptyLayers()
    {
        while (layer != layers.end() && index >= layer->second.size())
        {
            ++layer;
            index = 0;
        }
    }

    std::map<int, std::vector<Renderable*>>& layers;
    std::map<int, std::vector<Renderable*>>::iterator layer;
    size_t index = 0;
};

void World::Add(Renderable* newElement, int newLayer)
{
    if (!newElement)
    {
        SystemLogInstance().Log("WARNING: Can't add a null element to the World.");
        return;
    }
    if (RefusesToList(newElement))
    {
        SystemLogInstance().Log("WARNING: The camera and the game manager run outside the layers; not added.");
        return;
    }
    if (auto* actor = dynamic_cast<Actor*>(newElement))
        actor->NameOnFirstAdd();
    setAside.erase(std::remove(setAside.begin(), setAside.end(), newElement), setAside.end());
    if (resetPending)
        addedSinceResetAsked.insert(newElement);
    if (elementsLocked)
    {
        // Removed and added again in one walk: it stays listed, in the layer asked for.
        if (!newElement->listed)
        {
            deferredAdds.emplace_back(newElement, newLayer);
            return;
        }
        auto removal = std::find(deferredRemoves.begin(), deferredRemoves.end(), newElement);
        if (removal != deferredRemoves.end())
        {
            deferredRemoves.erase(removal);
            UpdateLayer(newElement, newLayer);
            return;
        }
    }
    // Listed twice, it would be updated twice a frame and deleted twice when destroyed.
    if (newElement->listed)
    {
        SystemLogInstance().Printf("WARNING: Element already in the World (layer %d); UpdateLayer moves it.",
                                   newElement->layer);
        return;
    }
    newElement->layer = newLayer;
    newElement->listed = true;
    layers[newLayer].push_back(newElement);
}

void World::Add(Renderable* newElement, const String& layerName) { Add(newElement, GetLayerByName(layerName)); }

void World::Remove(Renderable* oldElement)
{
    if (!oldElement)
        return;
    if (elementsLocked)
    {
        deferredRemoves.push_back(oldElement);
        return;
    }
    auto pending = std::find_if(deferredAdds.begin(), deferredAdds.end(),
                                [oldElement](const auto& entry) { return entry.first == oldElement; });
    if (pending != deferredAdds.end())
    {
        deferredAdds.erase(pending);
        return;
    }
    auto listed = layers.find(oldElement->layer);
    if (listed == layers.end())
        return;
    auto& elements = listed->second;
    auto found = std::find(elements.begin(), elements.end(), oldElement);
    if (found != elements.end())
    {
        elements.erase(found);
        oldElement->listed = false;
    }
}

void World::SetAside(Renderable* element)
{
    if (!element || KeptByGameManager(element))
        return;
    Remove(element);
    if (std::find(setAside.begin(), setAside.end(), element) == setAside.end())
        setAside.push_back(element);
}

void World::UpdateLayer(Renderable* element, int newLayer)
{
    if (!element || newLayer == element->layer)
        return;
    deferredLayerChanges.emplace_back(element, newLayer);
}

void World::UpdateLayer(Renderable* element, const String& layerName)
{
    UpdateLayer(element, GetLayerByName(layerName));
}

void World::NameLayer(const String& layerName, int number) { layerNames[layerName] = number; }

int World::GetLayerByName(const String& layerName) const
{
    auto found = layerNames.find(layerName);
    return found == layerNames.end() ? 0 : found->second;
}

std::vector<Renderable*> World::GetElements() const
{
    std::vector<Renderable*> all;
    for (const auto& entry : layers)
        all.insert(all.end(), entry.second.begin(), entry.second.end());
    return all;
}

void World::UpdateElements(float frameDt)
{
    for (ElementWalker walker(layers); !walker.Done(); walker.Next())
    {
        // A frozen world still lets its effects play out.
        if (particlesOnly && !dynamic_cast<ParticleActor*>(walker.Current()))
            continue;
        walker.Current()->Update(frameDt);
    }
}

bool World::KeptByGameManager(Renderable* element) const
{
    return gameManager && element != gameManager && gameManager->IsResetProof(element);
}

bool World::RefusesToList(Renderable* element) const
{
    // Both are updated and drawn by the frame itself, and live for the whole run: listed,
    // they would run twice a frame and be deleted once destroyed.
    return element == gameManager || dynamic_cast<Camera*>(element) != nullptr;
}

void World::CleanUpElements()
{
    std::vector<Renderable*> destroyed;
    for (ElementWalker walker(layers); !walker.Done();)
    {
        Renderable* element = walker.Current();
        if (!element->IsDestroyed())
        {
            walker.Next();
            continue;
        }
        if (KeptByGameManager(element))
        {
            // The game manager owns it for the whole run (a screen): deleting it would
            // leave the manager with freed memory, so the Destroy is undone instead.
            SystemLogInstance().Log("WARNING: The game manager keeps this element; Destroy is ignored.");
            element->deleteMe = false;
            walker.Next();
            continue;
        }
        walker.EraseCurrent();
        element->listed = false;
        destroyed.push_back(element);
    }
    for (Renderable* element : setAside)
        if (element->IsDestroyed() && !element->listed)
            destroyed.push_back(element);
    DeleteDestroyed(destroyed);
}

void World::DeleteDestroyed(std::vector<Renderable*>& destroyed)
{
    const std::unordered_set<Renderable*> deleted(destroyed.begin(), destroyed.end());
    for (Renderable* element : destroyed)
        delete element;
    destroyed.clear();
    DropRequestsFor(deleted);
}

void World::DeleteElement(Renderable* element)
{
    if (!element)
        return;
    if (KeptByGameManager(element))
    {
        SystemLogInstance().Log("WARNING: The game manager keeps this element; Destroy is ignored.");
        return;
    }
    if (elementsLocked || drawingElements)
    {
        // The walk's clean-up deletes it if it is listed; the deferred changes do if not.
        element->Destroy();
        if (std::find(deferredDeletes.begin(), deferredDeletes.end(), element) == deferredDeletes.end())
            deferredDeletes.push_back(element);
        return;
    }
    Remove(element);
    element->Destroy();
    std::vector<Renderable*> destroyed{element};
    DeleteDestroyed(destroyed);
}

void World::DropRequestsFor(const std::unordered_set<Renderable*>& deleted)
{
    if (deleted.empty())
        return;
    // Requests made for elements that no longer exist would touch freed memory.
    auto gone = [&deleted](const auto& entry) { return deleted.count(entry.first) != 0; };
    deferredAdds.erase(std::remove_if(deferredAdds.begin(), deferredAdds.end(), gone), deferredAdds.end());
    deferredLayerChanges.erase(std::remove_if(deferredLayerChanges.begin(), deferredLayerChanges.end(), gone),
                               deferredLayerChanges.end());
    auto isDeleted = [&deleted](Renderable* element) { return deleted.count(element) != 0; };
    deferredRemoves.erase(std::remove_if(deferredRemoves.begin(), deferredRemoves.end(), isDeleted),
                          deferredRemoves.end());
    deferredDeletes.erase(std::remove_if(deferredDeletes.begin(), deferredDeletes.end(), isDeleted),
                          deferredDeletes.end());
    setAside.erase(std::remove_if(setAside.begin(), setAside.end(), isDeleted), setAside.end());
    for (Renderable* element : deleted)
        addedSinceResetAsked.erase(element);
}

void World::ProcessDeferredChanges()
{
    // Adds replayed here were sorted when they were asked for, before or after a pending
    // reset; replaying them must not count them as new.
    const bool resetAsked = std::exchange(resetPending, false);
    std::vector<std::pair<Renderable*, int>> adds;
    adds.swap(deferredAdds);
    for (const auto& [element, newLayer] : adds)
        Add(element, newLayer);

    std::vector<std::pair<Renderable*, int>> moves;
    moves.swap(deferredLayerChanges);
    for (const auto& [element, newLayer] : moves)
    {
        Remove(element);
        Add(element, newLayer);
    }
    resetPending = resetAsked;

    std::vector<Renderable*> removes;
    removes.swap(deferredRemoves);
    for (Renderable* element : removes)
        Remove(element);

    // Deleted at a walk's end: what is still listed goes with the next clean-up walk.
    std::vector<Renderable*> deletes;
    deletes.swap(deferredDeletes);
    std::vector<Renderable*> unlisted;
    for (Renderable* element : deletes)
        if (!element->listed)
            unlisted.push_back(element);
    DeleteDestroyed(unlisted);
    ApplyPendingReset();
}

void World::ApplyPendingReset()
{
    if (!resetPending || elementsLocked || drawingElements)
        return;
    resetPending = false;
    UnloadAll();
    addedSinceResetAsked.clear();
}

void World::DrawElements()
{
    drawingElements = true;
    for (ElementWalker walker(layers); !walker.Done(); walker.Next())
        walker.Current()->Render();
    drawingElements = false;
}

void World::ResetWorld()
{
    // The camera and the debug lines are not walked, so they reset at once: whatever is
    // set up after the request keeps its own view.
    Camera::GetInstance().Reset();
    if (elementsLocked || drawingElements)
    {
        PurgeDebugDrawing();
        // A second request in the same walk takes what the first one spared.
        addedSinceResetAsked.clear();
        resetPending = true;
        return;
    }
    UnloadAll();
    PurgeDebugDrawing();
}

void World::UnloadAll()
{
    // Destructors and PreDestroy may add or remove other elements; queue that until the
    // walk is over.
    elementsLocked = true;
    std::vector<Renderable*> doomed;
    for (ElementWalker walker(layers); !walker.Done();)
    {
        Renderable* element = walker.Current();
        if (addedSinceResetAsked.count(element) != 0)
        {
            walker.Next();
            continue;
        }
        if (KeptByGameManager(element))
        {
            if (auto* actor = dynamic_cast<Actor*>(element))
                actor->WorldReset();
            walker.Next();
            continue;
        }
        walker.EraseCurrent();
        element->listed = false;
        doomed.push_back(element);
    }
    // One still listed went with the walk above, unless it came after the request.
    std::vector<Renderable*> keptAside;
    for (Renderable* element : setAside)
    {
        if (addedSinceResetAsked.count(element) != 0)
            keptAside.push_back(element);
        else if (!element->listed)
            doomed.push_back(element);
    }
    setAside.swap(keptAside);
    // Everything is destroyed before anything is deleted: a character's PreDestroy tells
    // its leader and its screen, which must still be there to hear it.
    for (Renderable* element : doomed)
        element->Destroy();
    elementsLocked = false;
    DeleteDestroyed(doomed);
}

// Design note: why changes made during a walk are queued.
// Elements add, move, remove and destroy each other from inside their own Update: a
// consumer spawns a dollar, a screen removes its actors, a particle system destroys
// itself. Changing a layer's vector while it is being walked would skip or repeat
// elements, or walk freed memory. So while the elements are locked, adds, removes and
// layer moves are recorded and applied after the walk, in that order (so an element
// added and removed in one frame ends up unlisted), and Destroy only marks: the
// clean-up walk deletes marked elements at one safe point of the frame.
