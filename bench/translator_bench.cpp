// How long a translation takes: a full table of 1000 instructions, a text
// of long comments (the scanner alone), a hostile text of ten megabytes of
// "(" that must end in a message, and a program that uses two units, all
// with their pages held in memory so that no file is read while timing.
//
//   cmake --build build --target translator_bench && build/translator_bench [seconds per case]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "execution/ZelkCode.h"
#include "language/ZelkParser.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "ports/TextPages.h"

namespace {

// The editor as the translator sees it, with every page already open, so
// units are found among the pages.
class BenchPages : public TextPages {
public:
    BenchPages() { selected = 0; }
    bool AddPage(const std::string&, const std::string&) override { return false; }
    void HighlightLine(int) override {}
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

// Translates the first page once untimed (the first run pays for fresh
// memory), then again and again for at least the given time. False when the
// result is not the expected one.
bool Measure(const char* name, BenchPages& pages, int expected, double seconds)
{
    CountingMessages messages;
    setSourcePages(&pages);
    setMessages(&messages);
    pages.selected = 0;
    int result = Compile();
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long translations = 0;
    double elapsed = 0;
    do {
        pages.selected = 0;
        result = Compile();
        ++translations;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    setSourcePages(nullptr);
    setMessages(nullptr);
    std::printf("%-36s %10.1f us per translation (%ld runs, result %d, %d instructions)\n", name,
                elapsed / translations * 1e6, translations, result, CodeCount);
    if (result != expected) {
        std::fprintf(stderr, "%s: result %d, expected %d (%s)\n", name, result, expected,
                     messages.last.c_str());
        return false;
    }
    return true;
}

BenchPages OnePage(std::vector<std::string> lines)
{
    BenchPages pages;
    pages.pages.push_back({"Bench", std::move(lines)});
    return pages;
}

std::vector<std::string> FullTable()
{
    std::vector<std::string> t{"PROGRAM Voll;", "PROCEDURE R; BEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;",
                               "BEGIN"};
    for (int i = 0; i < 124; ++i)  // 8 instructions each: 999 in all
        t.push_back("  WHILE VORNE_FREI AND NOT PLATZ_BELEGT DO VOR; R; { ein Kommentar }");
    t.push_back("END.");
    return t;
}

std::vector<std::string> Comments()
{
    std::vector<std::string> t{"PROGRAM Kommentare;", "BEGIN"};
    for (int i = 0; i < 10000; ++i)
        t.push_back("  VOR; (* " + std::string(80, 'x') + " *) { " + std::string(80, 'y') + " }");
    t.back() = "  VOR";
    t.push_back("END.");
    for (int i = 2; i < 10001; ++i)
        if (i % 100 != 0)
            t[std::size_t(i)].replace(2, 4, "    ");  // every hundredth line keeps its VOR
    return t;
}

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

std::vector<std::string> ProgramWithUnits(int procedures)
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
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    bool ok = true;

    BenchPages full = OnePage(FullTable());
    ok &= Measure("999-instruction program", full, 1, seconds);

    BenchPages comments = OnePage(Comments());
    ok &= Measure("10000 lines with comments (1.8 MB)", comments, 1, seconds);

    BenchPages parens = OnePage({"PROGRAM P; BEGIN IF " + std::string(10 << 20, '(')});
    ok &= Measure("10 MB of \"(\" after IF", parens, 0, seconds);

    BenchPages units = OnePage(ProgramWithUnits(35));
    units.pages.push_back({"Werkzeug", UnitText("Werkzeug", 10)});
    units.pages.push_back({"Hilfen", UnitText("Hilfen", 10)});
    ok &= Measure("program and two units (448 lines)", units, 1, seconds);
    return ok ? 0 : 1;
}
