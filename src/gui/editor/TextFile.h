#pragma once
// Program texts on disk as the editor sees them: the core reads, decodes,
// encodes and writes them (text/ProgramFile); here they become the editor's
// QString and its German reasons for a file that cannot be read or written.
#include <QString>
#include <string>

#include "text/ProgramFile.h"
#include "text/TextCodec.h"

// One editor line as the scanner reads it: Windows-1252, a character without
// a byte as UnrepresentableByte (illegal outside comments like every byte
// above 127).
std::string ToWindows1252(const QString& line);

struct TextFileResult {
    bool ok = false;
    QString text;                                // '\n' line breaks
    TextEncoding encoding = TextEncoding::Windows1252;
    QString error;                               // why it failed, in German
};

TextFileResult ReadTextFile(const QString& path);
// Writes through the core's safe writer: a failed write leaves the old file
// as it was, and anything but a regular file is refused. *encoding is the
// page's remembered encoding and becomes the one actually used.
bool WriteTextFile(const QString& path, const QString& text, TextEncoding* encoding,
                   QString* error = nullptr);
