#pragma once
// The editor window as the translator sees it, over text files read from
// disk: the program is page 0, and each unit the translator loads becomes the
// next page. Lines are kept as Windows-1252 bytes for the scanner.
#include <functional>
#include <string>
#include <vector>

#include "files/SafeRead.h"
#include "ports/SourcePages.h"

class FilePages : public SourcePages {
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

    int PageCount() const override;
    int SelectedPage() const override;
    void SelectPage(int index) override;
    std::string PageName(int index) const override;
    std::string CurrentPageName() const override;
    int IndexOfPage(const std::string& name) const override;
    bool AddPage(const std::string& name, const std::string& path) override;
    int LineCount() const override;
    std::string Line(int index) const override;
    void HighlightLine(int line) override;

private:
    struct Page {
        std::string name;
        std::string file;
        std::vector<std::string> lines;
    };
    std::vector<Page> pages_;
    int selected_ = -1;

    ReadResult LoadPage(const std::string& name, const std::string& path);
};

// The page name the editor gives a file: its name without folder and
// extension, lower case with the first letter upper case (Robo1 for
// ROBO1.PAS); only the letters A to Z change case.
std::string PageNameOfFile(const std::string& path);
