#include "platform/Einstellungen.h"

#include <algorithm>

#include "language/ZelkKey.h"
#include "settings/SettingsStore.h"

namespace {

bool HatDatei() { return !SettingsFilePath().empty(); }

WindowPlace AlsPlatz(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

// How much of a window's top edge must lie on a screen to drag it by.
constexpr int Griff = 100;
constexpr int GriffHoehe = 30;

long long Flaeche(const QRect& r) { return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

QRect MeisterSchirm(const QRect& platz, const QList<QRect>& schirme)
{
    QRect best = schirme.front();
    long long most = 0;
    for (const QRect& schirm : schirme) {
        const long long overlap = Flaeche(platz.intersected(schirm));
        if (overlap > most) {
            most = overlap;
            best = schirm;
        }
    }
    return best;
}

bool Greifbar(const QRect& platz, const QList<QRect>& schirme)
{
    const QRect oberkante(platz.left(), platz.top(), platz.width(), std::min(GriffHoehe, platz.height()));
    for (const QRect& schirm : schirme) {
        const QRect teil = oberkante.intersected(schirm);
        if (platz.top() >= schirm.top() && teil.width() >= std::min(Griff, platz.width()) &&
            teil.height() >= oberkante.height())
            return true;
    }
    return false;
}

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

QRect AufDenSchirmen(const QRect& platz, const QList<QRect>& schirme)
{
    if (schirme.isEmpty())
        return platz;
    const QRect schirm = MeisterSchirm(platz, schirme);
    QRect r(platz.topLeft(), platz.size().boundedTo(schirm.size()));
    if (Greifbar(r, schirme))
        return r;
    r.moveLeft(std::clamp(r.left(), schirm.left(), schirm.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), schirm.top(), schirm.bottom() - r.height() + 1));
    return r;
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

WindowPlaces FensterPlaetze(const QRect& haupt, const QRect* editor, const QRect& info)
{
    WindowPlaces places;
    places.main = AlsPlatz(haupt);
    if (editor)
        places.editor = AlsPlatz(*editor);
    places.info = AlsPlatz(info);
    return places;
}

void EinstellungenSchreiben(const SettingsValue& wert)
{
    if (HatDatei())
        SaveSettingsAtShutdown(wert);
}
