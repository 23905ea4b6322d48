#include "Session.h"

#include <algorithm>
#include <filesystem>

#include "execution/ZelkCode.h"
#include "language/ZelkKey.h"

Session::Session()
{
    setSourcePages(&pages);
    setMessages(&messages);
    setWorldDisplay(&display);
    setRunControl(&run);
    display.run = &run;
    pages.run = &run;
    run.FeldPanelAnzeige = [this] { return display.feldPanel; };
    RebuildKeyTable();
}

void PagePages::SetPage(int index, const std::string& name, const std::string& utf8)
{
    if (index < 0 || index > PageCount())
        return;
    std::vector<std::string> lines = SplitLines(Utf8ToWindows1252(utf8));
    if (index == PageCount())
        pages.push_back({name, std::move(lines)});
    else {
        pages[index].name = name;
        pages[index].lines = std::move(lines);
    }
    if (selected < 0)
        selected = index;
}

void PagePages::KeepPages(int count)
{
    if (count < 0 || count >= PageCount())
        return;
    pages.resize(count);
    if (breakpointsNow_.size() > pages.size())
        breakpointsNow_.resize(pages.size());
    if (selected >= count)
        selected = count - 1;
    if (markPage >= count)
        markPage = markLine = -1;
}

std::vector<int>& PagePages::BreakpointsNow(int page)
{
    if (breakpointsNow_.size() < pages.size())
        breakpointsNow_.resize(pages.size());
    return breakpointsNow_.at(page);
}

// The translator found no open page for a unit and a file for it in the
// working folder: it becomes a page, read as the desktop reads a file.
bool PagePages::AddPage(const std::string& name, const std::string& path)
{
    std::string text;
    if (ReadProgramFile(path, text) != ReadResult::Read)
        return false;
    pages.push_back({name, SplitLines(Utf8ToWindows1252(text))});
    selected = PageCount() - 1;
    added.push_back({name, text, std::filesystem::path(path).filename().string()});
    return true;
}

// As on the desktop: a breakpoint on a line without an instruction moves to
// the next line of its page that has one, or goes when none follows. The
// run's breakpoints are then the editor's, on the lines just translated.
void PagePages::Translated()
{
    ++translations;
    if (!run)
        return;
    TBreakpoints& breakpoints = run->Breakpoints();
    breakpoints.Clear();
    for (int page = 0; page < PageCount(); ++page) {
        std::vector<int>& lines = BreakpointsNow(page);
        if (std::find(TranslatedPages.begin(), TranslatedPages.end(), page) != TranslatedPages.end()) {
            const std::vector<int> stopLines = StopLines(page);
            std::vector<int> moved;
            for (const int line : lines) {
                const int target = StopLineFrom(stopLines, line);
                if (target >= 0 && std::find(moved.begin(), moved.end(), target) == moved.end())
                    moved.push_back(target);
            }
            std::sort(moved.begin(), moved.end());
            lines = moved;
        }
        breakpoints.SetPage(page, lines);
    }
}

Session& S()
{
    static Session session;
    return session;
}


// JSON text of a UTF-8 string.
std::string JsonQuoted(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

