#pragma once
// Program and unit files on disk, as the editor and zelk-run both read them.
#include <cstddef>
#include <string>

// Files larger than this are refused: no program of at most 1000
// instructions comes near it, and the edit control needs over a second to
// lay out a line of a megabyte (more when it is all NUL bytes), so a larger
// binary file opened by mistake would freeze the program; zelk-run would
// spend memory and time on it for nothing.
constexpr std::size_t MaxProgramFileSize = 1024 * 1024;

// Why a larger file is refused, as the editor's box and zelk-run say it.
std::string TooLargeReason();
