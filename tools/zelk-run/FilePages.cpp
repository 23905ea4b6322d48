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
    pages.push_back({name, SplitLines(Utf8ToWindows1252(text))});
    files_.push_back(BaseName(path));
    selected = PageCount() - 1;
    return ReadResult::Read;
}

ReadResult FilePages::LoadProgram(const std::string& path)
{
    pages.clear();
    files_.clear();
    selected = -1;
    return LoadPage(PageNameOfFile(path), path);
}

std::string FilePages::FileName(int page) const
{
    return page >= 0 && page < PageCount() ? files_[page] : std::string();
}

bool FilePages::AddPage(const std::string& name, const std::string& path)
{
    return LoadPage(name, path) == ReadResult::Read;
}

void FilePages::HighlightLine(int line)
{
    if (selected < 0 || !onHighlight)
        return;
    // The editor selects the last line for a line beyond it (the end of the
    // text after a final line break, for one).
    int last = LineCount() - 1;
    if (line > last)
        line = last;
    if (line < 0)
        line = 0;
    onHighlight(files_[selected], line);
}
