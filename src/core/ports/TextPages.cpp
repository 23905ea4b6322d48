#include "ports/TextPages.h"

#include "text/AsciiNames.h"

int TextPages::PageCount() const { return static_cast<int>(pages.size()); }

int TextPages::SelectedPage() const { return selected; }

void TextPages::SelectPage(int index)
{
    if (index >= 0 && index < PageCount())
        selected = index;
}

std::string TextPages::PageName(int index) const
{
    return index >= 0 && index < PageCount() ? pages[index].name : std::string();
}

std::string TextPages::CurrentPageName() const { return PageName(selected); }

// Unit names are compared as the translator compares names: without
// regard to the case of ASCII letters.
int TextPages::IndexOfPage(const std::string& name) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (EqualIgnoringAsciiCase(pages[i].name, name))
            return i;
    return -1;
}

int TextPages::LineCount() const
{
    return selected >= 0 && selected < PageCount() ? static_cast<int>(pages[selected].lines.size()) : 0;
}

std::string TextPages::Line(int index) const
{
    return index >= 0 && index < LineCount() ? pages[selected].lines[index] : std::string();
}
