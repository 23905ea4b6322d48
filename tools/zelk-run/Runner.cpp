#include "Runner.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

#include "ConsoleMessages.h"
#include "FilePages.h"
#include "GoalCheck.h"
#include "Paths.h"
#include "WorldReport.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "language/ZelkKey.h"
#include "language/ZelkListing.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "settings/ZelkSettings.h"
#include "text/ProgramFile.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace {

// Installs the runner's ports for the length of one run and takes them out
// again, so nothing in the core keeps pointing at objects that are gone.
class InstalledPorts {
public:
    InstalledPorts(Messages& m, SourcePages& s)
    {
        setMessages(&m);
        setSourcePages(&s);
    }
    ~InstalledPorts()
    {
        setMessages(nullptr);
        setSourcePages(nullptr);
    }
};

void PrintListing(std::ostream& out)
{
    for (const std::string& line : CodeListing())
        out << line << '\n';
    out.flush();
}

class Runner {
public:
    Runner(const Arguments& args, std::ostream& out, std::ostream& err)
        : args_(args), out_(out), err_(err), messages_(out, err), ports_(messages_, pages_)
    {
        pages_.onHighlight = [this](const std::string& file, int line) { messages_.LineSelected(file, line); };
    }

    int Main(RunOutcome* outcome)
    {
        int status = Prepare();
        if (status == StatusEnded) {
            status = TranslateAndRun();
            if (status == StatusEnded && hasGoal_)
                status = CheckGoal();
            Report(status);
        }
        if (outcome) {
            outcome->status = status;
            outcome->ownWorkField = ownWorkField_;
            outcome->unit = unit_;
            outcome->message = readFailure_.empty() ? messages_.LastText() : readFailure_;
            outcome->file = messages_.LastFile();
            outcome->line = messages_.LastLine();
        }
        return status;
    }

private:
    const Arguments& args_;
    std::ostream& out_;
    std::ostream& err_;
    ConsoleMessages messages_;
    FilePages pages_;
    InstalledPorts ports_;
    std::string dumpPath_;
    WorldState goal_;
    bool hasGoal_ = false;
    bool ownWorkField_ = false;
    bool unit_ = false;
    std::string readFailure_;

    // --state and --dump, after the run whatever its end.
    void Report(int& status)
    {
        if (args_.state) {
            out_ << StateText();
            out_.flush();
        }
        if (!args_.dump.empty() && !Dump() && status == StatusEnded)
            status = StatusCannotWrite;
    }

    // Reads the inputs and sets up what a confirmed open dialog and the
    // options would: the work field, the current directory, the spelling.
    int Prepare()
    {
        dumpPath_ = Absolute(args_.dump);
        const ReadResult read = pages_.LoadProgram(args_.program);
        if (read != ReadResult::Read) {
            readFailure_ = "Programmdatei kann nicht gelesen werden";
            // The editor's reason: a teacher sees why this file was not even tried.
            const std::string reason = read == ReadResult::TooLarge ? ": " + TooLargeReason() : std::string();
            err_ << "zelk-run: " << readFailure_ << ": " << args_.program << reason << '\n';
            readFailure_ += reason;
            return StatusNoInput;
        }
        if (!args_.world.empty() && !Welt.Oeffnen(Absolute(args_.world))) {
            err_ << "zelk-run: Arbeitsfeld kann nicht gelesen werden: " << args_.world << '\n';
            return StatusNoInput;
        }
        // Read before the run, so that a wrong name costs no run.
        std::string reason;
        if (!args_.goal.empty() && !ReadWorldFile(Absolute(args_.goal), goal_, reason)) {
            err_ << "zelk-run: Zielfeld kann nicht gelesen werden: " << args_.goal << ": " << reason << '\n';
            return StatusNoInput;
        }
        hasGoal_ = !args_.goal.empty();
        const std::string folder = args_.folder.empty() ? FolderOf(args_.program) : args_.folder;
        if (chdir(folder.c_str()) != 0) {
            err_ << "zelk-run: kann nicht in den Ordner wechseln: " << folder << " (" << std::strerror(errno)
                 << ")\n";
            return StatusNoInput;
        }
        Underscore = args_.underscore;
        RebuildKeyTable();
        return StatusEnded;
    }

    int TranslateAndRun()
    {
        const TStartResult start = StartRun(0);
        if (start == TStartResult::SourceError)
            return StatusSourceError;
        if (args_.listing)
            PrintListing(out_);
        if (start == TStartResult::UnitRefused) {
            unit_ = true;
            return StatusSourceError;
        }
        // A task's cell runs on the task's field: a program that loads
        // another would be checked on a world of its own choosing.
        if (args_.refuseOwnWorkField && WorkFieldCount > 0) {
            ownWorkField_ = true;
            return StatusHalted;
        }
        if (!args_.run)
            return StatusEnded;
        return Run();
    }

    // The run loop stands in for the step timer: one Step per tick, until
    // the run ends or halts or the step limit is reached.
    int Run()
    {
        messages_.onShown = [this](const std::string& text) { ReportAtInstruction(text); };
        for (std::uint64_t steps = 0;; ++steps) {
            if (steps >= args_.maxSteps) {
                messages_.PrintMessage("Schrittgrenze erreicht");
                ReportAtInstruction("Schrittgrenze erreicht");
                return StatusStepLimit;
            }
            if (!Step())
                return RunEnd() == TRunEnd::Ended ? StatusEnded : StatusHalted;
        }
    }

    // The goal after a run that ended: each difference on its own line.
    int CheckGoal()
    {
        const std::vector<std::string> differences = GoalDifferences(CurrentWorld(), goal_, args_.goalSupply);
        if (differences.empty())
            return StatusEnded;
        messages_.PrintMessage("Ziel nicht erreicht");
        for (const std::string& line : differences)
            messages_.PrintMessage(line);
        return StatusGoalMissed;
    }

    void ReportAtInstruction(const std::string& text)
    {
        std::string file = pages_.FileName(CurrentInstruction.Page);
        if (file.empty())
            file = pages_.FileName(0);
        messages_.PrintLocated(file, CurrentInstruction.Line, text);
    }

    // --dump is the user's explicit request: it overwrites without asking.
    bool Dump()
    {
        if (RobDateiSchreiben(dumpPath_, Roboter, Welt.Feld))
            return true;
        messages_.onShown = nullptr;
        ShowError("Arbeitsfeld konnte nicht gespeichert werden!");
        err_ << "zelk-run: Arbeitsfeld kann nicht geschrieben werden: " << args_.dump << '\n';
        return false;
    }
};

}  // namespace

int RunZelk(const Arguments& args, std::ostream& out, std::ostream& err, RunOutcome* outcome)
{
    Runner runner(args, out, err);
    return runner.Main(outcome);
}
