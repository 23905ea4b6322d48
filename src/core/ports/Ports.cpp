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

bool silent = false;

}  // namespace

void SetPortsSilent(bool on) { silent = on; }
bool PortsSilent() { return silent; }

Messages& messages() { return silent ? silentMessages : *currentMessages; }
void setMessages(Messages* service) { currentMessages = service ? service : &silentMessages; }
void ShowError(const std::string& text) { messages().Show(MsgIcon::Error, "Error", text, MsgButtons::Ok); }

WorldDisplay& worldDisplay() { return silent ? noDisplay : *currentDisplay; }
void setWorldDisplay(WorldDisplay* display) { currentDisplay = display ? display : &noDisplay; }

SourcePages* sourcePages() { return silent ? nullptr : currentPages; }
void setSourcePages(SourcePages* pages) { currentPages = pages; }

CompileProgress& compileProgress() { return *currentProgress; }
void setCompileProgress(CompileProgress* progress) { currentProgress = progress ? progress : &noProgress; }

RunControl& runControl() { return silent ? noRunControl : *currentRunControl; }
void setRunControl(RunControl* control) { currentRunControl = control ? control : &noRunControl; }
