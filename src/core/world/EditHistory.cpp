#include "world/EditHistory.h"

#include <algorithm>

namespace {

bool GleicheZelle(const TZelle& a, const TZelle& b)
{
    return a.Anzahl == b.Anzahl && std::equal(a.Offen, a.Offen + 4, b.Offen);
}

bool GleicherRoboter(const TZelkZustand& a, const TZelkZustand& b)
{
    return a.X == b.X && a.Y == b.Y && a.Vorrat == b.Vorrat && a.Richtung == b.Richtung;
}

}  // namespace

WeltStand WeltStand::Aktuell()
{
    WeltStand s;
    std::copy(&Welt.Feld[0][0], &Welt.Feld[0][0] + FeldHoehe * FeldBreite, &s.Feld[0][0]);
    s.Roboter = ::Roboter;
    return s;
}

void WeltStand::Herstellen() const
{
    TWeltZustand z = Welt.Zustand();
    std::copy(&Feld[0][0], &Feld[0][0] + FeldHoehe * FeldBreite, &z.Feld[0][0]);
    z.Roboter = Roboter;
    Welt.Herstellen(z);
}

bool WeltStand::operator==(const WeltStand& o) const
{
    return std::equal(&Feld[0][0], &Feld[0][0] + FeldHoehe * FeldBreite, &o.Feld[0][0], GleicheZelle) &&
           GleicherRoboter(Roboter, o.Roboter);
}

bool EditHistory::Gueltig() const
{
    return (zurueck.empty() && vor.empty()) || WeltStand::Aktuell() == zuletzt;
}

void EditHistory::Vergessen()
{
    if (!Gueltig()) {
        zurueck.clear();
        vor.clear();
    }
}

void EditHistory::Beginne(bool nurTeile)
{
    if (tiefe++ > 0) {
        if (WeltStand::Aktuell() != zwischen)
            fremd = true;
        return;
    }
    Vergessen();
    anfang = zwischen = WeltStand::Aktuell();
    klammer = nurTeile;
    fremd = false;
}

void EditHistory::Beende()
{
    // Beende without Beginne, or after Loeschen in the middle of an edit.
    if (tiefe <= 0)
        return;
    const WeltStand jetzt = WeltStand::Aktuell();
    if (--tiefe > 0) {
        zwischen = jetzt;
        return;
    }
    if (fremd || (klammer && jetzt != zwischen)) {
        zurueck.clear();
        vor.clear();
        return;
    }
    if (jetzt == anfang)
        return;
    zurueck.push_back(anfang);
    if (zurueck.size() > Grenze)
        zurueck.pop_front();
    vor.clear();
    zuletzt = jetzt;
}

bool EditHistory::Rueckgaengig() { return Wechsle(zurueck, vor); }

bool EditHistory::Wiederholen() { return Wechsle(vor, zurueck); }

// Brings back the newest state of von and keeps the world it replaces in nach.
bool EditHistory::Wechsle(std::deque<WeltStand>& von, std::deque<WeltStand>& nach)
{
    Vergessen();
    if (tiefe > 0 || von.empty())
        return false;
    nach.push_back(WeltStand::Aktuell());
    von.back().Herstellen();
    von.pop_back();
    zuletzt = WeltStand::Aktuell();
    return true;
}

void EditHistory::Loeschen()
{
    zurueck.clear();
    vor.clear();
    tiefe = 0;
}

bool EditHistory::KannRueckgaengig() const { return !zurueck.empty() && Gueltig(); }
bool EditHistory::KannWiederholen() const { return !vor.empty() && Gueltig(); }
