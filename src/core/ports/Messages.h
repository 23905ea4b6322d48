#pragma once
// The messages port: every modal box the core shows goes through here, so the
// windowed program shows a real box and tests and zelk-run answer without one.
#include <string>

// None: a plain box, without an icon.
enum class MsgIcon { Error, Warning, Question, Information, None };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a modal box and returns the button pressed. Closing the box
    // without a button counts as Cancel (or Ok for a box with only OK).
    virtual MsgAnswer Show(MsgIcon icon, const std::string& title,
                           const std::string& text, MsgButtons buttons) = 0;
};

// The program-wide service. Without an installed one, boxes answer their
// first button (Ok / Yes) silently.
Messages& messages();
void setMessages(Messages* service);  // nullptr restores the silent default

// The common case: an error box titled "Error" with one OK button.
void ShowError(const std::string& text);
