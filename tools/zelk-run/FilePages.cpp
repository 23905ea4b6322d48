#include "FilePages.h"

#include "Paths.h"
#include "text/AsciiNames.h"
#include "text/ProgramFile.h"
#include "text/TextCodec.h"

std::string PageNameOfFile(const std::string& path)
{
    std::string name = BaseName(path);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return PageNameOf(name);
}

// The editor's limit holds here too: a unit it would refuse is refused.
ReadResult FilePages::LoadPage(const std::string& name, const std::string& path)
{
    std::string text;
    const ReadResult read = ReadProgramFile(path, text);
    if (read != ReadResult::Read)
        return read;
    // The scanner reads Windows-1252 bytes: a character without one arrives
    // as a byte above 127 and is refused outside comments.
    pages_.push_back({name, BaseName(path), SplitLines(Utf8ToWindows1252(text))});
    selected_ = static_cast<int>(pages_.size()) - 1;
    return ReadResult::Read;
}

ReadResult FilePages::LoadProgram(const std::string& path)
{
    pages_.clear();
    selected_ = -1;
    return LoadPage(PageNameOfFile(path), path);
}

std::string FilePages::FileName(int page) const
{
    return page >= 0 && page < PageCount() ? pages_[page].file : std::string();
}

int FilePages::PageCount() const { return static_cast<int>(pages_.size()); }
int FilePages::SelectedPage() const { return selected_; }

void FilePages::SelectPage(int index)
{
    if (index >= 0 && index < PageCount())
        selected_ = index;
}

std::string FilePages::PageName(int index) const
{
    return index >= 0 && index < PageCount() ? pages_[index].name : std::string();
}

std::string FilePages::CurrentPageName() const { return PageName(selected_); }

int FilePages::IndexOfPage(const std::string& name) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (EqualIgnoringAsciiCase(pages_[i].name, name))
            return i;
    return -1;
}

bool FilePages::AddPage(const std::string& name, const std::string& path)
{
    return LoadPage(name, path) == ReadResult::Read;
}

int FilePages::LineCount() const
{
    return selected_ >= 0 ? static_cast<int>(pages_[selected_].lines.size()) : 0;
}

std::string FilePages::Line(int index) const
{
    if (index < 0 || index >= LineCount())
        return std::string();
    return pages_[selected_].lines[index];
}

void FilePages::HighlightLine(int line)
{
    if (selected_ < 0 || !onHighlight)
        return;
    // The editor selects the last line for a line beyond it (the end of the
    // text after a final line break, for one).
    int last = LineCount() - 1;
    if (line > last)
        line = last;
    if (line < 0)
        line = 0;
    onHighlight(pages_[selected_].file, line);
}
