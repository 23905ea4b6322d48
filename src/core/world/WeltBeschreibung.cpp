#include "world/WeltBeschreibung.h"

namespace {

// Indexed by TRichtung.
const char* const Himmelsrichtung[4] = {"Osten", "Norden", "Westen", "Süden"};

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

std::string Ort(int x, int y)
{
    return "Spalte " + std::to_string(x) + ", Zeile " + std::to_string(y);
}

std::string Gegenstaende(int anzahl)
{
    if (anzahl <= 0)
        return "Hier liegt nichts.";
    if (anzahl == 1)
        return "Hier liegt 1 Gegenstand.";
    return "Hier liegen " + std::to_string(anzahl) + " Gegenstände.";
}

const char* Frei(const TZelle& zelle, int d) { return zelle.Offen[d % 4] != 0 ? "frei" : "Wand"; }

// The outer sides are the border whatever a loaded file says of them: Zelk
// cannot pass them, and editing cannot change them.
bool AmRand(int x, int y, int d)
{
    switch (d) {
    case Ost: return x == FeldBreite;
    case Nord: return y == FeldHoehe;
    case West: return x == 1;
    default: return y == 1;
    }
}

std::string Seite(const TZelle& zelle, int x, int y, int d)
{
    const char* art = AmRand(x, y, d) ? "Rand" : zelle.Offen[d] != 0 ? "frei" : "Hindernis";
    return std::string(Himmelsrichtung[d]) + " " + art;
}

}  // namespace

std::string Blickrichtung(TRichtung richtung)
{
    return std::string("schaut nach ") + Himmelsrichtung[richtung % 4];
}

std::string ZelkBeschreibung(const tFeld& welt, const TZelkZustand& zelk)
{
    if (!ImFeld(zelk.X, zelk.Y))
        return "Zelk steht nicht auf dem Arbeitsfeld.";
    const int d = zelk.Richtung % 4;
    const TZelle& zelle = welt.Zelle(zelk.X, zelk.Y);
    return "Zelk steht auf " + Ort(zelk.X, zelk.Y) + " und " + Blickrichtung(TRichtung(d)) +
           ". Vorrat " + std::to_string(zelk.Vorrat) + ". " + Gegenstaende(zelle.Anzahl) +
           " Vorne " + Frei(zelle, d) + ", links " + Frei(zelle, d + 1) + ", rechts " +
           Frei(zelle, d + 3) + ".";
}

std::string FeldBeschreibung(const tFeld& welt, const TZelkZustand& zelk, int x, int y)
{
    if (!ImFeld(x, y))
        return Ort(x, y) + " liegt nicht auf dem Arbeitsfeld.";
    const TZelle& zelle = welt.Zelle(x, y);
    std::string text = Ort(x, y) + ".";
    if (zelk.X == x && zelk.Y == y)
        text += " Zelk steht hier.";
    text += " " + Gegenstaende(zelle.Anzahl) + " ";
    // Clockwise from north, as a map is read.
    text += Seite(zelle, x, y, Nord) + ", " + Seite(zelle, x, y, Ost) + ", " + Seite(zelle, x, y, Sued) +
            ", " + Seite(zelle, x, y, West) + ".";
    return text;
}

std::string AnsichtBeschreibung(const tFeld& welt, const TZelkZustand& zelk, bool veraendern, int x, int y)
{
    const std::string text = ZelkBeschreibung(welt, zelk);
    return veraendern ? FeldBeschreibung(welt, zelk, x, y) + " " + text : text;
}
