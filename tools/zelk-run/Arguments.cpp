#include "Arguments.h"

#include <getopt.h>

#include "text/AsciiNames.h"

#ifndef ZELK_VERSION
#define ZELK_VERSION "unbekannt"
#endif

const char* const UsageLine =
    "Aufruf: zelk-run [--world DATEI.ROB] [--goal DATEI.ROB [--goal-supply]] [--no-underscore]\n"
    "                 [--max-steps N] [--listing] [--no-run] [--state] [--dump DATEI.ROB] PROGRAMM\n"
    "        zelk-run --task ORDNER [--goal-supply] [--csv DATEI] [--html DATEI]\n"
    "                 [--no-underscore] [--max-steps N] LÖSUNG...";

std::string HelpText()
{
    return std::string(UsageLine) + "\n"
        "\n"
        "Übersetzt das Zelk-Programm PROGRAMM und führt es ohne Fenster aus. Der Ordner\n"
        "von PROGRAMM wird das aktuelle Verzeichnis; Units und Arbeitsfelder, die das\n"
        "Programm nennt, werden dort gesucht. Jede Meldung, die das Fensterprogramm in\n"
        "einem Kasten zeigt, steht als eigene Zeile auf der Standardausgabe; wo es eine\n"
        "Zeile markieren würde, erhält die Standardfehlerausgabe DATEI:ZEILE: MELDUNG.\n"
        "\n"
        "Mit --task ORDNER läuft jede LÖSUNG auf jedem Startfeld des Ordners, jeder\n"
        "Lauf in einem eigenen Prozess. Jede Zelle der Tabelle heißt \"ok\", \"Ziel\n"
        "verfehlt\", \"Fehler: MELDUNG\", \"Schrittgrenze\" oder \"Übersetzungsfehler\n"
        "Zeile N\"; jede Zeile endet mit der Zahl ihrer ok-Zellen. Eine Lösung, die mit\n"
        "ARBEITSFELD ein eigenes Arbeitsfeld lädt, wird nicht ausgeführt (\"Fehler:\n"
        "lädt ein eigenes Arbeitsfeld\").\n"
        "\n"
        "Optionen:\n"
        "  --world DATEI.ROB  lädt vor dem Lauf das Arbeitsfeld aus DATEI.ROB\n"
        "  --no-underscore    übersetzt mit zusammengeschriebenen Wörtern (DREHELINKS\n"
        "                     statt DREHE_LINKS)\n"
        "  --max-steps N      beendet den Lauf nach N Anweisungen (Vorgabe 10000000)\n"
        "  --listing          gibt nach dem Übersetzen die Anweisungstabelle aus\n"
        "  --no-run           hält nach dem Übersetzen an\n"
        "  --state            gibt nach dem Lauf Zelks Zustand und das Arbeitsfeld aus\n"
        "  --dump DATEI.ROB   schreibt das Arbeitsfeld nach dem Lauf in DATEI.ROB\n"
        "  --goal DATEI.ROB   vergleicht das Arbeitsfeld nach dem Lauf mit dem Ziel in\n"
        "                     DATEI.ROB: Gegenstände auf jedem Feld, Zelks Feld und\n"
        "                     Richtung; jeder Unterschied steht auf einer eigenen Zeile\n"
        "  --goal-supply      vergleicht auch Zelks Vorrat mit dem Ziel\n"
        "  --task ORDNER      prüft jede LÖSUNG auf jedem Startfeld NAME.ROB in ORDNER\n"
        "                     gegen sein Zielfeld NAME.ziel.ROB und gibt eine Tabelle\n"
        "                     aus: je Lösung eine Zeile, je Feld eine Spalte\n"
        "  --csv DATEI        schreibt die Tabelle von --task auch als CSV (UTF-8, ;)\n"
        "  --html DATEI       schreibt die Tabelle von --task als HTML-Seite, mit Bildern\n"
        "                     von Endstand und Ziel für jeden misslungenen Lauf\n"
        "  -h, --help         zeigt diese Hilfe und endet\n"
        "  --version          zeigt die Version und endet\n"
        "Ein Wert darf auch mit = folgen (--world=DATEI.ROB). Nach -- ist jedes Wort\n"
        "PROGRAMM, auch eines, das mit - beginnt.\n"
        "\n"
        "Rückgabewert:\n"
        "  0   das Programm lief bis zu seinem Ende (oder --no-run)\n"
        "  1   ein Fehler im Quelltext, oder die Seite enthält eine Unit\n"
        "  2   ein Fehler von Zelk oder des Arbeitsfeldes oder ein Stapelfehler hielt\n"
        "      den Lauf an\n"
        "  3   die Schrittgrenze wurde erreicht\n"
        "  4   Ziel nicht erreicht: das Programm lief bis zu seinem Ende, aber das\n"
        "      Arbeitsfeld gleicht nicht dem Ziel; mit --task: nicht jeder Lauf war ok\n"
        "  64  falsche Argumente\n"
        "  66  PROGRAMM oder die Datei von --world oder --goal lässt sich nicht lesen,\n"
        "      oder der Ordner von --task ist keine vollständige Aufgabe\n"
        "  73  die Datei von --dump, --csv oder --html lässt sich nicht schreiben\n"
        "\n"
        "Mehr in der Handbuchseite: man zelk-run\n";
}

std::string VersionText()
{
    return "zelk-run (Zelk - der Roboter) " ZELK_VERSION "\n"
           "Übersetzt und startet Zelk-Programme ohne Fenster.\n";
}

namespace {

// Options without a short form get values past any character, so that a
// value never reads as a short option.
enum LongOnly {
    OptWorld = 256,
    OptDump,
    OptMaxSteps,
    OptNoUnderscore,
    OptListing,
    OptNoRun,
    OptState,
    OptVersion,
    OptGoal,
    OptGoalSupply,
    OptTask,
    OptCsv,
    OptHtml,
};

const option LongOptions[] = {
    {"world", required_argument, nullptr, OptWorld},
    {"dump", required_argument, nullptr, OptDump},
    {"max-steps", required_argument, nullptr, OptMaxSteps},
    {"no-underscore", no_argument, nullptr, OptNoUnderscore},
    {"listing", no_argument, nullptr, OptListing},
    {"no-run", no_argument, nullptr, OptNoRun},
    {"state", no_argument, nullptr, OptState},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, OptVersion},
    {"goal", required_argument, nullptr, OptGoal},
    {"goal-supply", no_argument, nullptr, OptGoalSupply},
    {"task", required_argument, nullptr, OptTask},
    {"csv", required_argument, nullptr, OptCsv},
    {"html", required_argument, nullptr, OptHtml},
    {nullptr, 0, nullptr, 0},
};

// ':' first: a missing value comes back as ':' rather than '?'.
const char ShortOptions[] = ":h";

// A step count: decimal digits only, so "-1", "1e6" and "10x" are refused
// rather than read as something the user did not mean.
bool ParseCount(const std::string& text, std::uint64_t& value)
{
    if (text.empty() || text.size() > 18)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

const option* OptionWithValue(int value)
{
    for (const option* o = LongOptions; o->name; ++o)
        if (o->val == value)
            return o;
    return nullptr;
}

// "--name" of a word such as "--name=value".
std::string LongName(const std::string& word)
{
    return word.substr(0, word.find('='));
}

// The long options that an abbreviated "--name" could mean, joined by ", ".
std::string Candidates(const std::string& dashedName, int& count)
{
    std::string prefix = dashedName.substr(2), list;
    count = 0;
    for (const option* o = LongOptions; o->name; ++o) {
        if (std::string(o->name).compare(0, prefix.size(), prefix) != 0)
            continue;
        list += (count++ ? ", --" : "--") + std::string(o->name);
    }
    return list;
}

// getopt's own messages are English: every refusal is worded here instead.
// word is the command-line word getopt refused on.
std::string Refusal(int result, int optopt, const std::string& word)
{
    const option* known = OptionWithValue(optopt);
    if (result == ':' && known)
        return "Option --" + std::string(known->name) + " braucht einen Wert";
    if (known && word.compare(0, 2, "--") == 0)
        return "Option --" + std::string(known->name) + " nimmt keinen Wert";
    if (optopt != 0)
        return "unbekannte Option -" + std::string(1, static_cast<char>(optopt));
    std::string name = LongName(word);
    int count = 0;
    std::string candidates = Candidates(name, count);
    if (count > 1)
        return "Option " + name + " ist mehrdeutig: " + candidates;
    return "unbekannte Option " + name;
}

// Where the value of an option that names a file or folder goes.
std::string* PathOption(int id, Arguments& args)
{
    switch (id) {
    case OptWorld: return &args.world;
    case OptDump: return &args.dump;
    case OptGoal: return &args.goal;
    case OptCsv: return &args.csv;
    case OptHtml: return &args.html;
    default: return &args.task;
    }
}

// The options a task's table cannot use, and whether one was given.
bool ClashesWithTask(const Arguments& args, std::string& option)
{
    const std::pair<bool, const char*> clashes[] = {
        {!args.world.empty(), "--world"}, {!args.goal.empty(), "--goal"}, {!args.dump.empty(), "--dump"},
        {args.state, "--state"},          {args.listing, "--listing"},    {!args.run, "--no-run"},
    };
    for (const auto& [given, name] : clashes)
        if (given) {
            option = name;
            return true;
        }
    return false;
}

bool EndsWithIgnoringCase(const std::string& name, const std::string& suffix)
{
    return name.size() >= suffix.size() &&
           EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - suffix.size()), suffix);
}

// A report never takes the name of a program or a work field: a pattern
// such as --csv klasse/*.pas would hand it the first solution to replace,
// and a report named .ROB in the task folder would read as a field later.
bool NamesProgramOrField(const std::string& path, const char* option, std::string& error)
{
    if (!EndsWithIgnoringCase(path, ".pas") && !EndsWithIgnoringCase(path, ".rob"))
        return false;
    error = std::string(option) + " darf keine .pas- oder .ROB-Datei sein: " + path;
    return true;
}

// Options that make sense only together with others.
bool CheckCombination(const Arguments& args, std::string& error)
{
    std::string option;
    if (NamesProgramOrField(args.csv, "--csv", error) || NamesProgramOrField(args.html, "--html", error))
        return false;
    if (!args.task.empty() && ClashesWithTask(args, option)) {
        error = "--task verträgt sich nicht mit " + option;
        return false;
    }
    if (args.task.empty() && (!args.csv.empty() || !args.html.empty())) {
        error = std::string(args.csv.empty() ? "--html" : "--csv") + " gehört zu --task";
        return false;
    }
    if (args.goalSupply && args.goal.empty() && args.task.empty()) {
        error = "--goal-supply gehört zu --goal oder --task";
        return false;
    }
    if (!args.goal.empty() && !args.run) {
        error = "--goal verträgt sich nicht mit --no-run";
        return false;
    }
    return true;
}

// Applies one recognised option; false with error when its value is unusable.
bool Apply(int id, const std::string& value, Arguments& args, std::string& error)
{
    switch (id) {
    case OptWorld:
    case OptDump:
    case OptGoal:
    case OptCsv:
    case OptHtml:
    case OptTask:
        if (value.empty()) {
            error = "Option --" + std::string(OptionWithValue(id)->name) +
                    (id == OptTask ? " braucht einen Ordner" : " braucht einen Dateinamen");
            return false;
        }
        *PathOption(id, args) = value;
        return true;
    case OptGoalSupply: args.goalSupply = true; return true;
    case OptMaxSteps:
        if (!ParseCount(value, args.maxSteps)) {
            error = "--max-steps braucht eine ganze Zahl ab 0, nicht \"" + value + "\"";
            return false;
        }
        return true;
    case OptNoUnderscore: args.underscore = false; return true;
    case OptListing: args.listing = true; return true;
    case OptNoRun: args.run = false; return true;
    case OptState: args.state = true; return true;
    case 'h': args.help = true; return true;
    case OptVersion: args.version = true; return true;
    }
    error = "unbekannte Option";
    return false;
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& words, Arguments& args, std::string& error)
{
    // getopt_long reorders the pointers (options may follow PROGRAMM) but
    // not the texts; it wants them writable all the same.
    std::vector<std::string> texts;
    texts.reserve(words.size() + 1);
    texts.push_back("zelk-run");
    texts.insert(texts.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(texts.size());

    opterr = 0;
    optind = 0;  // 0, not 1: glibc then forgets any earlier scan completely
    int result;
    while ((result = getopt_long(argc, argv.data(), ShortOptions, LongOptions, nullptr)) != -1) {
        if (result == '?' || result == ':') {
            error = Refusal(result, optopt, argv[optind - 1]);
            return false;
        }
        if (!Apply(result, optarg ? optarg : "", args, error))
            return false;
    }
    // A task checks many solutions; a plain run has one program.
    if (args.task.empty() && optind < argc - 1) {
        error = "mehr als ein PROGRAMM angegeben: " + std::string(argv[optind + 1]);
        return false;
    }
    args.programs.assign(argv.begin() + optind, argv.begin() + argc);
    if (!args.programs.empty())
        args.program = args.programs.front();
    else if (!args.help && !args.version) {
        error = args.task.empty() ? "PROGRAMM fehlt" : "keine LÖSUNG angegeben";
        return false;
    }
    return args.help || args.version || CheckCombination(args, error);
}
