#include "Actors/TagCollection.h"

#include "Platform/Log.h"

#include <algorithm>
#include <iterator>
#include <set>

TagCollection& TagCollection::GetInstance()
{
    static TagCollection* instance = new TagCollection();
    return *instance;
}

void TagCollection::AddToTag(Actor* obj, const String& tag) { actorsByTag[tag].insert(obj); }

void TagCollection::RemoveFromTag(Actor* obj, const String& tag)
{
    auto found = actorsByTag.find(tag);
    if (found == actorsByTag.end())
        return;
    found->second.erase(obj);
    if (found->second.empty())
        actorsByTag.erase(found);
}

ActorSet TagCollection::ActorsUnder(const String& tag) const
{
    auto found = actorsByTag.find(tag);
    return found == actorsByTag.end() ? ActorSet() : found->second;
}

void TagCollection::WarnIfCapitals(const String& tag)
{
    if (std::none_of(tag.begin(), tag.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return;
    static std::set<String> warned;
    if (!warned.insert(tag).second)
        return;
    SystemLogInstance().Printf("WARNING: Tag \"%s\" asked for with capitals; Tag stores tags lower-case, so "
                               "ask for \"%s\".",
                               tag.c_str(), ToLower(tag).c_str());
}

ActorSet TagCollection::GetObjectsTagged(const String& findTag) const
{
    const StringList pieces = SplitText(findTag, ", ", true);
    if (pieces.empty())
        return ActorSet();
    for (const String& piece : pieces)
        WarnIfCapitals(piece);

    ActorSet result = ActorsUnder(pieces[0]);
    for (size_t i = 1; i < pieces.size() && !result.empty(); ++i)
    {
        auto found = actorsByTag.find(pieces[i]);
        if (found == actorsByTag.end())
            return ActorSet();
        ActorSet both;
        std::set_intersection(result.begin(), result.end(), found->second.begin(), found->second.end(),
                              std::inserter(both, both.end()), result.key_comp());
        result.swap(both);
    }
    return result;
}

StringSet TagCollection::GetTagList() const
{
    StringSet tagList;
    for (const auto& entry : actorsByTag)
        tagList.insert(entry.first);
    return tagList;
}
