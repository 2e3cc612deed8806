#include "Actors/ActorNameRegistry.h"

#include <algorithm>
#include <cctype>

namespace
{
String Candidate(const String& base, int suffix) { return suffix == 0 ? base : base + std::to_string(suffix); }
} // namespace

ActorNameRegistry& ActorNameRegistry::GetInstance()
{
    static ActorNameRegistry* instance = new ActorNameRegistry();
    return *instance;
}

Actor* ActorNameRegistry::Find(const String& name) const
{
    auto found = actorsByName.find(name);
    return found == actorsByName.end() ? nullptr : found->second;
}

String ActorNameRegistry::FirstFreeName(const String& base)
{
    auto hint = firstPossiblyFree.find(base);
    int suffix = hint == firstPossiblyFree.end() ? 0 : hint->second;
    while (actorsByName.count(Candidate(base, suffix)) != 0)
        ++suffix;
    // Only bases found taken are remembered, so a game that names every actor uniquely
    // doesn't grow the table with each name.
    if (suffix > 0)
        firstPossiblyFree[base] = suffix;
    return Candidate(base, suffix);
}

void ActorNameRegistry::Register(const String& name, Actor* actor) { actorsByName[name] = actor; }

void ActorNameRegistry::Unregister(const String& name, const Actor* actor)
{
    auto found = actorsByName.find(name);
    if (found == actorsByName.end() || found->second != actor)
        return;
    actorsByName.erase(found);

    // The freed name is a candidate of every base it ends a split of: "Actor12" is
    // suffix 0 of "Actor12", 2 of "Actor1" and 12 of "Actor". Lower those hints.
    auto lower = [this](const String& base, int suffix)
    {
        auto hint = firstPossiblyFree.find(base);
        if (hint == firstPossiblyFree.end())
            return;
        if (suffix == 0)
            firstPossiblyFree.erase(hint);
        else
            hint->second = std::min(hint->second, suffix);
    };
    lower(name, 0);
    for (size_t split = name.size(); split > 0 && std::isdigit(static_cast<unsigned char>(name[split - 1])); --split)
    {
        const String digits = name.substr(split - 1);
        // "Actor01" is no candidate of "Actor": suffixes are written without leading zeros.
        if (digits[0] == '0' || digits.size() > 9)
            continue;
        lower(name.substr(0, split - 1), std::stoi(digits));
    }
}
