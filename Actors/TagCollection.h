#pragma once

#include "Actors/Actor.h"
#include "Util/StringUtil.h"

#include <map>

// The process-wide index from tag to the actors carrying it. It does not own the
// actors: each actor leaves its tags when it is deleted.
class TagCollection
{
public:
    // Created on first use and never deleted.
    static TagCollection& GetInstance();

    // Lists the actor under the tag exactly as given; Actor::Tag calls it with lower-case tags.
    void AddToTag(Actor* obj, const String& tag);
    // Drops the tag's entry once no actor carries it.
    void RemoveFromTag(Actor* obj, const String& tag);
    // The actors carrying every tag of findTag, which is split at commas and spaces and
    // compared exactly (no case folding): Tag stores lower-case, so "Enemy" finds nothing
    // and logs a WARNING the first time (WarnIfCapitals). Empty when findTag names no tag.
    ActorSet GetObjectsTagged(const String& findTag) const;
    // Every tag some actor currently carries.
    StringSet GetTagList() const;

    // Logs one WARNING the first time each tag with capitals is asked for (IsTagged,
    // Untag, GetObjectsTagged): Actor::Tag stores tags lower-case, so such a query
    // matches nothing it made. Once per tag, not once per process: each distinct
    // spelling is its own mistake, and a game asks for a handful of fixed tags, so the
    // log stays short while every wrong one is named.
    static void WarnIfCapitals(const String& tag);

private:
    TagCollection() = default;

    ActorSet ActorsUnder(const String& tag) const;

    std::map<String, ActorSet> actorsByTag;
};
