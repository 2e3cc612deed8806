#pragma once

#include "Util/StringUtil.h"

#include <memory>

// Base of everything the World updates and draws once per frame.
class Renderable
{
public:
    // Not listed anywhere until World::Add. A copy keeps the layer and the destroyed mark
    // but is not listed either.
    Renderable();
    Renderable(const Renderable&);
    // A copy is an element of its own: references to the original never see it.
    Renderable& operator=(const Renderable& other);
    // Tells the deletion observer, if any.
    virtual ~Renderable();

    // Renderables alive in the process, listed or not (a cheap leak check for soaks).
    static long GetLiveCount() { return liveCount; }

    // Once per simulated frame, in layer order; dt is the frame's seconds (0..1).
    virtual void Update(float dt) = 0;
    // Once per frame, in layer order, after every Update; draw through Platform/Draw.h.
    virtual void Render() = 0;
    // Runs once, from the first Destroy, before the element is marked.
    virtual void PreDestroy() {}

    // Marks the element; the World deletes it at the end of the next update walk.
    // It stays listed and drawn until then. A second call does nothing.
    void Destroy();
    // Destroy has been called; the element may still be drawn until the walk ends.
    bool IsDestroyed() const { return deleteMe; }
    // The layer World::Add put it in, or the one it was last moved to; 0 before Add.
    int GetLayer() const { return layer; }

    // Called at the end of every renderable's destruction, when set. A script binding
    // uses it to cut the references scripts still hold, so they can't reach freed memory.
    static void (*deletionObserver)(Renderable* deleted);

    // How an element asks the lists it is in for another layer, by number or by name: the
    // World sets both when it is made, and they are null before.
    static void (*layerChanger)(Renderable* element, int newLayer);
    static void (*namedLayerChanger)(Renderable* element, const String& layerName);

    // What ElementRef watches: it expires when this element is deleted.
    std::weak_ptr<const void> GetLifeToken() const;

protected:
    bool deleteMe = false;
    int layer = 0;
    // In one of the World's layers; set and cleared by the World alone.
    bool listed = false;

    friend class World;

private:
    static long liveCount;
    // Made at the first request, so elements nobody watches pay nothing for it.
    mutable std::shared_ptr<const void> lifeToken;
};
