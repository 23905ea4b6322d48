#pragma once
// The command line of zelk-run.
#include <cstdint>
#include <string>
#include <vector>

struct Arguments {
    std::string program;           // PROGRAMM, as given
    std::string world;             // --world DATEI.ROB, empty when not given
    std::string dump;              // --dump DATEI.ROB, empty when not given
    bool underscore = true;        // --no-underscore clears it
    bool listing = false;
    bool run = true;               // --no-run clears it
    bool state = false;
    std::uint64_t maxSteps = 10000000;
    bool help = false;             // --help / -h: the help text on stdout, nothing else
    bool version = false;          // --version: the version on stdout, nothing else
};

extern const char* const UsageLine;

// The texts of --help and --version, each ending with a line break.
std::string HelpText();
std::string VersionText();

// Fills args from the words after the program name. False with a reason in
// error when they do not make a valid command line.
bool ParseArguments(const std::vector<std::string>& words, Arguments& args, std::string& error);
