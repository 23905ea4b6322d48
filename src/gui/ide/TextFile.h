#pragma once
// Program texts on disk: old files are 8-bit Windows-1252 with CRLF line
// ends, newer ones may be UTF-8. A file is read in whichever of the two its
// bytes fit and written back the same way, so that opening and saving a file
// never changes a character in it.
#include <QByteArray>
#include <QString>
#include <string>

#include "text/ProgramFile.h"
#include "text/TextCodec.h"

enum class TextEncoding {
    Windows1252,
    Utf8,
    Utf8Bom,  // UTF-8 that began with a byte order mark, written back with it
};

// Windows-1252, all 256 bytes: the five bytes the code page leaves unassigned
// stand for the control characters of the same number, so decoding and
// encoding are exact inverses.
QString DecodeWindows1252(const QByteArray& bytes);
// False when some character has no Windows-1252 byte.
bool FitsWindows1252(const QString& text);
// Characters without a Windows-1252 byte become UnrepresentableByte (an
// unassigned byte above 127, illegal outside comments like every such byte).
QByteArray EncodeWindows1252(const QString& text);
// One editor line as the scanner reads it.
std::string ToWindows1252(const QString& line);

// UTF-8 (with or without mark) when the bytes are valid UTF-8 and hold
// anything beyond ASCII; otherwise Windows-1252.
TextEncoding DetectEncoding(const QByteArray& bytes);

// The text of a file's bytes with every line break (CRLF, LF, a lone CR)
// turned into '\n'; the encoding it was read in goes to *encoding.
QString DecodeText(const QByteArray& bytes, TextEncoding* encoding = nullptr);
// The encoding a text is written in: the one it was read in, unless that is
// Windows-1252 and the text holds a character it cannot hold.
TextEncoding EncodingForSaving(const QString& text, TextEncoding readIn);
// The bytes of a text ('\n' line breaks) with CRLF line ends.
QByteArray EncodeText(const QString& text, TextEncoding encoding);

struct TextFileResult {
    bool ok = false;
    QString text;                                // '\n' line breaks
    TextEncoding encoding = TextEncoding::Windows1252;
    QString error;                               // why it failed, in German
};

TextFileResult ReadTextFile(const QString& path);
// Writes through SafeWriteFile: a failed write leaves the old file as it was,
// and anything but a regular file is refused. *encoding is the page's remembered encoding
// and becomes the one actually used.
bool WriteTextFile(const QString& path, const QString& text, TextEncoding* encoding,
                   QString* error = nullptr);
