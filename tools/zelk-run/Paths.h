#pragma once
// Paths as zelk-run hands them on: made absolute before the run changes the
// current directory, and split into folder and file name.
#include <string>

// path itself when it is absolute or empty, otherwise under the current directory.
std::string Absolute(const std::string& path);

// The file path names, through every link; path itself when that cannot be
// found out (nothing there, a link loop).
std::string Resolved(const std::string& path);

// The folder of path: "." for a bare name, "/" for a file in the root.
std::string FolderOf(const std::string& path);

// The name after the last '/'.
std::string BaseName(const std::string& path);
