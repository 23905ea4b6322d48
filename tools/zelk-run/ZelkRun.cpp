// zelk-run: translates and runs a robot program without any window, for
// teachers who check many solutions at once and for tests.
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Runner.h"
#ifndef __EMSCRIPTEN__
#include "TaskRun.h"
#endif

namespace {

#ifdef __EMSCRIPTEN__
// A task runs every solution in a child process of its own, so that one
// that crashes or hangs spoils only its own cell; WebAssembly has no fork.
int Task(const Arguments&)
{
    std::cerr << "zelk-run: --task geht in dieser Ausgabe (WebAssembly) nicht: sie kann keine "
                 "eigenen Prozesse für die Lösungen starten\n"
              << UsageLine << '\n';
    return StatusUsage;
}
#else
int Task(const Arguments& args)
{
    return RunTask(args, std::cout, std::cerr);
}
#endif

int Main(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    Arguments args;
    std::string error;
    if (!ParseArguments(words, args, error)) {
        std::cerr << "zelk-run: " << error << '\n' << UsageLine << '\n';
        return StatusUsage;
    }
    if (args.help || args.version) {
        std::cout << (args.help ? HelpText() : VersionText());
        return StatusEnded;
    }
    if (!args.task.empty())
        return Task(args);
    return RunZelk(args, std::cout, std::cerr);
}

// What was printed so far stays, and the last line says why the run broke
// off. Plain C strings: after bad_alloc a new string might fail again.
int Failed(const char* why, const char* detail, int status)
{
    std::cout.flush();
    std::cerr << "zelk-run: " << why << detail << '\n';
    return status;
}

}  // namespace

// Nothing may end the process with an abort: a teacher checking many
// solutions needs a message and a status for each.
int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    try {
        return Main(argc, argv);
    } catch (const std::bad_alloc&) {
        return Failed("nicht genug Speicher", "", StatusNoMemory);
    } catch (const std::exception& e) {
        return Failed("interner Fehler: ", e.what(), StatusInternal);
    } catch (...) {
        return Failed("interner Fehler", "", StatusInternal);
    }
}
