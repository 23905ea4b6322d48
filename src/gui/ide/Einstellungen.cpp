#include "ide/Einstellungen.h"

#include <algorithm>

#include "language/ZelkKey.h"
#include "settings/SettingsStore.h"

namespace {

bool HatDatei() { return !SettingsFilePath().empty(); }

WindowPlace AlsPlatz(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

}  // namespace

QRect GelesenerPlatz(PlaceOf fenster, const QRect& vorgabe)
{
    if (!HatDatei())
        return vorgabe;
    IniFileStore ini(SettingsFilePath());
    const WindowPlace p = ReadWindowPlace(ini, fenster, AlsPlatz(vorgabe));
    constexpr int Grenze = 16384;
    return QRect(std::clamp(p.left, -Grenze, Grenze), std::clamp(p.top, -Grenze, Grenze),
                 std::clamp(p.width, 50, Grenze), std::clamp(p.height, 50, Grenze));
}

bool GelesenesNetzwerk()
{
    if (!HatDatei())
        return false;
    IniFileStore ini(SettingsFilePath());
    return ReadNetzwerk(ini);
}

void OptionenLesen()
{
    if (HatDatei()) {
        IniFileStore ini(SettingsFilePath());
        LoadOptionen(ini);
    }
    RebuildKeyTable();
}

void EinstellungenSchreiben(const QRect& haupt, const QRect* editor, const QRect& info, bool netzwerk)
{
    if (!HatDatei())
        return;
    WindowPlaces places;
    places.main = AlsPlatz(haupt);
    if (editor)
        places.editor = AlsPlatz(*editor);
    places.info = AlsPlatz(info);
    SaveSettingsAtShutdown(places, netzwerk);
}
