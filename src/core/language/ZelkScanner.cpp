#include "language/ZelkScanner.h"

#include "language/ZelkLexer.h"
#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "support/ZelkAssert.h"

TTokenKind CurrentToken = END_OF_TEXT;
std::string CurrentIdentifier;

namespace {

// The seven scanner messages, exactly as shown.
const char* const MsgUnerlaubtesZeichen = "Unerlaubtes Zeichen ";
const char* const MsgBezeichnerlaenge = "Bezeichnerlänge überschritten!";
const char* const MsgFalschesZeichen = "Falsches Zeichen am Beginn eines Wortes.";
const char* const MsgUnerwartetesEreignis = "Unerwartetes Ereignis ?";
const char* const MsgUnbekannteDirektive = "Unbekannte Compilerdirektive";
const char* const MsgGeschweifteKlammerFehlt = " } fehlt !";
const char* const MsgSternKlammerFehlt = " *) fehlt !";

// Longest word; the next word character is an error.
constexpr int MaxWordLength = 81;

// Byte 0 marks the end of the text. A NUL byte inside a line is an end only
// when nothing but padding follows it: the raw reader hands it on as this
// code, so comments accept it like any byte and, with more text after it,
// outside comments it is an illegal character instead of silently cutting
// the program short.
constexpr int NulInLine = 0x100;

// What may follow a NUL that ends the text: some old editors pad a file
// with NUL bytes, and blanks or line ends may stand among them.
bool IsPadding(char c) { return c == '\0' || c == ' ' || c == '\t'; }

}  // namespace

TScanner::TScanner(SourcePages& source) : Source(source)
{
    // A table built for another spelling would silently misread the robot words.
    KeyTable.EnsureCurrent();
}

bool TScanner::LoadLine()
{
    if (HaveLine)
        return true;
    if (ReadLine >= Source.LineCount())
        return false;
    Text = Source.Line(ReadLine);
    Text += ' ';  // every line end reads as a blank
    HaveLine = true;
    return true;
}

void TScanner::NextLine()
{
    ReadColumn = 1;
    ++ReadLine;
    HaveLine = false;
    Text.clear();
    compileProgress().ShowProgress(ReadLine);
}

int TScanner::PeekRawChar()
{
    if (!LoadLine())
        return 0;
    ZELK_ASSERT(ReadColumn >= 1 && static_cast<std::size_t>(ReadColumn) <= Text.size());
    const int c = static_cast<unsigned char>(Text[static_cast<std::size_t>(ReadColumn) - 1]);
    return c == 0 ? NulInLine : c;
}

int TScanner::ReadRawChar()
{
    const int c = PeekRawChar();
    if (c == 0)
        return 0;
    ++ReadColumn;
    if (static_cast<std::size_t>(ReadColumn) > Text.size())
        NextLine();
    return c;
}

bool TScanner::OnlyPaddingFollows() const
{
    auto padding = [](const std::string& line, std::size_t from) {
        for (std::size_t i = from; i < line.size(); ++i)
            if (!IsPadding(line[i]))
                return false;
        return true;
    };
    std::int32_t next = ReadLine;
    if (HaveLine) {
        if (!padding(Text, static_cast<std::size_t>(ReadColumn) - 1))
            return false;
        ++next;
    }
    for (std::int32_t line = next; line < Source.LineCount(); ++line)
        if (!padding(Source.Line(line), 0))
            return false;
    return true;
}

void TScanner::ReadChar()
{
    const int raw = ReadRawChar();
    if (raw == NulInLine && OnlyPaddingFollows()) {
        Ch = 0;  // a NUL with nothing after it ends the text quietly
        return;
    }
    const int c = FoldChar(raw);
    if (IsAllowedChar(c)) {
        Ch = c;
    } else {
        ScanError(MsgUnerlaubtesZeichen);
        Ch = 0;  // the rest of the text reads as its end
    }
}

void TScanner::ScanError(const char* message)
{
    ShowError(message);
    CurrentToken = ERROR;
}

void TScanner::NextToken()
{
    ScanToken();
    // Whatever the text, the parser gets one of the language's kinds, and
    // the reading position stays on the text or just past its end.
    ZELK_ASSERT(CurrentToken >= 1 && CurrentToken <= MaxTokenKind);
    ZELK_ASSERT(TokenLine <= ReadLine && ReadLine <= Source.LineCount());
}

void TScanner::ScanToken()
{
    TokenLine = ReadLine;
    for (;;) {
        while (Ch == ' ')
            ReadChar();
        const TCommentState comment = CommentOpenedBy(Ch, PeekRawChar());
        if (comment == TCommentState::None)
            break;
        ReadComment(comment);
    }
    // Ch is never the blank that ends a line, so it stands in ReadLine.
    WordLine = ReadLine;
    switch (Ch) {
    case 0: CurrentToken = END_OF_TEXT; return;
    // "(" sets its kind only after its look-ahead, so a refused character
    // after it leaves it a parenthesis.
    case '(': ReadChar(); CurrentToken = LEFT_PAREN; return;
    case ')': CurrentToken = RIGHT_PAREN; ReadChar(); return;
    case ',': CurrentToken = COMMA; ReadChar(); return;
    case '.': CurrentToken = PERIOD; ReadChar(); return;
    case ';': CurrentToken = SEMICOLON; ReadChar(); return;
    default: break;
    }
    if (IsLetter(Ch))
        ReadWord();
    else if (Ch == '*' || IsDigit(Ch) || Ch == '_')
        ScanError(MsgFalschesZeichen);
    else
        ScanError(MsgUnerwartetesEreignis);
}

void TScanner::ReadWord()
{
    std::string text;
    int n = 0;
    while (IsWordChar(Ch)) {
        if (n >= MaxWordLength) {
            // The character that would make the word too long stays in Ch.
            ScanError(MsgBezeichnerlaenge);
            return;
        }
        ++n;
        text += static_cast<char>(Ch);
        ReadChar();
    }
    ZELK_ASSERT(n <= MaxWordLength && !text.empty());
    if (!KeyTable.Lookup(text, CurrentToken)) {
        CurrentToken = IDENTIFIER;
        CurrentIdentifier = text;
    }
}

void TScanner::ReadComment(TCommentState kind)
{
    // Ch is the mark's first character; the rest of it is read raw.
    for (std::size_t i = 1; i < OpeningMarkLength(kind); ++i)
        ReadRawChar();
    if (PeekRawChar() == '$')
        ReadDirective();
    SkipComment(kind);
}

void TScanner::ReadDirective()
{
    ReadRawChar();  // the "$"
    if (PeekRawChar() == ' ')
        ReadRawChar();
    // Only an empty directive is known; any other is reported and skipped
    // like a comment. The character looked at is still the comment's.
    const int next = PeekRawChar();
    if (next != '*' && next != '}')
        ScanError(MsgUnbekannteDirektive);
}

// Comments are read raw, a line at a time: any byte, any number of lines.
void TScanner::SkipComment(TCommentState kind)
{
    for (;;) {
        if (!LoadLine()) {
            Ch = 0;
            ScanError(kind == TCommentState::InBraces ? MsgGeschweifteKlammerFehlt : MsgSternKlammerFehlt);
            return;
        }
        const std::size_t end = CommentEnd(Text, static_cast<std::size_t>(ReadColumn) - 1, kind);
        if (end != std::string::npos) {
            // A closing mark is never the blank that ends the line, so the
            // reading position stays in it.
            ReadColumn = static_cast<std::int32_t>(end) + 1;
            break;
        }
        NextLine();
    }
    ReadChar();
}
