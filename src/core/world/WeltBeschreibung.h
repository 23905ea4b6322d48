#pragma once
// The world told in German sentences, for those who cannot see the work
// field: where Zelk stands and what it finds there, and what one square
// holds. A screen reader reads them as the description of the view.
#include <string>

#include "world/ZelkFeld.h"

// "Zelk steht auf Spalte 3, Zeile 5 und schaut nach Osten. Vorrat 4. Hier
// liegen 2 Gegenstände. Vorne frei, links Wand, rechts frei." The sides are
// those that VORNE_FREI, LINKS_FREI and RECHTS_FREI test.
std::string ZelkBeschreibung(const tFeld& welt, const TZelkZustand& zelk);

// "schaut nach Osten": where Zelk looks, in the words of ZelkBeschreibung;
// also the description of the robot's picture.
std::string Blickrichtung(TRichtung richtung);

// Square (x, y) as the editing mode shows it: its items, whether Zelk stands
// on it, and each side free, blocked by a barrier, or the field's border.
std::string FeldBeschreibung(const tFeld& welt, const TZelkZustand& zelk, int x, int y);

// The work field's view in words: where Zelk stands, and while editing
// first the square (x, y) that the keys act on.
std::string AnsichtBeschreibung(const tFeld& welt, const TZelkZustand& zelk, bool veraendern, int x, int y);
