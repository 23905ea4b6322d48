#pragma once
// Names as the program compares them: unit, page and file names differ in
// case only in the letters A to Z, whatever else they hold. The same rule
// finds a file whose name is spelt in another case on a file system that
// tells cases apart.
#include <filesystem>
#include <string>
#include <string_view>

char LowerAscii(char c);
char UpperAscii(char c);
std::string LowerAscii(std::string s);
std::string UpperAscii(std::string s);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The page the editor shows a file or unit under: lower case with the first
// letter upper case (WERKZEUG and werkzeug are both the page Werkzeug).
std::string PageNameOf(std::string name);

// The name of the regular file in dir that is fileName in any spelling of
// its case; of several such, the first in byte order, so that the same one
// is taken every time. Empty when there is none or dir cannot be read.
std::string FindFileIgnoringCase(const std::filesystem::path& dir, const std::string& fileName);
