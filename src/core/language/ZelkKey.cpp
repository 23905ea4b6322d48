#include "language/ZelkKey.h"

#include <utility>

#include "settings/ZelkSettings.h"
#include "support/ZelkAssert.h"

TKeyTable KeyTable;

namespace {

// Unsigned byte order, a proper prefix before the longer word.
int CompareBytes(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

TKeyTable::TKeyTable() { Build(); }

void TKeyTable::Build()
{
    BuiltForUnderscore = Underscore;
    Fill();
    Sort();
}

bool TKeyTable::IsCurrent() const { return BuiltForUnderscore == Underscore; }

void TKeyTable::EnsureCurrent()
{
    if (!IsCurrent())
        Build();
}

void TKeyTable::Fill()
{
    for (int i = 1; i <= Size; ++i) {
        const TRobotWord& w = RobotWords[i - 1];
        Entries[i].Word = BuiltForUnderscore ? w.WithUnderscore : w.WithoutUnderscore;
        Entries[i].Kind = w.Kind;
    }
}

// A selection sort: a few dozen entries, built once per option change.
void TKeyTable::Sort()
{
    for (int i = 1; i < Size; ++i) {
        int min = i;
        for (int j = i + 1; j <= Size; ++j)
            if (CompareBytes(Entries[j].Word, Entries[min].Word) < 0)
                min = j;
        if (min != i)
            std::swap(Entries[i], Entries[min]);
    }
    // The halving in Lookup needs strictly ascending words.
    for (int i = 2; i <= Size; ++i)
        ZELK_ASSERT(CompareBytes(Entries[i - 1].Word, Entries[i].Word) < 0);
}

bool TKeyTable::Lookup(const std::string& word, TTokenKind& kind) const
{
    int low = 1;
    int high = Size;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = CompareBytes(word, Entries[mid].Word);
        if (c == 0) {
            ZELK_ASSERT(WordOfKind(Entries[mid].Kind) != nullptr);
            kind = Entries[mid].Kind;
            return true;
        }
        if (c < 0)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return false;
}

void RebuildKeyTable() { KeyTable.Build(); }
