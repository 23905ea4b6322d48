#include "language/ZelkFehler.h"

std::string ErrorMessage(TFehler code)
{
    // No default: the compiler names a code that has no message here.
    switch (code) {
    case FehlerProgramOderUnit: return "PROGRAM oder UNIT fehlt!";
    case FehlerBezeichnerFehlt: return "Bezeichner fehlt!";
    case FehlerSemikolonFehlt: return " ;  fehlt!";
    case FehlerPunktFehlt: return " .  fehlt!";
    case FehlerBeginFehlt: return "BEGIN fehlt!";
    case FehlerKlammerAufFehlt: return "( fehlt";
    case FehlerKlammerZuFehlt: return ") fehlt";
    case FehlerEndOderSemikolon: return "END fehlt oder ; fehlt!";
    case FehlerEndFehlt: return "END fehlt!";
    case FehlerBezeichnerUnbekannt: return "Bezeichner unbekannt!";
    case FehlerUntilFehlt: return "UNTIL fehlt!";
    case FehlerDoFehlt: return "DO fehlt!";
    case FehlerThenFehlt: return "THEN fehlt!";
    case FehlerAusdruck: return "Fehlerhafter Ausdruck";
    case FehlerDoppeltDeklariert: return "Bezeichner doppelt deklariert!";
    case FehlerSpeicherplatz: return "Speicherplatz zu klein!";
    case FehlerZuVieleArbeitsfelder: return "Nur 10 versch. Arbeitsfelder sind erlaubt!";
    case FehlerProzedurAlsFunktion: return "Eine Prozedur kann nicht als Funktion verwendet werden!";
    case FehlerFunktionAlsProzedur: return "Eine Funktion kann nicht als Prozedur verwendet werden!";
    case FehlerInterfaceFehlt: return "INTERFACE fehlt!";
    case FehlerImplementationFehlt: return "IMLEMENTATION fehlt!";
    case FehlerUnitNichtGefunden: return "Unit nicht gefunden";
    case FehlerKeineUnit: return "Kann keine Unit-Deklaration finden";
    case FehlerUnbekannt: return "Unbekannter Fehler !";
    }
    return std::string();
}
