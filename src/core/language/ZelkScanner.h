#pragma once
// The scanner: turns the lines of one source page into tokens. It reads the
// page through the source pages port line by line, keeping only the line it
// is in, and reports each finished line to the compile progress port.
#include <cstdint>
#include <string>

#include "language/ZelkKey.h"

class SourcePages;
enum class TCommentState : std::uint8_t;

// The scanner's results, shared with the parser.
extern TTokenKind CurrentToken;        // ERROR after a scanner message
extern std::string CurrentIdentifier;  // upper-case text of the last non-keyword word

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
    // The line where the current token's first character stands, after the
    // blanks and comments before it: where the learner sees the word.
    std::int32_t WordLine = 0;

private:
    void ScanToken();
    // Makes Text line ReadLine; false past the last line.
    bool LoadLine();
    // Leaves the finished line ReadLine; the progress port hears of it.
    void NextLine();
    // The byte the next ReadRawChar gives, without reading it.
    int PeekRawChar();
    int ReadRawChar();
    void ReadChar();
    // After a NUL: the rest of the text holds only NULs, blanks and line ends.
    bool OnlyPaddingFollows() const;
    void ReadWord();
    // Skips the comment or directive whose opening mark begins with Ch, and
    // reads the character after it into Ch.
    void ReadComment(TCommentState kind);
    void ReadDirective();
    void SkipComment(TCommentState kind);
    void ScanError(const char* message);

    SourcePages& Source;
    // The reading position: next character's line and column.
    std::int32_t ReadLine = 0;
    std::int32_t ReadColumn = 1;
    // The look-ahead character: a byte, or 0 at the end of the text.
    int Ch = ' ';
    std::string Text;       // line ReadLine with the blank that ends it
    bool HaveLine = false;  // Text holds line ReadLine
};
