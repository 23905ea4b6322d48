#include "TaskFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Paths.h"
#include "text/AsciiNames.h"

namespace fs = std::filesystem;

namespace {

const std::string StartSuffix = ".rob";
const std::string GoalSuffix = ".ziel.rob";

bool EndsWithIgnoringCase(const std::string& name, const std::string& suffix)
{
    return name.size() > suffix.size() &&
           EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - suffix.size()), suffix);
}

struct Listing {
    std::vector<std::string> starts;  // file names
    std::vector<std::string> goals;
};

// Everything named *.ROB but a folder (links followed); false when the
// folder cannot be read. A pipe or a broken link is listed, so that reading
// it names the problem rather than the task going on without that field.
bool ListFolder(const std::string& folder, Listing& listing)
{
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    if (ec)
        return false;
    for (; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError) || !EndsWithIgnoringCase(name, StartSuffix))
            continue;
        (EndsWithIgnoringCase(name, GoalSuffix) ? listing.goals : listing.starts).push_back(name);
    }
    return true;
}

std::string Stem(const std::string& name, const std::string& suffix)
{
    return name.substr(0, name.size() - suffix.size());
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Compares two runs of digits by their value: leading zeros aside, the
// longer run is the larger number, and runs of one length compare as text.
int CompareNumbers(const std::string& a, std::size_t& i, const std::string& b, std::size_t& j)
{
    auto run = [](const std::string& s, std::size_t& k) {
        while (k < s.size() && s[k] == '0' && k + 1 < s.size() && IsDigit(s[k + 1]))
            ++k;
        const std::size_t start = k;
        while (k < s.size() && IsDigit(s[k]))
            ++k;
        return std::string_view(s).substr(start, k - start);
    };
    const std::string_view x = run(a, i), y = run(b, j);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y) < 0 ? -1 : x.compare(y) > 0 ? 1 : 0;
}

// Letter case aside, with numbers in their order (reihe2 before reihe10).
int CompareNatural(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            if (const int c = CompareNumbers(a, i, b, j))
                return c;
            continue;
        }
        const char x = LowerAscii(a[i]), y = LowerAscii(b[j]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        ++i;
        ++j;
    }
    return (i < a.size()) - (j < b.size());
}

// Columns in an order a reader expects: numbers by value and letter case
// aside, then byte order so that the order never depends on the file system.
bool ByName(const std::string& a, const std::string& b)
{
    const int c = CompareNatural(a, b);
    return c != 0 ? c < 0 : a < b;
}

// The goal of a start field: the one of the same stem exactly, else the only
// one whose stem differs in case. Empty with the candidates when there are
// several, empty alone when there is none.
std::string GoalOf(const std::string& stem, const std::vector<std::string>& goals,
                   std::vector<std::string>& candidates)
{
    for (const std::string& goal : goals)
        if (Stem(goal, GoalSuffix) == stem)
            return goal;
    for (const std::string& goal : goals)
        if (EqualIgnoringAsciiCase(Stem(goal, GoalSuffix), stem))
            candidates.push_back(goal);
    return candidates.size() == 1 ? candidates.front() : std::string();
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool ReadField(const std::string& what, const std::string& folder, const std::string& name,
               WorldState& world, std::string& path, std::vector<std::string>& problems)
{
    path = Absolute(folder + "/" + name);
    std::string reason;
    if (ReadWorldFile(path, world, reason))
        return true;
    problems.push_back(what + " " + name + ": " + reason);
    return false;
}

}  // namespace

bool LoadTask(const std::string& folder, Task& task, std::vector<std::string>& problems)
{
    task = Task();
    task.folder = folder;
    Listing listing;
    if (!ListFolder(folder, listing)) {
        problems.push_back("Aufgabenordner kann nicht gelesen werden: " + folder);
        return false;
    }
    if (listing.starts.empty()) {
        problems.push_back("Aufgabenordner enthält kein Startfeld (NAME.ROB neben NAME.ziel.ROB): " + folder);
        return false;
    }
    std::sort(listing.starts.begin(), listing.starts.end(), ByName);
    std::sort(listing.goals.begin(), listing.goals.end(), ByName);
    std::vector<bool> goalUsed(listing.goals.size(), false);
    for (const std::string& start : listing.starts) {
        TaskField field;
        field.name = Stem(start, StartSuffix);
        std::vector<std::string> candidates;
        const std::string goal = GoalOf(field.name, listing.goals, candidates);
        if (goal.empty()) {
            problems.push_back(candidates.empty()
                                   ? "Startfeld " + start + " hat kein Zielfeld " + field.name + ".ziel.ROB"
                                   : "Startfeld " + start + " hat mehrere Zielfelder: " + Joined(candidates));
            continue;
        }
        goalUsed[std::find(listing.goals.begin(), listing.goals.end(), goal) - listing.goals.begin()] = true;
        const bool read = ReadField("Startfeld", folder, start, field.start, field.startPath, problems);
        if (ReadField("Zielfeld", folder, goal, field.goal, field.goalPath, problems) && read)
            task.fields.push_back(field);
    }
    for (std::size_t i = 0; i < listing.goals.size(); ++i)
        if (!goalUsed[i])
            task.notes.push_back("Zielfeld ohne Startfeld übergangen: " + listing.goals[i]);
    return problems.empty();
}
