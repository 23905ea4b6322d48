#include "language/ZelkLexer.h"

#include <algorithm>
#include <array>
#include <string>

#include "language/ZelkKey.h"

namespace {

// No word longer than this can be a keyword, so longer ones are not looked
// up, and the words that are fit a string's own room without the heap.
constexpr std::size_t LongestKeyword()
{
    std::size_t longest = 0;
    for (const TRobotWord& w : RobotWords)
        longest = std::max(longest, std::string_view(w.WithUnderscore).size());
    return longest;
}

// The commands and tests of the robot; every other keyword is the language's.
bool IsRobotWord(TTokenKind kind)
{
    if (TestNumber(kind) != KeinTest)
        return true;
    switch (kind) {
    case VOR: case DREHE_LINKS: case NIMM_AUF: case GIB_AB: case ABSCHALTEN: case ARBEITSFELD:
        return true;
    default:
        return false;
    }
}

// What a character can begin outside a comment. The editor reads every line
// above the screen after a change at the top of a long text, so a character
// is judged by one look-up in a table made from the scanner's functions.
enum class TCharClass : std::uint8_t {
    Other,
    MarkStart,  // may open a comment
    Letter,     // the word characters last
    OtherWordChar,
};

constexpr auto CharClasses = [] {
    std::array<TCharClass, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        const int c = FoldChar(b);
        TCharClass& cls = classes[static_cast<std::size_t>(b)];
        if (IsLetter(c))
            cls = TCharClass::Letter;
        else if (IsWordChar(c))
            cls = TCharClass::OtherWordChar;
        else if (CommentOpenedBy(c, '*') != TCommentState::None)
            cls = TCharClass::MarkStart;
    }
    return classes;
}();

// A byte, or a UTF-16 unit: beyond 255 only units of characters outside
// ASCII, which are nothing to the scanner.
template <class Char>
int UnitAt(std::basic_string_view<Char> line, std::size_t i)
{
    return static_cast<int>(static_cast<std::make_unsigned_t<Char>>(line[i]));
}

template <class Char>
TCharClass ClassAt(std::basic_string_view<Char> line, std::size_t i)
{
    const int unit = UnitAt(line, i);
    return unit < 256 ? CharClasses[static_cast<std::size_t>(unit)] : TCharClass::Other;
}

// The end of the run of word characters from line[i].
template <class Char>
std::size_t WordEnd(std::basic_string_view<Char> line, std::size_t i)
{
    while (i < line.size() && ClassAt(line, i) >= TCharClass::Letter)
        ++i;
    return i;
}

// The word line[from, to), which begins with a letter, as the translator
// reads it: a keyword of the current spelling or an identifier.
template <class Char>
TLexSpan WordSpan(std::basic_string_view<Char> line, std::size_t from, std::size_t to)
{
    TLexSpan span{static_cast<int>(from), static_cast<int>(to - from), TLexKind::Identifier, IDENTIFIER};
    if (to - from > LongestKeyword())
        return span;
    std::string word;
    for (std::size_t i = from; i < to; ++i)
        word += static_cast<char>(FoldChar(UnitAt(line, i)));
    if (KeyTable.Lookup(word, span.Token))
        span.Kind = IsRobotWord(span.Token) ? TLexKind::RobotWord : TLexKind::Keyword;
    return span;
}

template <class Char>
std::size_t CommentEndIn(std::basic_string_view<Char> line, std::size_t from, TCommentState kind)
{
    if (from > line.size())
        return std::string_view::npos;
    static constexpr Char Close[] = {'*', ')'};
    const bool braces = kind == TCommentState::InBraces;
    const std::size_t mark = braces ? line.find(Char('}'), from) : line.find(Close, from, 2);
    return mark == std::string_view::npos ? mark : mark + (braces ? 1 : 2);
}

template <class Char>
TCommentState Lex(std::basic_string_view<Char> line, TCommentState state, std::vector<TLexSpan>* spans)
{
    if (spans) {
        spans->clear();
        KeyTable.EnsureCurrent();
    }
    auto add = [spans](std::size_t from, std::size_t to, TLexKind kind) {
        if (spans && to > from)
            spans->push_back({static_cast<int>(from), static_cast<int>(to - from), kind, ERROR});
    };
    // From inside a comment at from: past its end, or to the line's end.
    auto skipComment = [line, &state](std::size_t from) {
        const std::size_t end = CommentEndIn(line, from, state);
        if (end == std::string_view::npos)
            return line.size();
        state = TCommentState::None;
        return end;
    };
    const std::size_t n = line.size();
    std::size_t i = 0;
    if (state != TCommentState::None) {
        i = skipComment(0);
        add(0, i, TLexKind::Comment);
    }
    while (i < n) {
        const std::size_t from = i;
        switch (ClassAt(line, i)) {
        case TCharClass::Other:
            ++i;
            break;
        case TCharClass::Letter:
            i = WordEnd(line, i);
            if (spans)
                spans->push_back(WordSpan(line, from, i));
            break;
        case TCharClass::OtherWordChar:
            // Digits or an underscore cannot begin a word: the digits are a
            // number, and the rest is no word the translator would take.
            while (i < n && IsDigit(UnitAt(line, i)))
                ++i;
            add(from, i, TLexKind::Number);
            i = WordEnd(line, i);
            break;
        case TCharClass::MarkStart: {
            const int next = i + 1 < n ? UnitAt(line, i + 1) : ' ';  // a line end reads as a blank
            const TCommentState opened = CommentOpenedBy(FoldChar(UnitAt(line, i)), next);
            if (opened == TCommentState::None) {
                ++i;
                break;
            }
            state = opened;
            i = skipComment(i + OpeningMarkLength(opened));
            add(from, i, TLexKind::Comment);
            break;
        }
        }
    }
    return state;
}

}  // namespace

std::size_t CommentEnd(std::string_view line, std::size_t from, TCommentState kind)
{
    return CommentEndIn(line, from, kind);
}

TCommentState LexLine(std::string_view line, TCommentState before, std::vector<TLexSpan>* spans)
{
    return Lex(line, before, spans);
}

TCommentState LexLine(std::u16string_view line, TCommentState before, std::vector<TLexSpan>* spans)
{
    return Lex(line, before, spans);
}
