#pragma once
// The command line of zelk-run.
#include <cstdint>
#include <string>
#include <vector>

struct Arguments {
    std::string program;           // PROGRAMM, as given (the first of programs)
    std::vector<std::string> programs;  // every PROGRAMM; more than one only with --task
    std::string world;             // --world DATEI.ROB, empty when not given
    std::string dump;              // --dump DATEI.ROB, empty when not given
    std::string goal;              // --goal DATEI.ROB, empty when not given
    bool goalSupply = false;       // --goal-supply: the goal compares the supply too
    std::string task;              // --task ORDNER, empty when not given
    std::string csv;               // --csv DATEI, with --task
    std::string html;              // --html DATEI, with --task
    bool underscore = true;        // --no-underscore clears it
    bool listing = false;
    bool run = true;               // --no-run clears it
    bool state = false;
    std::uint64_t maxSteps = 10000000;
    bool help = false;             // --help / -h: the help text on stdout, nothing else
    bool version = false;          // --version: the version on stdout, nothing else
    // Set for the runs of a task, never by an option: a program that loads
    // a work field itself is not run.
    bool refuseOwnWorkField = false;
    // Also set for a task's runs: the folder that becomes the current
    // directory, where units and work fields are found. Empty: PROGRAMM's.
    std::string folder;
};

extern const char* const UsageLine;

// The texts of --help and --version, each ending with a line break.
std::string HelpText();
std::string VersionText();

// Fills args from the words after the program name. False with a reason in
// error when they do not make a valid command line.
bool ParseArguments(const std::vector<std::string>& words, Arguments& args, std::string& error);
