#pragma once
// Token kinds and the keyword table: the vocabulary the scanner and the
// parser share. Exactly one spelling of the eight two-part robot words is a
// keyword at a time, chosen by the Underscore option.
#include <cstdint>
#include <string>

// One byte per token. The parser compares against these numbers, so they
// never change.
enum TTokenKind : std::uint8_t {
    PLATZ_BELEGT = 1,
    VORNE_FREI = 2,
    HAT_VORRAT = 3,
    RECHTS_FREI = 4,
    LINKS_FREI = 5,
    RIGHT_PAREN = 6,
    LEFT_PAREN = 7,
    THEN = 8,
    DO = 9,
    END = 10,
    UNTIL = 11,
    SEMICOLON = 12,
    END_OF_TEXT = 13,
    PROGRAM = 14,
    IDENTIFIER = 15,
    BEGIN = 16,
    PROCEDURE = 17,
    IF = 18,
    ELSE = 19,
    WHILE = 20,
    REPEAT = 21,
    FUNCTION = 22,
    RETURN = 23,
    AND = 24,
    OR = 25,
    NOT = 26,
    VOR = 27,
    DREHE_LINKS = 28,
    NIMM_AUF = 29,
    GIB_AB = 30,
    ABSCHALTEN = 31,
    PERIOD = 32,
    ERROR = 33,
    NORDWAERTS = 34,
    OSTWAERTS = 35,
    SUEDWAERTS = 36,
    WESTWAERTS = 37,
    ARBEITSFELD = 38,
    UNIT = 39,
    USES = 40,
    INTERFACE = 41,
    IMPLEMENTATION = 42,
    IN = 43,
    COMMA = 44,
};

constexpr int MaxTokenKind = 44;

// The kind's name as written above ("DREHE_LINKS", "LEFT_PAREN"); "?" for 0
// and anything beyond 44. For listings and test output.
const char* TokenName(int kind);

struct TKeyEntry {
    std::string Word;   // upper-case letters and underscores
    TTokenKind Kind = ERROR;
};

// 36 words in ascending byte order, searched by halving.
class TKeyTable {
public:
    static constexpr int Size = 36;

    TKeyTable();    // builds the table for the current Underscore value

    // Fills and sorts the table again for the current Underscore value.
    void Build();
    // True when the table was built for the spelling now chosen.
    bool IsCurrent() const;
    // Rebuilds only when Underscore changed since the last Build.
    void EnsureCurrent();

    // Exact byte comparison: the caller passes the word in upper case.
    // On a miss kind is left untouched.
    bool Lookup(const std::string& word, TTokenKind& kind) const;

    // Entries 1 to 36 in sorted order.
    const TKeyEntry& Entry(int index) const { return Entries[index]; }

private:
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
