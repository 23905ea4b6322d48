#pragma once
// The run control port: the step timer Timer1 and the Stop command, as the
// interpreter reaches them.
class RunControl {
public:
    virtual ~RunControl() = default;
    virtual void SetTimer1Enabled(bool enabled) { (void)enabled; }
    // The handler of "Anhalten": resets buttons and menu items.
    virtual void StopBtnClick() {}
};

RunControl& runControl();
void setRunControl(RunControl* control);  // nullptr: nothing to control
