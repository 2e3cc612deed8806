#pragma once

#include "Util/StringUtil.h"

#include <map>
#include <unordered_map>

class Actor;

// The process-wide map from unique actor names to actors. It does not own the actors.
class ActorNameRegistry
{
public:
    // Created on first use and never deleted.
    static ActorNameRegistry& GetInstance();

    // Exact, case-sensitive; null when the name is free.
    Actor* Find(const String& name) const;
    // The first of base, base1, base2, ... under which nothing is registered.
    String FirstFreeName(const String& base);
    // Replaces whatever was registered under the name (Actor::SetName asks for a free one).
    void Register(const String& name, Actor* actor);
    // Removes the entry only if it belongs to `actor`.
    void Unregister(const String& name, const Actor* actor);

private:
    ActorNameRegistry() = default;

    std::map<String, Actor*> actorsByName;
    // Per base name, a suffix below which every candidate is known to be taken, so
    // naming many actors after one class doesn't rescan Actor, Actor1, ... each time.
    // A base without an entry starts at 0.
    std::unordered_map<String, int> firstPossiblyFree;
};
