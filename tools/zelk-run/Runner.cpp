#include "Runner.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>

#include "ConsoleMessages.h"
#include "FilePages.h"
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

std::string Absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return path;
    return std::string(buffer) + "/" + path;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

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

    int Main()
    {
        int status = Prepare();
        if (status != StatusEnded)
            return status;
        status = TranslateAndRun();
        if (args_.state) {
            out_ << StateText();
            out_.flush();
        }
        if (!args_.dump.empty() && !Dump() && status == StatusEnded)
            status = StatusCannotWrite;
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

    // Reads the inputs and sets up what a confirmed open dialog and the
    // options would: the work field, the current directory, the spelling.
    int Prepare()
    {
        dumpPath_ = Absolute(args_.dump);
        const ReadResult read = pages_.LoadProgram(args_.program);
        if (read != ReadResult::Read) {
            err_ << "zelk-run: Programmdatei kann nicht gelesen werden: " << args_.program;
            // The editor's reason: a teacher sees why this file was not even tried.
            if (read == ReadResult::TooLarge)
                err_ << ": " << TooLargeReason();
            err_ << '\n';
            return StatusNoInput;
        }
        if (!args_.world.empty() && !Welt.Oeffnen(Absolute(args_.world))) {
            err_ << "zelk-run: Arbeitsfeld kann nicht gelesen werden: " << args_.world << '\n';
            return StatusNoInput;
        }
        std::string folder = FolderOf(args_.program);
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
        if (start == TStartResult::UnitRefused)
            return StatusSourceError;
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

int RunZelk(const Arguments& args, std::ostream& out, std::ostream& err)
{
    Runner runner(args, out, err);
    return runner.Main();
}
