#pragma once
// The windows' side of the settings file: each reader takes its keys at its
// own moment, and the main window writes everything when it closes. Without
// a settings file chosen (tests, tools) every reader gets its defaults and
// nothing is written.
#include <QList>
#include <QRect>

#include "settings/SettingsFile.h"

// A window's place from section "Fenster", with the defaults where a key is
// missing. Values no screen could show are held to a sane range, so that a
// damaged file cannot put a window out of reach.
QRect GelesenerPlatz(PlaceOf fenster, const QRect& vorgabe);
// A main window's place on the screens there are now (their geometries,
// the window's own screen first). A place that no screen shows far enough to take hold
// of its top edge - a monitor unplugged since, a damaged or foreign file -
// comes back onto the screen it overlaps most, or the first. Either way
// the window is no larger than that screen.
QRect AufDenSchirmen(const QRect& platz, const QList<QRect>& schirme);
// "Netzwerk", read by the main window when it is created.
bool GelesenesNetzwerk();
// The "Optionen", read when the options dialog is made at start-up; the
// keyword table is built for the spelling they hold.
void OptionenLesen();
// The windows' places as the shut-down writes them: the main window's outer
// frame, the editor window's while it exists, the info window's.
WindowPlaces FensterPlaetze(const QRect& haupt, const QRect* editor, const QRect& info);
// The shut-down write of what the main window has collected, with its
// message; nothing without a settings file.
void EinstellungenSchreiben(const SettingsValue& wert);
