#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/RunControl.h"
#include "ports/Silence.h"
#include "ports/SourcePages.h"
#include "ports/WorldDisplay.h"

namespace {

class SilentMessages : public Messages {
public:
    MsgAnswer Show(MsgIcon, const std::string&, const std::string&, MsgButtons buttons) override {
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }
};

SilentMessages silentMessages;
Messages* currentMessages = &silentMessages;

WorldDisplay noDisplay;
WorldDisplay* currentDisplay = &noDisplay;

SourcePages* currentPages = nullptr;

CompileProgress noProgress;
CompileProgress* currentProgress = &noProgress;

RunControl noRunControl;
RunControl* currentRunControl = &noRunControl;

// While silent, the ports installed are kept here and the quiet defaults
// stand in, so that the accessors stay one load each.
struct Installed {
    Messages* messages;
    WorldDisplay* display;
    SourcePages* pages;
    RunControl* control;
};
bool silent = false;
Installed installed{};

}  // namespace

void SetPortsSilent(bool on)
{
    if (on == silent)
        return;
    silent = on;
    if (on) {
        installed = {currentMessages, currentDisplay, currentPages, currentRunControl};
        currentMessages = &silentMessages;
        currentDisplay = &noDisplay;
        currentPages = nullptr;
        currentRunControl = &noRunControl;
    } else {
        currentMessages = installed.messages;
        currentDisplay = installed.display;
        currentPages = installed.pages;
        currentRunControl = installed.control;
    }
}
bool PortsSilent() { return silent; }

Messages& messages() { return *currentMessages; }
void setMessages(Messages* service)
{
    (silent ? installed.messages : currentMessages) = service ? service : &silentMessages;
}
void ShowError(const std::string& text) { messages().Show(MsgIcon::Error, "Error", text, MsgButtons::Ok); }

WorldDisplay& worldDisplay() { return *currentDisplay; }
void setWorldDisplay(WorldDisplay* display)
{
    (silent ? installed.display : currentDisplay) = display ? display : &noDisplay;
}

SourcePages* sourcePages() { return currentPages; }
void setSourcePages(SourcePages* pages) { (silent ? installed.pages : currentPages) = pages; }

CompileProgress& compileProgress() { return *currentProgress; }
void setCompileProgress(CompileProgress* progress) { currentProgress = progress ? progress : &noProgress; }

RunControl& runControl() { return *currentRunControl; }
void setRunControl(RunControl* control)
{
    (silent ? installed.control : currentRunControl) = control ? control : &noRunControl;
}
