// zelk-run: translates and runs a robot program without any window, for
// teachers who check many solutions at once and for tests.
#include <iostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Runner.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
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
    return RunZelk(args, std::cout, std::cerr);
}
