#pragma once
// The work field model: a 15 x 10 grid of squares and the robot Zelk on it,
// each in a current and a start copy, with the robot's actions and tests,
// the failure report Meldung and the work field files (*.ROB).
#include <cstdint>
#include <string>

class WorldDisplay;

constexpr int FeldBreite = 15;  // columns, X 1..15 from the left
constexpr int FeldHoehe = 10;   // rows, Y 1..10 from the bottom

// The robot's direction. A left turn adds 1 modulo 4.
enum TRichtung : std::uint8_t { Ost = 0, Nord = 1, West = 2, Sued = 3 };

struct TZelle {
    std::int32_t Anzahl = 0;                 // items on the square, 0..9
    std::uint8_t Offen[4] = {1, 1, 1, 1};    // indexed by TRichtung; 0 blocked
};

struct TZelkZustand {
    std::int32_t Vorrat = 0;     // items carried, 0..99
    std::int32_t Y = 1;          // row 1..10
    std::int32_t X = 1;          // column 1..15
    TRichtung Richtung = Ost;
};

// Size of a work field file record and its identification.
constexpr int RobDateiGroesse = 1220;
constexpr std::int32_t RobKennung = 201749;
// Dateiname when no work field was loaded: no work field name produces it.
extern const char* const KeinDateiname;  // "@@@@@@@@@"

// A work field named in a program, as reading its file found it. Reading
// and taking over are apart, so that a run's history can take over again
// what it read once, without the file.
struct TArbeitsfeldLadung {
    // As Laden returns it: 1 read, 0 the field is already the loaded one
    // (nothing read), -1 not found, -2 no work field file, -3 incomplete or
    // unreadable.
    int Ergebnis = 0;
    std::string Name;  // as the program names it
    TZelkZustand Roboter;
    TZelle Feld[FeldHoehe][FeldBreite];
};

// The status panel's text once a program loaded the work field name.
std::string ArbeitsfeldAnzeige(const std::string& name);

// Whether two robots, or two grids of squares, are the same in every value.
bool GleicherZustand(const TZelkZustand& a, const TZelkZustand& b);
bool GleichesFeld(const TZelle (&a)[FeldHoehe][FeldBreite], const TZelle (&b)[FeldHoehe][FeldBreite]);

// The rule of a barrier: it belongs to both squares beside it, the side d of
// square (x, y) and the facing side of its neighbour. The border is no
// barrier to set or take away: false, and nothing changes.
bool SetzeHindernis(TZelle (&feld)[FeldHoehe][FeldBreite], int x, int y, TRichtung d, bool hindernis);

// All that a work field is, as one value: a snapshot is one assignment.
struct TWeltZustand {
    // Grid indexed [Y-1][X-1]: row Y 1 first, within a row X 1 first.
    TZelle Feld[FeldHoehe][FeldBreite];
    TZelle StartFeld[FeldHoehe][FeldBreite];
    TZelkZustand Roboter;
    TZelkZustand RoboterStart;
    std::string Dateiname;
    bool Abbruch = false;

    TZelle& Zelle(int x, int y) { return Feld[y - 1][x - 1]; }
    const TZelle& Zelle(int x, int y) const { return Feld[y - 1][x - 1]; }
};

// The work field's owner: every change goes through it. A change of the
// squares, the start squares, Zelk or Zelk's start counts up Version and is
// told to the display once (Veraendert); a new file name or the halt flag
// alone is no change of the field.
class tFeld {
public:
    tFeld();
    tFeld(const tFeld&) = delete;
    tFeld& operator=(const tFeld&) = delete;

    // The value, read-only; Herstellen brings a kept value back.
    const TWeltZustand& Zustand() const { return z_; }
    void Herstellen(const TWeltZustand& zustand);
    std::uint64_t Version() const { return version_; }

    // The described names, read-only views of the value.
    const TZelle (&Feld)[FeldHoehe][FeldBreite];
    const TZelle (&StartFeld)[FeldHoehe][FeldBreite];
    const std::string& Dateiname;
    const bool& Abbruch;

    const TZelle& Zelle(int x, int y) const { return z_.Zelle(x, y); }

    // Actions: on failure Meldung reports it and nothing changes.
    void Vor();
    void DreheLinks();
    void NimmAuf();
    void GibAb();

    // Tests: no side effects. The language numbers them in RobotWords.
    bool HatVorrat() const;
    bool PlatzBelegt() const;
    bool VorneFrei() const;
    bool LinksFrei() const;
    bool RechtsFrei() const;
    bool Nordwaerts() const;
    bool Ostwaerts() const;
    bool Suedwaerts() const;
    bool Westwaerts() const;

    // Sets Abbruch (not for code 10) before it shows the error box.
    void Meldung(int code);

    void Loeschen();
    void Grundstellung();
    bool Zuruecksetzen();
    void Uebernehmen();
    void AbbruchLoeschen() { z_.Abbruch = false; }
    // The field is no longer the one a file holds: a program's ARBEITSFELD
    // reads its file again.
    void DateinameVergessen();

    // The editing mode's rules, each a change of the current state only.
    // A barrier belongs to both squares beside it: the side d of square
    // (x, y) and the facing side of its neighbour; the border stays shut.
    bool SetzeHindernis(int x, int y, TRichtung d, bool hindernis);
    // One item more or less on a square, within 0..9; false when none fits.
    bool Gegenstand(int x, int y, bool dazu);
    // Zelk to another square, with its direction and supply.
    bool SetzeZelk(int x, int y);
    // Zelk turned on the spot, as the editing mode turns it.
    void DreheZelk();
    void SetzeVorrat(int vorrat);

    // Work field files.
    bool Speichern(const std::string& path);
    // As above; geschrieben tells whether the file was written. It is false
    // also when the user declined to overwrite an existing file, which is
    // no failure but leaves the file as it was.
    bool Speichern(const std::string& path, bool& geschrieben);
    bool Oeffnen(const std::string& path);
    // A work field named in a program: Laden reads and takes it over
    // without a word, LadeArbeitsfeld also tells the display or reports
    // the failure. Their two halves: LiesArbeitsfeld reads and changes
    // nothing, Uebernimm takes over what was read.
    int Laden(const std::string& name);
    void LadeArbeitsfeld(const std::string& name);
    TArbeitsfeldLadung LiesArbeitsfeld(const std::string& name) const;
    int Uebernimm(const TArbeitsfeldLadung& ladung);
    void LadeArbeitsfeld(const TArbeitsfeldLadung& ladung);

private:
    TZelle& ZelleAendern(int x, int y) { return z_.Zelle(x, y); }
    TZelle& RoboterZelle();
    const TZelle& RoboterZelle() const;
    // Counts the change and tells the display.
    void Geaendert();
    void Geaendert(WorldDisplay& display);
    // Takes over a grid and a robot read from a file as current and start.
    void Uebernimm(const TZelle (&feld)[FeldHoehe][FeldBreite], const TZelkZustand& roboter);

    TWeltZustand& z_;  // the one value, which the described names view
    std::uint64_t version_ = 1;
};

extern tFeld Welt;
// Zelk now and at the start, as the description names them: views of Welt.
extern const TZelkZustand& Roboter;
extern const TZelkZustand& RoboterStart;
