#pragma once
// Program and unit files as the editor would show them, handed to the scanner
// as Windows-1252 bytes: the scanner reads bytes, and a character that
// Windows-1252 cannot hold must still arrive as a byte above 127 so that it is
// refused outside comments.
#include <string>

// Windows-1252 text of a file's bytes: UTF-8 is decoded when the bytes are
// valid UTF-8 and hold a non-ASCII character (a leading byte order mark is
// dropped, as editors do); anything else already is Windows-1252.
std::string ToWindows1252(const std::string& bytes);
