#pragma once
// Runs jobs each in a child process of its own, a few at a time. The core
// keeps one run per process; and a job that crashes, hangs or eats memory
// takes down only its own child, never the table the others fill. What a job
// returns comes back through a pipe.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ChildLimits {
    int seconds = 60;               // wall clock, and processor time, of one child
    std::uint64_t memoryBytes = 0;  // address space of one child; 0 for no limit
};

struct ChildResult {
    enum class Kind {
        Delivered,   // the job returned; payload is what it returned
        Crashed,     // ended by a signal (signal), the processor time limit among them
        TimedOut,    // still running at its deadline, and killed
        NoResult,    // ended without a whole result (exitStatus)
        NotStarted,  // no child could be made
    };
    Kind kind = Kind::NotStarted;
    std::string payload;
    int signal = 0;
    int exitStatus = 0;
};

// False in sanitizer builds, which reserve terabytes of address space up
// front: there memoryBytes is not applied, as it would stop every child at
// its first step.
extern const bool ChildMemoryLimitWorks;

// The largest result a job may return; a child that sends more is killed.
constexpr std::size_t MaxChildPayload = 1 << 20;

// Runs job(0) .. job(count - 1), each in a child of its own, at most
// parallel at a time, and gives their results in the order of the jobs.
// job runs only in the children; what it throws ends its child without a
// result. Buffered standard output is flushed before each child is made, so
// that no child repeats it.
std::vector<ChildResult> RunInChildren(int count, const std::function<std::string(int index)>& job,
                                       int parallel, const ChildLimits& limits);

// The processors this process may run on, at least 1.
int UsableProcessors();

// Why a child gave no result, in German: "Absturz (Signal 11)".
std::string ChildFailureText(const ChildResult& result, const ChildLimits& limits);
