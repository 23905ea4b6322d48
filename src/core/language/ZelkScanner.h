#pragma once
// The scanner: turns the lines of one source page into tokens. It reads the
// page through the source pages port line by line, keeping only the line it
// is in, and reports each finished line to the compile progress port.
#include <cstdint>
#include <string>

#include "language/ZelkKey.h"

class SourcePages;

// The scanner's results, shared with the parser.
extern TTokenKind CurrentToken;        // ERROR after a scanner message
extern std::string CurrentIdentifier;  // upper-case text of the last non-keyword word

// Longest word; the next word character is an error.
constexpr int MaxWordLength = 81;

// The seven scanner messages, exactly as shown.
extern const char* const MsgUnerlaubtesZeichen;      // "Unerlaubtes Zeichen "
extern const char* const MsgBezeichnerlaenge;        // "Bezeichnerlänge überschritten!"
extern const char* const MsgFalschesZeichen;         // "Falsches Zeichen am Beginn eines Wortes."
extern const char* const MsgUnerwartetesEreignis;    // "Unerwartetes Ereignis ?"
extern const char* const MsgUnbekannteDirektive;     // "Unbekannte Compilerdirektive"
extern const char* const MsgGeschweifteKlammerFehlt; // " } fehlt !"
extern const char* const MsgSternKlammerFehlt;       // " *) fehlt !"

class TScanner {
public:
    // Reads the selected page of source whenever it reads; the translator
    // keeps that page selected while this scanner is in use.
    explicit TScanner(SourcePages& source);
    TScanner(const TScanner&) = delete;
    TScanner& operator=(const TScanner&) = delete;

    // Reads the next token into CurrentToken (and CurrentIdentifier).
    void NextToken();

    // The line at which the scan of the current token began: taken before
    // blanks and comments are skipped.
    std::int32_t TokenLine = 0;

    // The reading position, for tests: next character's line and column.
    std::int32_t ReadLine = 0;
    std::int32_t ReadColumn = 1;
    // The look-ahead character: a byte, or 0 at the end of the text.
    int Ch = ' ';

private:
    int ReadRawChar();
    void ReadChar();
    // After a NUL: the rest of the text holds only NULs, blanks and line ends.
    bool OnlyPaddingFollows() const;
    void ReadWord();
    bool ReadParen();   // true for a parenthesis, false for a comment
    void ReadCommentOrDirective(char kind);
    void SkipComment(char kind);
    void ScanError(const char* message);

    SourcePages& Source;
    std::string Text;       // line ReadLine with the blank that ends it
    bool HaveLine = false;  // Text holds line ReadLine
};
