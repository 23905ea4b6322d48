#include "language/ZelkKey.h"

#include <utility>

#include "settings/ZelkSettings.h"

TKeyTable KeyTable;

namespace {

const char* const TokenNames[MaxTokenKind + 1] = {
    "?",           "PLATZ_BELEGT", "VORNE_FREI",  "HAT_VORRAT",     "RECHTS_FREI",
    "LINKS_FREI",  "RIGHT_PAREN",  "LEFT_PAREN",  "THEN",           "DO",
    "END",         "UNTIL",        "SEMICOLON",   "END_OF_TEXT",    "PROGRAM",
    "IDENTIFIER",  "BEGIN",        "PROCEDURE",   "IF",             "ELSE",
    "WHILE",       "REPEAT",       "FUNCTION",    "RETURN",         "AND",
    "OR",          "NOT",          "VOR",         "DREHE_LINKS",    "NIMM_AUF",
    "GIB_AB",      "ABSCHALTEN",   "PERIOD",      "ERROR",          "NORDWAERTS",
    "OSTWAERTS",   "SUEDWAERTS",   "WESTWAERTS",  "ARBEITSFELD",    "UNIT",
    "USES",        "INTERFACE",    "IMPLEMENTATION", "IN",          "COMMA",
};

struct TKeyWord {
    const char* WithUnderscore;
    const char* WithoutUnderscore;
    TTokenKind Kind;
};

// The 36 words; only the eight two-part words differ between the spellings.
const TKeyWord KeyWords[TKeyTable::Size] = {
    {"PROGRAM", "PROGRAM", PROGRAM},
    {"UNIT", "UNIT", UNIT},
    {"USES", "USES", USES},
    {"INTERFACE", "INTERFACE", INTERFACE},
    {"IMPLEMENTATION", "IMPLEMENTATION", IMPLEMENTATION},
    {"IN", "IN", IN},
    {"PROCEDURE", "PROCEDURE", PROCEDURE},
    {"FUNCTION", "FUNCTION", FUNCTION},
    {"RETURN", "RETURN", RETURN},
    {"BEGIN", "BEGIN", BEGIN},
    {"END", "END", END},
    {"IF", "IF", IF},
    {"THEN", "THEN", THEN},
    {"ELSE", "ELSE", ELSE},
    {"WHILE", "WHILE", WHILE},
    {"DO", "DO", DO},
    {"REPEAT", "REPEAT", REPEAT},
    {"UNTIL", "UNTIL", UNTIL},
    {"AND", "AND", AND},
    {"OR", "OR", OR},
    {"NOT", "NOT", NOT},
    {"VOR", "VOR", VOR},
    {"DREHE_LINKS", "DREHELINKS", DREHE_LINKS},
    {"NIMM_AUF", "NIMMAUF", NIMM_AUF},
    {"GIB_AB", "GIBAB", GIB_AB},
    {"ABSCHALTEN", "ABSCHALTEN", ABSCHALTEN},
    {"PLATZ_BELEGT", "PLATZBELEGT", PLATZ_BELEGT},
    {"VORNE_FREI", "VORNEFREI", VORNE_FREI},
    {"HAT_VORRAT", "HATVORRAT", HAT_VORRAT},
    {"RECHTS_FREI", "RECHTSFREI", RECHTS_FREI},
    {"LINKS_FREI", "LINKSFREI", LINKS_FREI},
    {"NORDWAERTS", "NORDWAERTS", NORDWAERTS},
    {"OSTWAERTS", "OSTWAERTS", OSTWAERTS},
    {"SUEDWAERTS", "SUEDWAERTS", SUEDWAERTS},
    {"WESTWAERTS", "WESTWAERTS", WESTWAERTS},
    {"ARBEITSFELD", "ARBEITSFELD", ARBEITSFELD},
};

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

const char* TokenName(int kind)
{
    if (kind < 1 || kind > MaxTokenKind)
        return TokenNames[0];
    return TokenNames[kind];
}

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
        const TKeyWord& w = KeyWords[i - 1];
        Entries[i].Word = BuiltForUnderscore ? w.WithUnderscore : w.WithoutUnderscore;
        Entries[i].Kind = w.Kind;
    }
}

// A selection sort: 36 entries, built once per option change.
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
}

bool TKeyTable::Lookup(const std::string& word, TTokenKind& kind) const
{
    int low = 1;
    int high = Size;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = CompareBytes(word, Entries[mid].Word);
        if (c == 0) {
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
