#pragma once
// The run control port as the windowed program fills it: the interpreter
// switches the info window's step timer and reports the end of a run here.
#include "ports/RunControl.h"

class TZelkForm;

class GuiRunControl : public RunControl {
public:
    explicit GuiRunControl(TZelkForm* form) : form(form) {}
    void SetTimer1Enabled(bool enabled) override;
    // Called by the interpreter's StopRun only, i.e. at the natural end of
    // a run; the user's "Anhalten" goes to TZelkForm::StopBtnClick directly.
    void StopBtnClick() override;

private:
    TZelkForm* form;
};
