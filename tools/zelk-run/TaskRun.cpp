#include "TaskRun.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <sstream>

#include "ChildRuns.h"
#include "HtmlReport.h"
#include "Paths.h"
#include "Runner.h"
#include "TaskFolder.h"
#include "TaskTable.h"
#include "files/SafeWrite.h"

namespace {

// What a child sends back: its outcome and, where a field was loaded, the
// world the run ended in.
struct CellReport {
    RunOutcome outcome;
    bool hasWorld = false;
    WorldState world;
};

void PutInt(std::string& bytes, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutText(std::string& bytes, const std::string& text)
{
    PutInt(bytes, static_cast<std::uint32_t>(text.size()));
    bytes += text;
}

std::string Encode(const CellReport& report)
{
    const RunOutcome& o = report.outcome;
    std::string bytes;
    bytes += static_cast<char>(o.status);
    bytes += static_cast<char>((o.ownWorkField ? 1 : 0) | (o.unit ? 2 : 0) | (report.hasWorld ? 4 : 0));
    PutInt(bytes, static_cast<std::uint32_t>(o.line));
    PutText(bytes, o.message);
    PutText(bytes, o.file);
    if (report.hasWorld) {
        const RobRecord r = RobKodieren(report.world.robot, report.world.grid);
        bytes.append(reinterpret_cast<const char*>(r.data()), r.size());
    }
    return bytes;
}

// Reads what Encode wrote; false for anything else.
class Decoder {
public:
    explicit Decoder(const std::string& bytes) : bytes_(bytes) {}

    bool Decode(CellReport& report)
    {
        RunOutcome& o = report.outcome;
        std::uint32_t line = 0;
        if (bytes_.size() < 2)
            return false;
        o.status = static_cast<unsigned char>(bytes_[0]);
        const unsigned flags = static_cast<unsigned char>(bytes_[1]);
        at_ = 2;
        if (!Int(line) || !Text(o.message) || !Text(o.file) || line > 0x7FFFFFFF)
            return false;
        o.line = static_cast<int>(line);
        o.ownWorkField = flags & 1;
        o.unit = flags & 2;
        report.hasWorld = flags & 4;
        if (!report.hasWorld)
            return at_ == bytes_.size();
        return bytes_.size() - at_ == RobDateiGroesse &&
               RobDekodieren(std::string_view(bytes_).substr(at_), report.world.robot, report.world.grid) ==
                   RobLesen::Gelesen;
    }

private:
    const std::string& bytes_;
    std::size_t at_ = 0;

    bool Int(std::uint32_t& v)
    {
        if (bytes_.size() - at_ < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += 4;
        return true;
    }

    bool Text(std::string& text)
    {
        std::uint32_t size = 0;
        if (!Int(size) || bytes_.size() - at_ < size)
            return false;
        text = bytes_.substr(at_, size);
        at_ += size;
        return true;
    }
};

// One cell, run in its child: the solution on the start field, as a plain
// run would go, but without a work field of its own.
std::string RunCell(const Arguments& args, const std::string& solution, const TaskField& field)
{
    Arguments cell;
    cell.program = solution;
    cell.programs = {solution};
    cell.world = field.startPath;
    cell.underscore = args.underscore;
    cell.maxSteps = args.maxSteps;
    cell.refuseOwnWorkField = true;
    // A solution handed in as a link has its units beside the file itself.
    cell.folder = FolderOf(Resolved(solution));
    std::ostringstream out, err;  // the table says what matters
    CellReport report;
    try {
        RunZelk(cell, out, err, &report.outcome);
    } catch (const std::bad_alloc&) {
        report.outcome = RunOutcome{StatusNoMemory, false, false, "nicht genug Speicher", "", 0};
    } catch (const std::exception& e) {
        report.outcome = RunOutcome{StatusInternal, false, false, std::string("interner Fehler: ") + e.what(), "", 0};
    }
    // Only a run that could not read its program has no world of the task.
    report.hasWorld = report.outcome.status == StatusEnded || report.outcome.status == StatusSourceError ||
                      report.outcome.status == StatusHalted || report.outcome.status == StatusStepLimit;
    if (report.hasWorld)
        report.world = CurrentWorld();
    return Encode(report);
}

Cell FailureCell(const std::string& message)
{
    Cell cell;
    cell.kind = CellKind::Failure;
    cell.message = message;
    return cell;
}

Cell CellOf(const ChildResult& result, const ChildLimits& limits, const TaskField& field, bool compareSupply)
{
    if (result.kind != ChildResult::Kind::Delivered)
        return FailureCell(ChildFailureText(result, limits));
    CellReport report;
    if (!Decoder(result.payload).Decode(report))
        return FailureCell("Ergebnis des Laufs unlesbar");
    const RunOutcome& o = report.outcome;
    Cell cell;
    cell.message = o.message;
    cell.file = o.file;
    cell.line = o.line;
    cell.hasWorld = report.hasWorld;
    cell.world = report.world;
    if (o.ownWorkField)
        cell.kind = CellKind::OwnWorkField;
    else if (o.status == StatusEnded && report.hasWorld) {
        cell.differences = GoalDifferences(report.world, field.goal, compareSupply);
        cell.kind = cell.differences.empty() ? CellKind::Ok : CellKind::GoalMissed;
    } else if (o.status == StatusSourceError && !o.unit)
        cell.kind = CellKind::SourceError;
    else if (o.status == StatusStepLimit)
        cell.kind = CellKind::StepLimit;
    else
        cell.kind = CellKind::Failure;
    return cell;
}

// Generous beside the step limit: a child past it is stuck, not slow.
ChildLimits LimitsFor(const Arguments& args)
{
    ChildLimits limits;
    const std::uint64_t seconds = 10 + args.maxSteps / 1000000;
    limits.seconds = static_cast<int>(std::min<std::uint64_t>(seconds, 24 * 3600));
    limits.memoryBytes = std::uint64_t(1) << 30;
    return limits;
}

bool WriteReport(const std::string& path, const std::string& what, const std::string& bytes, std::ostream& err)
{
    if (SafeWriteFile(path, bytes) == WriteResult::Written)
        return true;
    err << "zelk-run: " << what << " kann nicht geschrieben werden: " << path << '\n';
    return false;
}

// Whether two paths name one file: the same file through links or other
// spellings when it exists, the same place when it does not yet.
bool SameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec)
        return false;
    const fs::path cb = fs::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

// A report replaces its file after every run: never one the task reads,
// nor the other report. False with the reason on err.
bool ReportsSpareTheInputs(const Arguments& args, const Task& task, const std::vector<std::string>& solutions,
                           std::ostream& err)
{
    if (!args.csv.empty() && !args.html.empty() && SameFile(args.csv, args.html)) {
        err << "zelk-run: --csv und --html nennen dieselbe Datei: " << args.csv << '\n';
        return false;
    }
    std::vector<std::string> inputs = solutions;
    for (const TaskField& field : task.fields) {
        inputs.push_back(field.startPath);
        inputs.push_back(field.goalPath);
    }
    for (const auto& [report, option] : {std::pair{&args.csv, "--csv"}, std::pair{&args.html, "--html"}})
        for (const std::string& input : inputs)
            if (!report->empty() && SameFile(*report, input)) {
                err << "zelk-run: " << option << " würde eine Eingabe überschreiben: " << *report << '\n';
                return false;
            }
    return true;
}

}  // namespace

int RunTask(const Arguments& args, std::ostream& out, std::ostream& err)
{
    Task task;
    std::vector<std::string> problems;
    const bool complete = LoadTask(args.task, task, problems);
    for (const std::string& line : problems)
        err << "zelk-run: " << line << '\n';
    if (!complete)
        return StatusNoInput;
    for (const std::string& note : task.notes)
        err << "zelk-run: " << note << '\n';

    TaskTable table;
    table.task = &task;
    table.solutions = NameSolutions(args.programs);
    table.compareSupply = args.goalSupply;
    std::vector<std::string> absolute;
    for (const Solution& s : table.solutions)
        absolute.push_back(Absolute(s.path));
    if (!ReportsSpareTheInputs(args, task, absolute, err))
        return StatusUsage;

    const int fields = static_cast<int>(task.fields.size());
    const int count = static_cast<int>(absolute.size()) * fields;
    const ChildLimits limits = LimitsFor(args);
    const std::vector<ChildResult> results = RunInChildren(
        count, [&](int i) { return RunCell(args, absolute[i / fields], task.fields[i % fields]); },
        UsableProcessors(), limits);

    table.rows.assign(absolute.size(), std::vector<Cell>());
    for (int i = 0; i < count; ++i)
        table.rows[i / fields].push_back(CellOf(results[i], limits, task.fields[i % fields], args.goalSupply));

    // The reports first: a table piped into head or a pager that quits
    // early ends this process, and the reports are what lasts.
    bool written = true;
    if (!args.csv.empty())
        written = WriteReport(args.csv, "CSV-Datei", TableCsv(table), err);
    if (!args.html.empty())
        written = WriteReport(args.html, "HTML-Datei", TableHtml(table), err) && written;
    out << TableText(table);
    out.flush();
    if (!written)
        return StatusCannotWrite;
    return AllOk(table) ? StatusEnded : StatusGoalMissed;
}
