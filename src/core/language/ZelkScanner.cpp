#include "language/ZelkScanner.h"

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

bool IsLetter(int c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsWordChar(int c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// Tested after folding, so only upper-case letters remain.
bool IsAllowed(int c)
{
    switch (c) {
    case 0: case ' ': case '(': case ')': case '*': case ',': case '.':
    case ';': case '_': case '{': case '}':
        return true;
    default:
        return IsWordChar(c);
    }
}

// What may follow a NUL that ends the text: some old editors pad a file
// with NUL bytes, and blanks or line ends may stand among them.
bool IsPadding(char c) { return c == '\0' || c == ' ' || c == '\t'; }

int Fold(int c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    if (c == '\t')
        return ' ';
    return c;
}

}  // namespace

TScanner::TScanner(SourcePages& source) : Source(source)
{
    // A table built for another spelling would silently misread the robot words.
    KeyTable.EnsureCurrent();
}

int TScanner::ReadRawChar()
{
    if (!HaveLine) {
        if (ReadLine >= Source.LineCount())
            return 0;
        Text = Source.Line(ReadLine);
        Text += ' ';  // every line end reads as a blank
        HaveLine = true;
    }
    ZELK_ASSERT(ReadColumn >= 1 && static_cast<std::size_t>(ReadColumn) <= Text.size());
    int c = static_cast<unsigned char>(Text[static_cast<std::size_t>(ReadColumn) - 1]);
    if (c == 0)
        c = NulInLine;
    ++ReadColumn;
    if (static_cast<std::size_t>(ReadColumn) > Text.size()) {
        ReadColumn = 1;
        ++ReadLine;
        HaveLine = false;
        Text.clear();
        compileProgress().ShowProgress(ReadLine);
    }
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
    const int c = Fold(raw);
    if (IsAllowed(c)) {
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
        if (Ch == '{') {
            ReadCommentOrDirective('{');
            continue;
        }
        if (Ch == '(') {
            WordLine = ReadLine;
            if (ReadParen())
                return;
            continue;
        }
        break;
    }
    // Ch is never the blank that ends a line, so it stands in ReadLine.
    WordLine = ReadLine;
    switch (Ch) {
    case 0: CurrentToken = END_OF_TEXT; return;
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

bool TScanner::ReadParen()
{
    ReadChar();
    if (Ch == '*') {
        ReadCommentOrDirective('*');
        return false;
    }
    CurrentToken = LEFT_PAREN;
    return true;
}

void TScanner::ReadCommentOrDirective(char kind)
{
    Ch = ReadRawChar();
    if (Ch == '$') {
        // Only an empty directive is known; any other is reported and skipped.
        Ch = ReadRawChar();
        if (Ch == ' ')
            Ch = ReadRawChar();
        if (Ch != '*' && Ch != '}')
            ScanError(MsgUnbekannteDirektive);
    }
    SkipComment(kind);
}

// Comments are read raw: any byte, any number of lines, no nesting.
void TScanner::SkipComment(char kind)
{
    if (kind == '{') {
        while (Ch != '}') {
            Ch = ReadRawChar();
            if (Ch == 0) {
                ScanError(MsgGeschweifteKlammerFehlt);
                return;
            }
        }
    } else {
        for (;;) {
            if (Ch == '*') {
                Ch = ReadRawChar();
                if (Ch == ')')
                    break;
            } else {
                Ch = ReadRawChar();
                if (Ch == 0) {
                    ScanError(MsgSternKlammerFehlt);
                    return;
                }
            }
        }
    }
    ReadChar();
}
