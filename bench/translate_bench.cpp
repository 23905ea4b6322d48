// Translation speed: a generated program of about a thousand instructions
// with two units, translated again and again through Compile with its pages
// held in memory. Prints translations per second.
//
//   cmake --build build --target translate_bench && build/translate_bench [seconds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "language/ZelkKey.h"
#include "language/ZelkOptions.h"
#include "language/ZelkParser.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"

namespace {

// The editor as the translator sees it, with every page already open, so the
// units are found among the pages and no file is read while timing.
class BenchPages : public SourcePages {
public:
    struct Page {
        std::string name;
        std::vector<std::string> lines;
    };
    std::vector<Page> pages;
    int selected = 0;

    int PageCount() const override { return static_cast<int>(pages.size()); }
    int SelectedPage() const override { return selected; }
    void SelectPage(int index) override
    {
        if (index >= 0 && index < PageCount())
            selected = index;
    }
    std::string PageName(int index) const override { return pages.at(index).name; }
    std::string CurrentPageName() const override { return PageName(selected); }
    int IndexOfPage(const std::string& name) const override
    {
        for (int i = 0; i < PageCount(); ++i)
            if (Upper(pages[i].name) == Upper(name))
                return i;
        return -1;
    }
    bool AddPage(const std::string&, const std::string&) override { return false; }
    int LineCount() const override { return static_cast<int>(pages[selected].lines.size()); }
    std::string Line(int index) const override { return pages[selected].lines.at(index); }
    void HighlightLine(int) override {}

private:
    static std::string Upper(std::string s)
    {
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return s;
    }
};

class CountingMessages : public Messages {
public:
    int shown = 0;
    std::string last;
    MsgAnswer Show(MsgIcon, const std::string&, const std::string& text, MsgButtons) override
    {
        ++shown;
        last = text;
        return MsgAnswer::Ok;
    }
};

// A unit with procedures and functions whose bodies mix commands, loops and
// conditions, the way learners' tool units look.
std::vector<std::string> UnitText(const std::string& name, int procedures)
{
    std::vector<std::string> t = {"UNIT " + name + ";", "INTERFACE"};
    for (int p = 0; p < procedures; ++p)
        t.push_back("PROCEDURE " + name + "P" + std::to_string(p) + ";");
    t.push_back("FUNCTION " + name + "Frei;");
    t.push_back("IMPLEMENTATION");
    t.push_back("FUNCTION " + name + "Frei;");
    t.push_back("BEGIN");
    t.push_back("  RETURN VORNE_FREI AND NOT (PLATZ_BELEGT OR LINKS_FREI)");
    t.push_back("END;");
    for (int p = 0; p < procedures; ++p) {
        t.push_back("PROCEDURE " + name + "P" + std::to_string(p) + ";");
        t.push_back("{ step " + std::to_string(p) + " of the tool unit }");
        t.push_back("BEGIN");
        t.push_back("  WHILE " + name + "FREI DO VOR;");
        t.push_back("  IF HAT_VORRAT THEN GIB_AB ELSE NIMM_AUF;");
        t.push_back("  REPEAT DREHE_LINKS UNTIL NORDWAERTS OR WESTWAERTS;");
        t.push_back("  DREHE_LINKS; DREHE_LINKS; VOR");
        t.push_back("END;");
    }
    t.push_back("END.");
    return t;
}

std::vector<std::string> ProgramText(int procedures)
{
    std::vector<std::string> t = {"PROGRAM Bench;", "USES Werkzeug, Hilfen;"};
    for (int p = 0; p < procedures; ++p) {
        t.push_back("PROCEDURE Schritt" + std::to_string(p) + ";");
        t.push_back("BEGIN");
        t.push_back("  IF RECHTS_FREI THEN BEGIN WERKZEUGP" + std::to_string(p % 10) + "; VOR END");
        t.push_back("  ELSE HILFENP" + std::to_string(p % 10) + ";");
        t.push_back("  WHILE NOT (VORNE_FREI AND HAT_VORRAT) DO DREHE_LINKS");
        t.push_back("END;");
    }
    t.push_back("BEGIN");
    for (int p = 0; p < procedures; ++p)
        t.push_back("  SCHRITT" + std::to_string(p) + ";");
    t.push_back("  ABSCHALTEN");
    t.push_back("END.");
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    Underscore = true;
    RebuildKeyTable();

    BenchPages pages;
    pages.pages.push_back({"Bench", ProgramText(35)});
    pages.pages.push_back({"Werkzeug", UnitText("Werkzeug", 10)});
    pages.pages.push_back({"Hilfen", UnitText("Hilfen", 10)});
    CountingMessages messages;
    setSourcePages(&pages);
    setMessages(&messages);

    pages.selected = 0;
    int result = Compile();
    if (result != 1 || messages.shown != 0) {
        std::fprintf(stderr, "the generated program does not translate (%d): %s\n", result, messages.last.c_str());
        return 1;
    }
    size_t lines = 0;
    for (const auto& p : pages.pages)
        lines += p.lines.size();
    std::printf("program: %d instructions from %zu lines on 3 pages\n", CodeCount, lines);

    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    long translations = 0;
    double elapsed = 0;
    do {
        for (int i = 0; i < 100; ++i) {
            pages.selected = 0;
            result = Compile();
        }
        translations += 100;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    if (result != 1)
        return 1;
    std::printf("%ld translations in %.2f s: %.0f translations/s, %.1f us each\n", translations, elapsed,
                translations / elapsed, elapsed / translations * 1e6);
    setSourcePages(nullptr);
    setMessages(nullptr);
    return 0;
}
