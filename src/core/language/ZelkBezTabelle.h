#pragma once
// The symbol table of one translation run: every procedure and function of
// the main file and its units, under its qualified name (Main.QUADRAT,
// WERKZEUG.LINKSUM), in the order of declaration.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TObjekt {
public:
    explicit TObjekt(std::string name) : Name(std::move(name)) {}

    std::string Name;
    bool IsProcedure = false;
    // Index of the block's opening jump; -1 while an interface name waits
    // for its implementation.
    std::int32_t Address = 0;
};

class TBezTab {
public:
    // The exact name first; then, when usesList is given, the bare
    // identifier under each unit of the list in list order.
    TObjekt* FindName(const std::string& name,
                      const std::vector<std::string>* usesList = nullptr) const;
    // The new entry, or nullptr when the name is already taken.
    TObjekt* InsertName(const std::string& name);
    // No entry still waits for its implementation.
    bool AllImplemented() const;

    int Count() const { return static_cast<int>(Entries.size()); }
    const TObjekt& Item(int index) const { return *Entries[static_cast<std::size_t>(index)]; }

private:
    TObjekt* FindExact(const std::string& name) const;

    std::vector<std::unique_ptr<TObjekt>> Entries;   // insertion order
    // Names are unique, so a hash index finds the same entry as a scan in
    // insertion order, and a unit interface of many thousand names stays fast.
    std::unordered_map<std::string, TObjekt*> Index;
};
