#pragma once
// The run control port of zelk-run: there are no buttons and no timer, the
// runner's own loop calls Step. It records that the interpreter ended the run
// (StopRun calls StopBtnClick), so the loop can tell an end from a halt.
#include "ports/RunControl.h"

class RunRecorder : public RunControl {
public:
    bool stopped = false;   // StopRun has ended the run
    bool timer1 = false;    // what the interpreter asked of the step timer

    void SetTimer1Enabled(bool enabled) override { timer1 = enabled; }
    void StopBtnClick() override
    {
        stopped = true;
        timer1 = false;
    }
};
