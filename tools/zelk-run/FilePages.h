#pragma once
// The editor window as the translator sees it, over text files read from
// disk: the program is page 0, and each unit the translator loads becomes the
// next page. Lines are kept as Windows-1252 bytes for the scanner.
#include <functional>
#include <string>
#include <vector>

#include "files/SafeRead.h"
#include "ports/TextPages.h"

class FilePages : public TextPages {
public:
    // Told each time a line is selected, as the editor would select it: the
    // file of the selected page (without folder) and the 0-based line.
    std::function<void(const std::string& file, int line)> onHighlight;

    // Loads the program file as page 0 and selects it; anything but Read
    // tells why it could not be.
    ReadResult LoadProgram(const std::string& path);

    // Name of the file behind a page, without folder: the program file as
    // given, a unit file as found. Empty for an index without a page.
    std::string FileName(int page) const;

    bool AddPage(const std::string& name, const std::string& path) override;
    void HighlightLine(int line) override;

private:
    std::vector<std::string> files_;  // by page

    ReadResult LoadPage(const std::string& name, const std::string& path);
};

// The page name the editor gives a file: its name without folder and
// extension, lower case with the first letter upper case (Robo1 for
// ROBO1.PAS); only the letters A to Z change case.
std::string PageNameOfFile(const std::string& path);
