#pragma once
// The keyword table: the words of RobotWords in the spelling the Underscore
// option chooses, sorted for the scanner's lookup. Exactly one spelling of
// the two-part robot words is a keyword at a time.
#include <string>

#include "language/ZelkVocabulary.h"

struct TKeyEntry {
    std::string Word;   // upper-case letters and underscores
    TTokenKind Kind = ERROR;
};

// The keywords in ascending byte order, searched by halving.
class TKeyTable {
public:
    static constexpr int Size = RobotWordCount;

    TKeyTable();    // builds the table for the current Underscore value

    // Fills and sorts the table again for the current Underscore value.
    void Build();
    // Rebuilds only when Underscore changed since the last Build.
    void EnsureCurrent();

    // Exact byte comparison: the caller passes the word in upper case.
    // On a miss kind is left untouched.
    bool Lookup(const std::string& word, TTokenKind& kind) const;

    // Entries 1 to Size in sorted order.
    const TKeyEntry& Entry(int index) const { return Entries[index]; }

private:
    bool IsCurrent() const;
    void Fill();
    void Sort();

    TKeyEntry Entries[Size + 1];   // slot 0 unused: the table counts from 1
    bool BuiltForUnderscore = true;
};

// The one program-wide table.
extern TKeyTable KeyTable;

// To be called whenever the Underscore option changes (the options dialog,
// zelk-run's --no-underscore). Compile also checks by itself before it
// reads, so a forgotten call cannot translate with the old spelling.
void RebuildKeyTable();
