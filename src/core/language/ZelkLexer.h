#pragma once
// The characters and comments of the language, in one place for the
// translator's scanner and the editor's colours: a learner must see as
// comment exactly what the translator skips, and as keyword exactly what it
// reads as one.
//
// Both read the end of a line as a blank: no word, no "(*" and no "*)" goes
// on into the next line, but a comment does.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "language/ZelkVocabulary.h"

// ---- characters --------------------------------------------------------

// The character as the scanner judges it: a lower-case letter as its upper
// case, a tab as a blank, any other byte as it is.
constexpr int FoldChar(int c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    return c == '\t' ? ' ' : c;
}

// The classes of a folded character.
constexpr bool IsLetter(int c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsDigit(int c) { return c >= '0' && c <= '9'; }
constexpr bool IsWordChar(int c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// Whether the scanner takes the folded character outside a comment; 0 is
// the end of the text.
constexpr bool IsAllowedChar(int c)
{
    switch (c) {
    case 0: case ' ': case '(': case ')': case '*': case ',': case '.':
    case ';': case '_': case '{': case '}':
        return true;
    default:
        return IsWordChar(c);
    }
}

// ---- comments ----------------------------------------------------------

// Where a line begins or ends: outside a comment or inside one of the two
// kinds. A compiler directive, "{$" or "(*$", is a comment of its kind; only
// the scanner's message about an unknown one sets it apart.
enum class TCommentState : std::uint8_t { None, InBraces, InParenStar };

// The comment that the character c opens when next follows it (a blank at
// the end of the line): "{" or "(*"; None for any other pair.
constexpr TCommentState CommentOpenedBy(int c, int next)
{
    if (c == '{')
        return TCommentState::InBraces;
    if (c == '(' && next == '*')
        return TCommentState::InParenStar;
    return TCommentState::None;
}

constexpr std::size_t OpeningMarkLength(TCommentState kind)
{
    return kind == TCommentState::InParenStar ? 2 : 1;
}

// Inside a comment of the given kind from line[from]: the place just after
// its closing mark, or npos when the comment goes on past the line. The
// first "}" or "*)" closes it; comments do not nest, and the "*" of "(*" is
// no "*" of a closing mark, so "(*)" opens a comment and leaves it open.
std::size_t CommentEnd(std::string_view line, std::size_t from, TCommentState kind);

// ---- one line at a time -------------------------------------------------

enum class TLexKind : std::uint8_t {
    Keyword,     // a word of the language
    RobotWord,   // a command or test of the robot
    Identifier,  // any other word
    Number,      // digits where a word would begin: refused by the translator
    Comment,     // with its marks, a directive as well
};

struct TLexSpan {
    int Start = 0;   // column in the line's bytes (or UTF-16 units), from 0
    int Length = 0;
    TLexKind Kind = TLexKind::Identifier;
    TTokenKind Token = ERROR;  // a word's keyword kind or IDENTIFIER; ERROR otherwise
};

// Reads one line, in the Windows-1252 bytes the scanner reads, by the
// scanner's rules from the comment state before it, and gives the state after
// it. With spans, the line's words, numbers and comments go there in order
// (the vector is emptied first; a caller that keeps it keeps its room).
// Everything else - blanks, punctuation, and characters the scanner refuses -
// is in no span: this reading shows no message and never stops before the
// end of the line. Words are looked up in the spelling the Underscore option
// chooses now.
TCommentState LexLine(std::string_view line, TCommentState before, std::vector<TLexSpan>* spans);

// The same for a line in UTF-16, as the editor holds it, with columns in
// UTF-16 units. It reads alike: the rules look at ASCII characters alone, and
// a character beyond ASCII is one byte above 127 to the scanner and one or
// two units above 127 here. So the editor neither converts each line nor
// maps columns back.
TCommentState LexLine(std::u16string_view line, TCommentState before, std::vector<TLexSpan>* spans);
