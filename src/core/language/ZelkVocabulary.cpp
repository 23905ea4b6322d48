#include "language/ZelkVocabulary.h"

namespace {

struct TSignName {
    TTokenKind Kind;
    const char* Name;
};

// The kinds that are no keyword: signs and the scanner's own markers.
constexpr TSignName SignNames[] = {
    {RIGHT_PAREN, "RIGHT_PAREN"}, {LEFT_PAREN, "LEFT_PAREN"},   {SEMICOLON, "SEMICOLON"},
    {END_OF_TEXT, "END_OF_TEXT"}, {IDENTIFIER, "IDENTIFIER"},   {PERIOD, "PERIOD"},
    {ERROR, "ERROR"},             {COMMA, "COMMA"},
};

constexpr const char* SignName(int kind)
{
    for (const TSignName& s : SignNames)
        if (s.Kind == kind)
            return s.Name;
    return nullptr;
}

// Whether a row of rows is of kind. Not WordOfKind(kind) != nullptr: under
// g++'s null sanitizer no address is known not to be null while compiling.
template <typename Row, std::size_t N>
constexpr bool HasRowOf(const Row (&rows)[N], int kind)
{
    for (const Row& row : rows)
        if (row.Kind == kind)
            return true;
    return false;
}

// Each kind from 1 to the last is either a keyword or a sign, never both.
constexpr bool EveryKindNamedOnce()
{
    for (int kind = 1; kind <= MaxTokenKind; ++kind)
        if (HasRowOf(RobotWords, kind) == HasRowOf(SignNames, kind))
            return false;
    return true;
}
static_assert(EveryKindNamedOnce(), "a token kind without a name, or with two");

}  // namespace

const char* TokenName(int kind)
{
    if (const TRobotWord* w = WordOfKind(kind))
        return w->WithUnderscore;
    if (const char* sign = SignName(kind))
        return sign;
    return "?";
}
