#include "Arguments.h"

const char* const UsageLine =
    "Aufruf: zelk-run [--world FILE.ROB] [--no-underscore] [--max-steps N] "
    "[--listing] [--no-run] [--state] [--dump FILE.ROB] PROGRAM";

namespace {

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

// Splits "--name=value" into its parts; value stays empty without "=".
bool SplitInlineValue(const std::string& word, std::string& name, std::string& value)
{
    size_t eq = word.find('=');
    if (word.compare(0, 2, "--") != 0 || eq == std::string::npos) {
        name = word;
        return false;
    }
    name = word.substr(0, eq);
    value = word.substr(eq + 1);
    return true;
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& words, Arguments& args, std::string& error)
{
    bool optionsEnded = false;
    bool haveProgram = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.empty() || word[0] != '-' || word == "-") {
            if (haveProgram) {
                error = "mehr als ein PROGRAM angegeben: " + word;
                return false;
            }
            args.program = word;
            haveProgram = true;
            continue;
        }
        std::string name, value;
        bool inlineValue = SplitInlineValue(word, name, value);
        bool takesValue = name == "--world" || name == "--dump" || name == "--max-steps";
        if (inlineValue && !takesValue) {
            error = "Option " + name + " nimmt keinen Wert";
            return false;
        }
        if (takesValue && !inlineValue) {
            if (i + 1 >= words.size()) {
                error = "Option " + name + " braucht einen Wert";
                return false;
            }
            value = words[++i];
        }
        if (name == "--") {
            optionsEnded = true;
        } else if (name == "--help" || name == "-h") {
            args.help = true;
        } else if (name == "--world" || name == "--dump") {
            if (value.empty()) {
                error = "Option " + name + " braucht einen Dateinamen";
                return false;
            }
            (name == "--world" ? args.world : args.dump) = value;
        } else if (name == "--max-steps") {
            if (!ParseCount(value, args.maxSteps)) {
                error = "--max-steps braucht eine ganze Zahl ab 0, nicht \"" + value + "\"";
                return false;
            }
        } else if (name == "--no-underscore") {
            args.underscore = false;
        } else if (name == "--listing") {
            args.listing = true;
        } else if (name == "--no-run") {
            args.run = false;
        } else if (name == "--state") {
            args.state = true;
        } else {
            error = "unbekannte Option " + name;
            return false;
        }
    }
    if (!haveProgram && !args.help) {
        error = "PROGRAM fehlt";
        return false;
    }
    return true;
}
