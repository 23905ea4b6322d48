#pragma once
// Starting a run: the one sequence behind Start, Einzelschritt and zelk-run.

enum class TStartResult {
    SourceError,   // the translator reported an error; nothing runs
    UnitRefused,   // the page holds a unit, refused with its mode's message
    Started,       // translated, the world reset to its start state
};

// InitRun with the mode (0 Start, 1 Einzelschritt), Compile, refuse a unit
// with that mode's own message, then Zuruecksetzen, repainting the view when
// the world changed. Runs no instruction: the caller steps.
TStartResult StartRun(int mode);
