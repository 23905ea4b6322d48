#include "language/ZelkBezTabelle.h"

#include "support/ZelkAssert.h"

TObjekt* TBezTab::FindExact(const std::string& name) const
{
    const auto it = Index.find(name);
    if (it == Index.end())
        return nullptr;
    ZELK_ASSERT(it->second->Name == name);
    return it->second;
}

TObjekt* TBezTab::FindName(const std::string& name, const std::vector<std::string>* usesList) const
{
    if (TObjekt* found = FindExact(name))
        return found;
    if (!usesList)
        return nullptr;
    const std::size_t dot = name.rfind('.');
    const std::string bare = dot == std::string::npos ? name : name.substr(dot + 1);
    for (const std::string& unit : *usesList)
        if (TObjekt* found = FindExact(unit + "." + bare))
            return found;
    return nullptr;
}

TObjekt* TBezTab::InsertName(const std::string& name)
{
    if (FindName(name))
        return nullptr;
    Entries.push_back(std::make_unique<TObjekt>(name));
    TObjekt* entry = Entries.back().get();
    Index.emplace(name, entry);
    // The index holds every entry once, so a lookup finds what a scan would.
    ZELK_ASSERT(Index.size() == Entries.size());
    return entry;
}

bool TBezTab::AllImplemented() const
{
    for (const auto& entry : Entries)
        if (entry->Address == -1)
            return false;
    return true;
}
