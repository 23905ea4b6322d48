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

namespace {
// The value comes before Welt, whose constructor sets it; the described
// names are bound to it before any code runs. The world's own operations
// use it directly: a step of a run reaches it without a detour.
TWeltZustand weltZustand;
}  // namespace

tFeld Welt;
const TZelkZustand& Roboter = weltZustand.Roboter;
const TZelkZustand& RoboterStart = weltZustand.RoboterStart;

namespace {

// Forward step of each direction, indexed by TRichtung.
constexpr int SchrittX[4] = {1, 0, -1, 0};
constexpr int SchrittY[4] = {0, 1, 0, -1};

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

int Links(int d) { return (d + 1) % 4; }
int Rechts(int d) { return (d + 3) % 4; }

}  // namespace

tFeld::tFeld()
    : Feld(weltZustand.Feld), StartFeld(weltZustand.StartFeld), Dateiname(weltZustand.Dateiname),
      Abbruch(weltZustand.Abbruch), z_(weltZustand)
{
    Loeschen();
    Grundstellung();
}

// The square the robot stands on. Loading and editing keep the robot inside
// the grid; the clamp only keeps a stray value from reaching outside Feld.
TZelle& tFeld::RoboterZelle()
{
    return weltZustand.Zelle(std::clamp<int>(weltZustand.Roboter.X, 1, FeldBreite), std::clamp<int>(weltZustand.Roboter.Y, 1, FeldHoehe));
}
const TZelle& tFeld::RoboterZelle() const
{
    return weltZustand.Zelle(std::clamp<int>(weltZustand.Roboter.X, 1, FeldBreite), std::clamp<int>(weltZustand.Roboter.Y, 1, FeldHoehe));
}

void tFeld::Geaendert() { Geaendert(worldDisplay()); }

void tFeld::Geaendert(WorldDisplay& display)
{
    ++version_;
    display.Veraendert();
}

void tFeld::Herstellen(const TWeltZustand& zustand)
{
    const bool anders = !GleichesFeld(weltZustand.Feld, zustand.Feld) || !GleichesFeld(weltZustand.StartFeld, zustand.StartFeld) ||
                        !GleicherZustand(weltZustand.Roboter, zustand.Roboter) ||
                        !GleicherZustand(weltZustand.RoboterStart, zustand.RoboterStart);
    weltZustand = zustand;
    if (anders)
        Geaendert();
}

void tFeld::DateinameVergessen() { weltZustand.Dateiname = KeinDateiname; }

// --- Actions ---

void tFeld::Vor()
{
    TZelkZustand& r = weltZustand.Roboter;
    const int d = r.Richtung % 4;
    const int x = r.X + SchrittX[d];
    const int y = r.Y + SchrittY[d];
    // The bounds check stands beside the flag: a file may leave a border side open.
    if (RoboterZelle().Offen[d] == 0 || !ImFeld(x, y)) {
        Meldung(1);
        return;
    }
    // The view clears the old square while Roboter still names it.
    WorldDisplay& display = worldDisplay();
    display.SetzeBild(x, y, true, d);
    r.X = x;
    r.Y = y;
    Geaendert(display);
    display.ZeigePosition(x, y);
}

void tFeld::DreheLinks()
{
    TZelkZustand& r = weltZustand.Roboter;
    r.Richtung = static_cast<TRichtung>(Links(r.Richtung));
    WorldDisplay& display = worldDisplay();
    Geaendert(display);
    display.SetzeBild(r.X, r.Y, false, r.Richtung);
}

void tFeld::NimmAuf()
{
    TZelle& zelle = RoboterZelle();
    TZelkZustand& r = weltZustand.Roboter;
    if (zelle.Anzahl <= 0) {
        Meldung(2);
        return;
    }
    if (r.Vorrat >= 99) {
        Meldung(6);
        return;
    }
    --zelle.Anzahl;
    ++r.Vorrat;
    WorldDisplay& display = worldDisplay();
    Geaendert(display);
    display.ZeigeMaterial(r.Vorrat);
}

void tFeld::GibAb()
{
    TZelle& zelle = RoboterZelle();
    TZelkZustand& r = weltZustand.Roboter;
    if (r.Vorrat <= 0) {
        Meldung(3);
        return;
    }
    if (zelle.Anzahl >= 9) {
        Meldung(4);
        return;
    }
    ++zelle.Anzahl;
    --r.Vorrat;
    WorldDisplay& display = worldDisplay();
    Geaendert(display);
    display.ZeigeMaterial(r.Vorrat);
}

// --- Tests ---

bool tFeld::HatVorrat() const { return Roboter.Vorrat > 0; }
bool tFeld::PlatzBelegt() const { return RoboterZelle().Anzahl > 0; }
bool tFeld::VorneFrei() const { return RoboterZelle().Offen[Roboter.Richtung % 4] != 0; }
bool tFeld::LinksFrei() const { return RoboterZelle().Offen[Links(Roboter.Richtung)] != 0; }
bool tFeld::RechtsFrei() const { return RoboterZelle().Offen[Rechts(Roboter.Richtung)] != 0; }
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
        weltZustand.Abbruch = true;
    worldDisplay().Fehlschlag();
    ShowError(text);
}

// --- Whole-world operations ---

void tFeld::Loeschen()
{
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x) {
            TZelle& zelle = ZelleAendern(x, y);
            zelle.Anzahl = 0;
            zelle.Offen[Ost] = x < FeldBreite;
            zelle.Offen[Nord] = y < FeldHoehe;
            zelle.Offen[West] = x > 1;
            zelle.Offen[Sued] = y > 1;
        }
    std::copy(&weltZustand.Feld[0][0], &weltZustand.Feld[0][0] + FeldHoehe * FeldBreite, &weltZustand.StartFeld[0][0]);
    weltZustand.Dateiname = KeinDateiname;
    Geaendert();
}

void tFeld::Grundstellung()
{
    weltZustand.Roboter = TZelkZustand{0, 1, 1, Ost};
    weltZustand.RoboterStart = weltZustand.Roboter;
    Geaendert();
}

bool tFeld::Zuruecksetzen()
{
    bool gleich = GleicherZustand(weltZustand.Roboter, weltZustand.RoboterStart);
    // Only the counts: the side flags change only while editing, which commits them.
    for (int y = 0; gleich && y < FeldHoehe; ++y)
        for (int x = 0; gleich && x < FeldBreite; ++x)
            gleich = weltZustand.Feld[y][x].Anzahl == weltZustand.StartFeld[y][x].Anzahl;
    if (gleich)
        return false;
    std::copy(&weltZustand.StartFeld[0][0], &weltZustand.StartFeld[0][0] + FeldHoehe * FeldBreite, &weltZustand.Feld[0][0]);
    weltZustand.Roboter = weltZustand.RoboterStart;
    Geaendert();
    worldDisplay().ZeigePosition(weltZustand.Roboter.X, weltZustand.Roboter.Y);
    worldDisplay().ZeigeMaterial(weltZustand.Roboter.Vorrat);
    return true;
}

void tFeld::Uebernehmen()
{
    const bool gleich = GleichesFeld(weltZustand.Feld, weltZustand.StartFeld) && GleicherZustand(weltZustand.Roboter, weltZustand.RoboterStart);
    std::copy(&weltZustand.Feld[0][0], &weltZustand.Feld[0][0] + FeldHoehe * FeldBreite, &weltZustand.StartFeld[0][0]);
    weltZustand.RoboterStart = weltZustand.Roboter;
    if (!gleich)
        Geaendert();
}

// --- Editing ---

bool SetzeHindernis(TZelle (&feld)[FeldHoehe][FeldBreite], int x, int y, TRichtung d, bool hindernis)
{
    const int nx = x + SchrittX[d];
    const int ny = y + SchrittY[d];
    if (!ImFeld(x, y) || !ImFeld(nx, ny))
        return false;
    const std::uint8_t offen = hindernis ? 0 : 1;
    feld[y - 1][x - 1].Offen[d] = offen;
    feld[ny - 1][nx - 1].Offen[(d + 2) % 4] = offen;
    return true;
}

bool tFeld::SetzeHindernis(int x, int y, TRichtung d, bool hindernis)
{
    if (!::SetzeHindernis(weltZustand.Feld, x, y, d, hindernis))
        return false;
    Geaendert();
    return true;
}

bool tFeld::Gegenstand(int x, int y, bool dazu)
{
    if (!ImFeld(x, y))
        return false;
    std::int32_t& anzahl = ZelleAendern(x, y).Anzahl;
    if (dazu ? anzahl >= 9 : anzahl <= 0)
        return false;
    anzahl += dazu ? 1 : -1;
    Geaendert();
    return true;
}

bool tFeld::SetzeZelk(int x, int y)
{
    if (!ImFeld(x, y) || (x == weltZustand.Roboter.X && y == weltZustand.Roboter.Y))
        return false;
    weltZustand.Roboter.X = x;
    weltZustand.Roboter.Y = y;
    Geaendert();
    return true;
}

void tFeld::DreheZelk()
{
    weltZustand.Roboter.Richtung = static_cast<TRichtung>(Links(weltZustand.Roboter.Richtung));
    Geaendert();
}

void tFeld::SetzeVorrat(int vorrat)
{
    vorrat = std::clamp(vorrat, 0, 99);
    if (vorrat == weltZustand.Roboter.Vorrat)
        return;
    weltZustand.Roboter.Vorrat = vorrat;
    Geaendert();
}
