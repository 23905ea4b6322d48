#pragma once
// The command line of zelk-run.
#include <cstdint>
#include <string>
#include <vector>

struct Arguments {
    std::string program;           // PROGRAM, as given
    std::string world;             // --world FILE.ROB, empty when not given
    std::string dump;              // --dump FILE.ROB, empty when not given
    bool underscore = true;        // --no-underscore clears it
    bool listing = false;
    bool run = true;               // --no-run clears it
    bool state = false;
    std::uint64_t maxSteps = 10000000;
    bool help = false;             // --help / -h: usage on stdout, nothing else
};

extern const char* const UsageLine;

// Fills args from the words after the program name. False with a reason in
// error when they do not make a valid command line.
bool ParseArguments(const std::vector<std::string>& words, Arguments& args, std::string& error);
