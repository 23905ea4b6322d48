#pragma once
// The vocabulary of the robot language: the token kinds the scanner delivers
// and one row per keyword with all that the translator and the interpreter
// need to know of it. A new sensor test is one row in RobotWords (with its
// token kind and the world's test member): the keyword table, the parser,
// the interpreter and the fuzz dictionary all read it from there, and the
// checks at the end of this file refuse a row that breaks the vocabulary.
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "world/ZelkFeld.h"

// One byte per token. The parser compares against these numbers, and
// listings show them, so they never change.
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
// and anything beyond the last kind. For listings and test output.
const char* TokenName(int kind);

// Test numbers are operands of opTest in the instruction table.
constexpr int KeinTest = -1;

using TWorldTest = bool (tFeld::*)() const;

struct TRobotWord {
    TTokenKind Kind;
    const char* WithUnderscore;     // the keyword while Underscore is on; also the kind's name
    const char* WithoutUnderscore;  // the keyword while it is off
    int Test;                       // opTest number, or KeinTest
    TWorldTest WorldTest;           // the world's answer to that test
    // Whether the row names a world test. The checks below read this, not
    // WorldTest == nullptr: g++'s null sanitizer takes a member's address
    // for one that may be null, and so no such comparison is constant there.
    bool HasWorldTest;

    constexpr TRobotWord(TTokenKind kind, const char* with, const char* without, int test, TWorldTest worldTest)
        : Kind(kind), WithUnderscore(with), WithoutUnderscore(without), Test(test), WorldTest(worldTest),
          HasWorldTest(true)
    {
    }
    constexpr TRobotWord(TTokenKind kind, const char* with, const char* without, int test, std::nullptr_t)
        : Kind(kind), WithUnderscore(with), WithoutUnderscore(without), Test(test), WorldTest(nullptr),
          HasWorldTest(false)
    {
    }
};

// Every keyword. Only the two-part robot words differ between the spellings.
inline constexpr TRobotWord RobotWords[] = {
    {PROGRAM, "PROGRAM", "PROGRAM", KeinTest, nullptr},
    {UNIT, "UNIT", "UNIT", KeinTest, nullptr},
    {USES, "USES", "USES", KeinTest, nullptr},
    {INTERFACE, "INTERFACE", "INTERFACE", KeinTest, nullptr},
    {IMPLEMENTATION, "IMPLEMENTATION", "IMPLEMENTATION", KeinTest, nullptr},
    {IN, "IN", "IN", KeinTest, nullptr},
    {PROCEDURE, "PROCEDURE", "PROCEDURE", KeinTest, nullptr},
    {FUNCTION, "FUNCTION", "FUNCTION", KeinTest, nullptr},
    {RETURN, "RETURN", "RETURN", KeinTest, nullptr},
    {BEGIN, "BEGIN", "BEGIN", KeinTest, nullptr},
    {END, "END", "END", KeinTest, nullptr},
    {IF, "IF", "IF", KeinTest, nullptr},
    {THEN, "THEN", "THEN", KeinTest, nullptr},
    {ELSE, "ELSE", "ELSE", KeinTest, nullptr},
    {WHILE, "WHILE", "WHILE", KeinTest, nullptr},
    {DO, "DO", "DO", KeinTest, nullptr},
    {REPEAT, "REPEAT", "REPEAT", KeinTest, nullptr},
    {UNTIL, "UNTIL", "UNTIL", KeinTest, nullptr},
    {AND, "AND", "AND", KeinTest, nullptr},
    {OR, "OR", "OR", KeinTest, nullptr},
    {NOT, "NOT", "NOT", KeinTest, nullptr},
    {VOR, "VOR", "VOR", KeinTest, nullptr},
    {DREHE_LINKS, "DREHE_LINKS", "DREHELINKS", KeinTest, nullptr},
    {NIMM_AUF, "NIMM_AUF", "NIMMAUF", KeinTest, nullptr},
    {GIB_AB, "GIB_AB", "GIBAB", KeinTest, nullptr},
    {ABSCHALTEN, "ABSCHALTEN", "ABSCHALTEN", KeinTest, nullptr},
    {HAT_VORRAT, "HAT_VORRAT", "HATVORRAT", 0, &tFeld::HatVorrat},
    {PLATZ_BELEGT, "PLATZ_BELEGT", "PLATZBELEGT", 1, &tFeld::PlatzBelegt},
    {VORNE_FREI, "VORNE_FREI", "VORNEFREI", 2, &tFeld::VorneFrei},
    {RECHTS_FREI, "RECHTS_FREI", "RECHTSFREI", 3, &tFeld::RechtsFrei},
    {LINKS_FREI, "LINKS_FREI", "LINKSFREI", 4, &tFeld::LinksFrei},
    {NORDWAERTS, "NORDWAERTS", "NORDWAERTS", 5, &tFeld::Nordwaerts},
    {OSTWAERTS, "OSTWAERTS", "OSTWAERTS", 6, &tFeld::Ostwaerts},
    {SUEDWAERTS, "SUEDWAERTS", "SUEDWAERTS", 7, &tFeld::Suedwaerts},
    {WESTWAERTS, "WESTWAERTS", "WESTWAERTS", 8, &tFeld::Westwaerts},
    {ARBEITSFELD, "ARBEITSFELD", "ARBEITSFELD", KeinTest, nullptr},
};

constexpr int RobotWordCount = static_cast<int>(std::size(RobotWords));

// The row of a keyword's kind; nullptr for a kind that is no keyword.
constexpr const TRobotWord* WordOfKind(int kind)
{
    for (const TRobotWord& w : RobotWords)
        if (w.Kind == kind)
            return &w;
    return nullptr;
}

// The row of test number nummer; nullptr for a number no test has.
constexpr const TRobotWord* TestWord(int nummer)
{
    if (nummer == KeinTest)
        return nullptr;
    for (const TRobotWord& w : RobotWords)
        if (w.Test == nummer)
            return &w;
    return nullptr;
}

// The test number of a token kind, KeinTest for a kind that is no test.
constexpr int TestNumber(int kind)
{
    const TRobotWord* w = WordOfKind(kind);
    return w ? w->Test : KeinTest;
}

constexpr int TestCount()
{
    int n = 0;
    for (const TRobotWord& w : RobotWords)
        n += w.Test != KeinTest;
    return n;
}

// The world test of every test number, indexed by that number: the
// interpreter's dispatch. It is built from RobotWords while compiling, so a
// test at run time costs one indexed load, never a search of the table.

struct TTestDispatch {
    TWorldTest Test[TestCount()] = {};

    constexpr TTestDispatch()
    {
        for (const TRobotWord& w : RobotWords)
            if (w.Test != KeinTest)
                Test[w.Test] = w.WorldTest;
    }
};

inline constexpr TTestDispatch WorldTests{};

// ---- what every row must keep true --------------------------------------

namespace vocabulary_check {

constexpr bool SameText(const char* a, const char* b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Upper-case letters and underscores, starting with a letter: what the
// scanner folds a word to.
constexpr bool IsWord(const char* s)
{
    if (!(*s >= 'A' && *s <= 'Z'))
        return false;
    for (; *s; ++s)
        if (!((*s >= 'A' && *s <= 'Z') || *s == '_'))
            return false;
    return true;
}

// The run-together spelling is the other one without its underscores.
constexpr bool RunTogether(const char* with, const char* without)
{
    for (; *with; ++with) {
        if (*with == '_')
            continue;
        if (*with != *without)
            return false;
        ++without;
    }
    return *without == 0;
}

constexpr bool RowsAreSound()
{
    for (const TRobotWord& w : RobotWords) {
        if (w.Kind < 1 || w.Kind > MaxTokenKind || !IsWord(w.WithUnderscore) ||
            !RunTogether(w.WithUnderscore, w.WithoutUnderscore))
            return false;
        if ((w.Test == KeinTest) == w.HasWorldTest)
            return false;
    }
    return true;
}

// No kind twice, and no word twice within either spelling.
constexpr bool NothingTwice()
{
    for (int i = 0; i < RobotWordCount; ++i)
        for (int j = i + 1; j < RobotWordCount; ++j) {
            const TRobotWord& a = RobotWords[i];
            const TRobotWord& b = RobotWords[j];
            if (a.Kind == b.Kind || SameText(a.WithUnderscore, b.WithUnderscore) ||
                SameText(a.WithoutUnderscore, b.WithoutUnderscore))
                return false;
        }
    return true;
}

// Test numbers run from 0 without a gap, each belonging to one word.
constexpr bool TestsNumberedInTurn()
{
    for (int n = 0; n < TestCount(); ++n) {
        int rows = 0;
        for (const TRobotWord& w : RobotWords)
            rows += w.Test == n;
        if (rows != 1)
            return false;
    }
    return true;
}

static_assert(RowsAreSound(), "a robot word with a bad kind, spelling or test");
static_assert(NothingTwice(), "a token kind or a word given twice");
static_assert(TestsNumberedInTurn(), "test numbers must run 0, 1, 2, ... without a gap");

}  // namespace vocabulary_check
