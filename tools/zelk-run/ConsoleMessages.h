#pragma once
// The messages port of zelk-run: each box text goes on its own line to
// standard output, exactly as the box would show it. Where the windowed
// program would select a line for the message, standard error gets
// FILE:LINE: MESSAGE.
//
// Questions are answered with their cautious button (Cancel, or No when there
// is no Cancel): nobody sits in front of the runner to confirm, so it never
// overwrites or discards anything on a question nobody answered. What the
// command line itself asks for (--dump) is the user's explicit request and
// does not go through a question.
#include <functional>
#include <ostream>
#include <string>

#include "ports/Messages.h"

class ConsoleMessages : public Messages {
public:
    ConsoleMessages(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // While set, called after each text has been printed instead of waiting
    // for a selected line: the runner uses it during a run to name the line
    // of the instruction being executed.
    std::function<void(const std::string& text)> onShown;

    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override;

    // The translator selected a line after its error box: that box's text is
    // reported at the line. A selection without a box before it reports
    // nothing.
    void LineSelected(const std::string& file, int line);

    // Prints FILE:LINE: TEXT on standard error; line counts from 0.
    void PrintLocated(const std::string& file, int line, const std::string& text);

    // A message of the runner itself, printed like a box text.
    void PrintMessage(const std::string& text);

    // The last text printed, and the last place named for one (line from 1,
    // 0 when none was named): what a task's table shows of a failed run.
    const std::string& LastText() const { return lastText_; }
    const std::string& LastFile() const { return lastFile_; }
    int LastLine() const { return lastLine_; }

private:
    std::string lastText_;
    std::string lastFile_;
    int lastLine_ = 0;
    std::ostream& out_;
    std::ostream& err_;
    std::string pending_;
    bool hasPending_ = false;
};
