#include "execution/ZelkStart.h"

#include "execution/ZelkPreter.h"
#include "language/ZelkParser.h"
#include "ports/Messages.h"
#include "ports/WorldDisplay.h"
#include "world/ZelkFeld.h"

namespace {

// The two modes refuse a unit in words of their own.
const char* UnitMeldung(int mode)
{
    return mode == 1 ? "Kann UNIT nicht starten!" : "Kann keine UNIT starten!";
}

}  // namespace

TStartResult StartRun(int mode)
{
    InitRun(mode);
    const int ergebnis = Compile();
    if (ergebnis == 0)
        return TStartResult::SourceError;
    if (ergebnis == 2) {
        ShowError(UnitMeldung(mode));
        return TStartResult::UnitRefused;
    }
    if (Welt.Zuruecksetzen())
        worldDisplay().RepaintAll();
    return TStartResult::Started;
}
