#pragma once
// Source pages held as texts in memory, for an editor that hands its pages
// in as lines (the browser page) and for tests and benchmarks. What a page
// is and which one is selected lives here; how a unit file becomes a page
// and what a selected line shows is the owner's.
#include <string>
#include <vector>

#include "ports/SourcePages.h"

class TextPages : public SourcePages {
public:
    struct Page {
        std::string name;
        std::vector<std::string> lines;  // Windows-1252, as the scanner reads them
    };
    std::vector<Page> pages;
    int selected = -1;

    int PageCount() const override;
    int SelectedPage() const override;
    void SelectPage(int index) override;         // an index out of range changes nothing
    std::string PageName(int index) const override;  // empty out of range
    std::string CurrentPageName() const override;
    int IndexOfPage(const std::string& name) const override;
    int LineCount() const override;              // 0 without a selected page
    std::string Line(int index) const override;  // empty out of range
};
