// Fuzzing the translator: any bytes, split into up to four pages (A, B, C
// and the main page) at each "\n@@\n", must translate without a crash, a
// hang or a call that leads nowhere.
//
//   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZELK_FUZZ=ON
//   cmake --build build-fuzz --target translator_fuzz
//   (cd "$(mktemp -d)" && "$OLDPWD"/build-fuzz/translator_fuzz -max_len=4096)
#include <cstdint>
#include <cstdlib>
#include <strings.h>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "language/ZelkParser.h"
#include "ports/SourcePages.h"

namespace {

class FuzzPages : public SourcePages {
public:
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> lines;
    int selected = 0;

    int PageCount() const override { return int(names.size()); }
    int SelectedPage() const override { return selected; }
    void SelectPage(int index) override
    {
        if (index >= 0 && index < PageCount())
            selected = index;
    }
    std::string PageName(int index) const override { return names.at(std::size_t(index)); }
    std::string CurrentPageName() const override { return PageName(selected); }
    int IndexOfPage(const std::string& name) const override
    {
        for (int i = 0; i < PageCount(); ++i)
            if (strcasecmp(names[std::size_t(i)].c_str(), name.c_str()) == 0)
                return i;
        return -1;
    }
    bool AddPage(const std::string&, const std::string&) override { return false; }
    int LineCount() const override { return int(lines.at(std::size_t(selected)).size()); }
    std::string Line(int index) const override
    {
        return lines.at(std::size_t(selected)).at(std::size_t(index));
    }
    void HighlightLine(int line) override
    {
        if (line < 0 || line >= LineCount())
            std::abort();  // an error must select a line of its page
    }
};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    FuzzPages pages;
    std::size_t start = 0;
    const char* const names[] = {"A", "B", "C", "Main"};
    for (int i = 0; i < 4; ++i) {
        std::size_t end = i == 3 ? std::string::npos : input.find("\n@@\n", start);
        if (end == std::string::npos) {
            pages.names.push_back(names[3]);
            pages.lines.push_back(SplitLines(input.substr(start)));
            break;
        }
        pages.names.push_back(names[i]);
        pages.lines.push_back(SplitLines(input.substr(start, end - start)));
        start = end + 4;
    }
    pages.selected = pages.PageCount() - 1;
    setSourcePages(&pages);
    const int result = Compile();
    setSourcePages(nullptr);
    if (result == 1 || result == 2) {
        // A translated table holds only targets inside itself, operands its
        // operations know, and lines the run can select on their pages.
        // (A unit cut short by a scanner message may have no code at all.)
        if (result == 1 && (CodeCount < 2 || Code[0].Op != opJump))
            std::abort();
        for (int i = 0; i < CodeCount; ++i) {
            const TInstruction& in = Code[i];
            if (in.Op > opArbeitsfeld || in.Page < 0 || in.Page >= pages.PageCount())
                std::abort();
            if ((in.Op == opCall || in.Op == opJump || in.Op == opJumpIfFalse) &&
                (in.Arg == 0 || in.Arg > CodeCount))
                std::abort();
            if ((in.Op == opTest && in.Arg > 8) || (in.Op == opLogic && in.Arg > 2) ||
                (in.Op == opArbeitsfeld && in.Arg >= WorkFieldCount))
                std::abort();
            const bool shown = in.Op == opTest || in.Op == opCall || in.Op == opArbeitsfeld ||
                               (in.Op >= opVor && in.Op <= opAbschalten);
            if (shown && (in.Line < 0 || in.Line >= int(pages.lines[std::size_t(in.Page)].size())))
                std::abort();
        }
    }
    return 0;
}
