#pragma once
// Program texts on disk are 8-bit Windows-1252 (old files) with CRLF line
// ends, or UTF-8 (newer ones); the scanner reads Windows-1252 bytes line by
// line. These are the conversions between a file's bytes, the text in UTF-8
// and the scanner's bytes, and the split into lines, shared by the editor,
// the command-line runner and the tests so that all read a file alike. A file
// is read in whichever of the two encodings its bytes fit and written back
// the same way, so that opening and saving a file never changes a character.
#include <string>
#include <string_view>
#include <vector>

// The byte a character without a Windows-1252 form becomes. 0x81 is
// unassigned in Windows-1252, so it never stands for a real character, and
// like every byte above 127 the scanner refuses it outside comments.
constexpr unsigned char UnrepresentableByte = 0x81;

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The character a Windows-1252 byte stands for. Every byte has one: the five
// the code page leaves unassigned stand for the control characters of the
// same number, so decoding and encoding are exact inverses.
char32_t CodePointOfWindows1252(unsigned char byte);
// True when the character has a Windows-1252 byte.
bool CodePointFitsWindows1252(char32_t cp);
// The Windows-1252 byte of a character; UnrepresentableByte when it has none.
unsigned char Windows1252OfCodePoint(char32_t cp);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF,
// no sequence cut off at the end.
bool IsValidUtf8(std::string_view bytes);
// Whether a file's bytes are read as UTF-8: valid UTF-8 that holds anything
// beyond ASCII. Anything else is Windows-1252 (plain ASCII is the same in
// both, and invalid UTF-8 is what old files look like).
bool IsUtf8Text(std::string_view bytes);
bool StartsWithUtf8ByteOrderMark(std::string_view bytes);

// The Windows-1252 bytes of UTF-8 text, each character without a byte (a
// byte order mark among them) as UnrepresentableByte. A byte that begins no
// well-formed sequence becomes UnrepresentableByte as well.
std::string Utf8ToWindows1252(std::string_view utf8);

enum class TextEncoding {
    Windows1252,
    Utf8,
    Utf8Bom,  // UTF-8 that began with a byte order mark, written back with it
};

// UTF-8 (with or without mark) when the bytes are valid UTF-8 and hold
// anything beyond ASCII; otherwise Windows-1252.
TextEncoding DetectEncoding(std::string_view bytes);
// Each byte as the character it stands for, in UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);
// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view utf8);

// The text of a file's bytes in UTF-8, with every line break (CRLF, LF, a
// lone CR) turned into '\n'; the encoding it was read in goes to *encoding.
std::string DecodeText(std::string_view bytes, TextEncoding* encoding = nullptr);
// The bytes a text is saved as. encoding is the one it was read in and
// becomes the one it is written in: the same, unless that is Windows-1252
// and the text holds a character it cannot hold, or bytes that would be read
// back as UTF-8.
std::string EncodeForSaving(std::string_view utf8, TextEncoding& encoding);
// The bytes of a UTF-8 text ('\n' line breaks) with CRLF line ends.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// Splits text into lines as the editor does: CR LF, LF and a lone CR each
// end a line. A text that ends with a line break has an empty last line.
std::vector<std::string> SplitLines(std::string_view text);
