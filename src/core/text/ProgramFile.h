#pragma once
// Program and unit files on disk, as the editor and zelk-run both read them:
// a regular file of at most MaxProgramFileSize bytes, decoded from UTF-8 or
// Windows-1252 as its bytes fit, and written back in the same encoding.
#include <cstddef>
#include <string>
#include <string_view>

#include "files/SafeRead.h"
#include "files/SafeWrite.h"
#include "text/TextCodec.h"

// Files larger than this are refused: no program of at most 1000
// instructions comes near it, and the edit control needs over a second to
// lay out a line of a megabyte (more when it is all NUL bytes), so a larger
// binary file opened by mistake would freeze the program; zelk-run would
// spend memory and time on it for nothing.
constexpr std::size_t MaxProgramFileSize = 1024 * 1024;

// Why a larger file is refused, as the editor's box and zelk-run say it.
std::string TooLargeReason();

// The box's text when a file cannot be read or written: the file named,
// and below it the reason when one is known.
std::string FileFailureText(const std::string& path, bool writing, const std::string& reason);

// Why a read text is refused, or empty when it is not: a character that an
// editor would take for a line break (U+2029, U+FDD0, U+FDD1). Saving would
// write a line break for it, and every later line number would shift.
std::string LineBreakCharacterReason(std::string_view utf8);

// The file's text in UTF-8 with '\n' line breaks, and the encoding it was
// read in. Anything but Read leaves text empty.
ReadResult ReadProgramFile(const std::string& path, std::string& text, TextEncoding* encoding = nullptr);

// Writes a UTF-8 text ('\n' line breaks) with CRLF line ends. *encoding is
// the one the file was read in (Windows-1252 for a new file) and becomes the
// one actually used.
WriteResult WriteProgramFile(const std::string& path, const std::string& text, TextEncoding* encoding);
