// How long a translation takes: a full table of 1000 instructions, a text
// of long comments (the scanner alone) and a hostile text of ten megabytes
// of "(" that must end in a message.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "language/ZelkParser.h"
#include "ports/SourcePages.h"

namespace {

class BenchPages : public SourcePages {
public:
    std::vector<std::string> lines;
    int PageCount() const override { return 1; }
    int SelectedPage() const override { return 0; }
    void SelectPage(int) override {}
    std::string PageName(int) const override { return "Bench"; }
    std::string CurrentPageName() const override { return "Bench"; }
    int IndexOfPage(const std::string&) const override { return -1; }
    bool AddPage(const std::string&, const std::string&) override { return false; }
    int LineCount() const override { return int(lines.size()); }
    std::string Line(int index) const override { return lines[std::size_t(index)]; }
    void HighlightLine(int) override {}
};

void Measure(const char* name, std::vector<std::string> lines, int repeats)
{
    BenchPages pages;
    pages.lines = std::move(lines);
    setSourcePages(&pages);
    int result = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
        result = Compile();
    const auto end = std::chrono::steady_clock::now();
    setSourcePages(nullptr);
    const double us = std::chrono::duration<double, std::micro>(end - start).count() / repeats;
    std::printf("%-34s %10.1f us per translation (result %d, %d instructions)\n", name, us, result, CodeCount);
}

}  // namespace

int main()
{
    std::vector<std::string> full{"PROGRAM Voll;", "PROCEDURE R; BEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;",
                                  "BEGIN"};
    for (int i = 0; i < 124; ++i)  // 8 instructions each: 999 in all
        full.push_back("  WHILE VORNE_FREI AND NOT PLATZ_BELEGT DO VOR; R; { ein Kommentar }");
    full.push_back("END.");
    Measure("1000-instruction program", full, 200);

    std::vector<std::string> comments{"PROGRAM Kommentare;", "BEGIN"};
    for (int i = 0; i < 10000; ++i)
        comments.push_back("  VOR; (* " + std::string(80, 'x') + " *) { " + std::string(80, 'y') + " }");
    comments.back() = "  VOR";
    comments.push_back("END.");
    for (int i = 2; i < 10001; ++i)
        if (i % 100 != 0)
            comments[std::size_t(i)].replace(2, 4, "    ");  // every hundredth line keeps its VOR
    Measure("10000 lines with comments (1.8 MB)", comments, 5);

    Measure("10 MB of \"(\" after IF", {"PROGRAM P; BEGIN IF " + std::string(10 << 20, '(')}, 5);
    return 0;
}
