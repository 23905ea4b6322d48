#pragma once
// The history of one run, behind "Schritt zurück": it steps the interpreter
// in place of Step, and can then take back the instructions executed, as far
// as the last MinReach of them and further.
//
// It keeps no record per instruction. Every SnapshotInterval instructions it
// copies the whole state, world and interpreter; a step back restores the
// nearest copy before the point wanted and executes the instructions from
// there again with every port silenced: nothing is painted, no box shown, no
// timer switched, no line selected. A run is deterministic, except where
// ARBEITSFELD reads a file: the history keeps what each reading found and
// hands it out again, when replaying and when the run goes forward after
// steps back, so a file is read once in a run whatever the steps.
//
// The history belongs to one run: a new run (InitRun) clears it by itself,
// and whoever changes the world outside the run must call Clear.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "execution/ZelkPreter.h"
#include "world/ZelkFeld.h"

class TRunHistory : private TFeldQuelle {
public:
    static constexpr std::uint64_t SnapshotInterval = 4096;
    // Snapshots kept: the oldest goes when a new one would pass either limit.
    // 1024 snapshots reach 4,190,208 instructions back at least; the byte
    // limit cuts that only for a run that reads work field files without end.
    static constexpr std::size_t MaxSnapshots = 1024;
    static constexpr std::size_t MaxBytes = std::size_t(48) << 20;
    static constexpr std::uint64_t MinReach = 1000000;
    static_assert((MaxSnapshots - 1) * SnapshotInterval >= MinReach, "the snapshots kept must reach MinReach back");

    TRunHistory();
    ~TRunHistory() override;
    TRunHistory(const TRunHistory&) = delete;
    TRunHistory& operator=(const TRunHistory&) = delete;

    // Forgets the run. feldPanel is the status panel's text now: a step back
    // before the run's first ARBEITSFELD shows it again.
    void Clear(const std::string& feldPanel);

    // Step, recorded. Returns what Step returns.
    bool Step();

    // Takes back the last n executed instructions: world, interpreter and
    // the display are then as they were before them. False, and nothing
    // changes, when the history does not reach that far.
    bool StepBack(std::uint64_t n = 1);
    bool CanStepBack(std::uint64_t n = 1) const { return n <= Reach(); }
    // Takes back instructions up to and including the last executed one
    // that stop accepts (judged as it stood in the table when it ran); where
    // the history holds none, back to its start. False when it is empty.
    bool StepBackTo(bool (*stop)(const TInstruction&));

    // Instructions executed since the history began, steps back taken off.
    std::uint64_t Executed() const { return executed_; }
    // How many instructions StepBack can take back now.
    std::uint64_t Reach() const;
    // What the history holds, in bytes (snapshots, stacks, work fields read).
    std::size_t Bytes() const { return bytes_; }

private:
    // The whole state before instruction Executed.
    struct Snapshot {
        std::uint64_t Executed = 0;
        TWeltZustand World;
        TInterpreterState Interpreter;
        std::string Panel;
        std::size_t Bytes = 0;
    };
    // What ARBEITSFELD found when instruction Executed ran. Readings of the
    // same contents share one copy.
    struct Reading {
        std::uint64_t Executed = 0;
        std::shared_ptr<const TArbeitsfeldLadung> Found;
        std::size_t Bytes = 0;
    };

    TArbeitsfeldLadung Lies(const std::string& name) override;
    bool Execute();
    // How many instructions had been executed before the last one that stop
    // accepts; the start of the history when none. Replays silently and
    // leaves the state to be restored by StepBack.
    std::uint64_t LastExecuted(bool (*stop)(const TInstruction&));
    void TakeSnapshot();
    void Restore(const Snapshot& s);
    void Keep(std::size_t bytes);
    void DropOldest();
    void Forget();

    std::deque<Snapshot> snapshots_;  // by Executed, oldest first
    std::deque<Reading> readings_;    // by Executed, oldest first
    std::uint64_t executed_ = 0;
    std::size_t bytes_ = 0;
    std::uint32_t run_ = 0;           // the RunNumber the history belongs to
    std::string panel_;               // FeldPanel's text at the current point
    bool replaying_ = false;          // steps run again, unseen
    // Replays for as long as it lives.
    struct Replaying {
        explicit Replaying(bool& flag) : flag(flag) { flag = true; }
        ~Replaying() { flag = false; }
        bool& flag;
    };
};
