#include "world/ZelkFeld.h"

#include <algorithm>

#include "ports/Messages.h"
#include "ports/WorldDisplay.h"

bool GleicherZustand(const TZelkZustand& a, const TZelkZustand& b)
{
    return a.X == b.X && a.Y == b.Y && a.Vorrat == b.Vorrat && a.Richtung == b.Richtung;
}

bool GleichesFeld(const TZelle (&a)[FeldHoehe][FeldBreite], const TZelle (&b)[FeldHoehe][FeldBreite])
{
    return std::equal(&a[0][0], &a[0][0] + FeldHoehe * FeldBreite, &b[0][0], [](const TZelle& x, const TZelle& y) {
        return x.Anzahl == y.Anzahl && std::equal(x.Offen, x.Offen + 4, y.Offen);
    });
}

const char* const KeinDateiname = "@@@@@@@@@";

// The robot records come before Welt: its constructor sets them.
TZelkZustand Roboter;
TZelkZustand RoboterStart;
tFeld Welt;

namespace {

// Forward step of each direction, indexed by TRichtung.
constexpr int SchrittX[4] = {1, 0, -1, 0};
constexpr int SchrittY[4] = {0, 1, 0, -1};

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

int Links(int d) { return (d + 1) % 4; }
int Rechts(int d) { return (d + 3) % 4; }

// The square the robot stands on. Loading and editing keep the robot inside
// the grid; the clamp only keeps a stray value from reaching outside Feld.
TZelle& RoboterZelle(tFeld& welt)
{
    return welt.Zelle(std::clamp<int>(Roboter.X, 1, FeldBreite), std::clamp<int>(Roboter.Y, 1, FeldHoehe));
}
const TZelle& RoboterZelle(const tFeld& welt)
{
    return welt.Zelle(std::clamp<int>(Roboter.X, 1, FeldBreite), std::clamp<int>(Roboter.Y, 1, FeldHoehe));
}

bool GleicherRoboter(const TZelkZustand& a, const TZelkZustand& b)
{
    return a.X == b.X && a.Y == b.Y && a.Vorrat == b.Vorrat && a.Richtung == b.Richtung;
}

}  // namespace

tFeld::tFeld()
{
    Loeschen();
    Grundstellung();
}

// --- Actions ---

void tFeld::Vor()
{
    const int d = Roboter.Richtung % 4;
    const int x = Roboter.X + SchrittX[d];
    const int y = Roboter.Y + SchrittY[d];
    // The bounds check stands beside the flag: a file may leave a border side open.
    if (RoboterZelle(*this).Offen[d] == 0 || !ImFeld(x, y)) {
        Meldung(1);
        return;
    }
    // The view clears the old square while Roboter still names it.
    worldDisplay().SetzeBild(x, y, true, d);
    Roboter.X = x;
    Roboter.Y = y;
    worldDisplay().ZeigePosition(x, y);
}

void tFeld::DreheLinks()
{
    Roboter.Richtung = static_cast<TRichtung>(Links(Roboter.Richtung));
    worldDisplay().SetzeBild(Roboter.X, Roboter.Y, false, Roboter.Richtung);
}

void tFeld::NimmAuf()
{
    TZelle& zelle = RoboterZelle(*this);
    if (zelle.Anzahl <= 0) {
        Meldung(2);
        return;
    }
    if (Roboter.Vorrat >= 99) {
        Meldung(6);
        return;
    }
    --zelle.Anzahl;
    ++Roboter.Vorrat;
    worldDisplay().ZeigeMaterial(Roboter.Vorrat);
}

void tFeld::GibAb()
{
    TZelle& zelle = RoboterZelle(*this);
    if (Roboter.Vorrat <= 0) {
        Meldung(3);
        return;
    }
    if (zelle.Anzahl >= 9) {
        Meldung(4);
        return;
    }
    ++zelle.Anzahl;
    --Roboter.Vorrat;
    worldDisplay().ZeigeMaterial(Roboter.Vorrat);
}

// --- Tests ---

bool tFeld::HatVorrat() const { return Roboter.Vorrat > 0; }
bool tFeld::PlatzBelegt() const { return RoboterZelle(*this).Anzahl > 0; }
bool tFeld::VorneFrei() const { return RoboterZelle(*this).Offen[Roboter.Richtung % 4] != 0; }
bool tFeld::LinksFrei() const { return RoboterZelle(*this).Offen[Links(Roboter.Richtung)] != 0; }
bool tFeld::RechtsFrei() const { return RoboterZelle(*this).Offen[Rechts(Roboter.Richtung)] != 0; }
bool tFeld::Nordwaerts() const { return Roboter.Richtung == Nord; }
bool tFeld::Ostwaerts() const { return Roboter.Richtung == Ost; }
bool tFeld::Suedwaerts() const { return Roboter.Richtung == Sued; }
bool tFeld::Westwaerts() const { return Roboter.Richtung == West; }

// --- Failure report ---

namespace {

std::string MeldungsText(int code)
{
    switch (code) {
    case 1: return "ZELK ist gegen ein  Hindernis gelaufen!";
    case 2: return "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !";
    case 3: return "ZELK hat kein Material zum Ablegen!";
    case 4: return "Ein Feld kann nur 9 Gegenstände aufnehmen!";
    case 5: return "Abbruch durch den Benutzer!";
    case 6: return "ZELK kann maximal 99 Gegenstände transportieren!";
    case 7: return "Arbeitsfeld  nicht gefunden oder falsches Dateiformat!";
    case 10: return "Programmende!";
    case 11: return "Arbeitsfeld nicht gefunden!";
    case 12: return "Arbeitsfelddatei hat ein falsches Dateiformat!";
    default: return "Es ist ein Fehler im Programmablauf aufgetreten!";
    }
}

}  // namespace

void tFeld::Meldung(int code)
{
    const std::string text = MeldungsText(code);
    // Set before the box: timer ticks delivered while it is open must find it.
    if (code != 10)
        Abbruch = true;
    worldDisplay().Fehlschlag();
    ShowError(text);
}

// --- Whole-world operations ---

void tFeld::Loeschen()
{
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x) {
            TZelle& zelle = Zelle(x, y);
            zelle.Anzahl = 0;
            zelle.Offen[Ost] = x < FeldBreite;
            zelle.Offen[Nord] = y < FeldHoehe;
            zelle.Offen[West] = x > 1;
            zelle.Offen[Sued] = y > 1;
        }
    std::copy(&Feld[0][0], &Feld[0][0] + FeldHoehe * FeldBreite, &StartFeld[0][0]);
    Dateiname = KeinDateiname;
}

void tFeld::Grundstellung()
{
    Roboter = TZelkZustand{0, 1, 1, Ost};
    RoboterStart = Roboter;
}

bool tFeld::Zuruecksetzen()
{
    bool gleich = GleicherRoboter(Roboter, RoboterStart);
    // Only the counts: the side flags change only while editing, which commits them.
    for (int y = 0; gleich && y < FeldHoehe; ++y)
        for (int x = 0; gleich && x < FeldBreite; ++x)
            gleich = Feld[y][x].Anzahl == StartFeld[y][x].Anzahl;
    if (gleich)
        return false;
    std::copy(&StartFeld[0][0], &StartFeld[0][0] + FeldHoehe * FeldBreite, &Feld[0][0]);
    Roboter = RoboterStart;
    worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
    worldDisplay().ZeigeMaterial(Roboter.Vorrat);
    return true;
}

void tFeld::Uebernehmen()
{
    std::copy(&Feld[0][0], &Feld[0][0] + FeldHoehe * FeldBreite, &StartFeld[0][0]);
    RoboterStart = Roboter;
}
