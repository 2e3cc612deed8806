#pragma once

#include "Actors/Renderable.h"

#include <memory>

// A reference to an element that someone else may delete: the World deletes what it
// lists once it is destroyed, and a script or a reset may destroy anything. Get() reads
// null from the moment the element is deleted, so a holder never reaches freed memory.
template <typename T> class ElementRef
{
public:
    ElementRef() = default;
    // Implicit, so that `ref = element;` reads as plain assignment.
    ElementRef(T* target) : element(target)
    {
        if (target)
            life = target->GetLifeToken();
    }

    // The element, or null once it has been deleted (or when none was set).
    T* Get() const { return life.expired() ? nullptr : element; }
    // Null once the element is gone: test the reference (operator bool) first.
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

private:
    T* element = nullptr;
    std::weak_ptr<const void> life;
};
