#include "Actors/Actor.h"

#include "Actors/TagCollection.h"

void Actor::Tag(const String& newTag)
{
    // Tags are stored lower-case so "Enemy" and "enemy" name one group; queries and
    // Untag compare exactly, so callers should use the lower-case form there.
    for (const String& piece : SplitText(newTag, ", ", true))
    {
        const String tag = ToLower(piece);
        tags.insert(tag);
        TagCollection::GetInstance().AddToTag(this, tag);
    }
}

void Actor::Untag(const String& oldTag)
{
    TagCollection::WarnIfCapitals(oldTag);
    tags.erase(oldTag);
    TagCollection::GetInstance().RemoveFromTag(this, oldTag);
}

bool Actor::IsTagged(const String& tag) const
{
    TagCollection::WarnIfCapitals(tag);
    return tags.count(tag) != 0;
}
