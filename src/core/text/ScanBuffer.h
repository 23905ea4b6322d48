#pragma once
// The text search behind find and replace: a scan of the editor's text from
// its selection, forwards or backwards, with case folding through one
// 256-entry table and an optional whole-word rule. It works on the UTF-16
// text the editor shows, line breaks counted as CR LF, so that its positions
// are the editor's own; characters are judged by their Windows-1252 byte,
// the code page program files are written in.
#include <array>
#include <bitset>
#include <optional>
#include <string_view>

struct SearchOptions {
    bool Down = true;  // off: upwards
    bool MatchCase = false;
    bool WholeWord = false;
};

// The characters that separate words: every 8-bit code but the digits and
// the plain letters A-Z, a-z. Umlauts, "ß" and everything from 128 up
// separate words, and so does a character without a Windows-1252 byte. So
// the whole word "links" is found in "drehe_links", but "vor" is not found
// in "vorne_frei", where a letter follows it.
extern const std::bitset<256> NonWordChars;
bool IsNonWordChar(char16_t c);

// Character code -> the code it is compared as: the identity, or, without
// match case, the upper case of the Windows-1252 code page, so that "ä"
// finds "Ä" and "š" finds "Š". "ß" and "µ" have no upper case there.
class CaseMap {
public:
    explicit CaseMap(bool matchCase);
    unsigned char operator[](unsigned char code) const { return map_[code]; }
    // A UTF-16 unit through the table: by its Windows-1252 byte where it has
    // one, otherwise as it is.
    char16_t Map(char16_t c) const;

private:
    std::array<unsigned char, 256> map_;
};

// The position of the first hit of text in buffer, scanning from the
// selection: downwards from just after it, upwards so that a hit ends at or
// before its start. A whole-word hit has a separator (or the text's edge)
// on both sides. No hit for an empty text or buffer.
std::optional<int> ScanBuffer(std::u16string_view buffer, int selStart, int selLength,
                              std::u16string_view text, const SearchOptions& options);
