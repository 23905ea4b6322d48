#pragma once
// Source errors: the codes the translator reports through its one error
// routine, and their messages. The numbers are the language's own; the
// names say at the call site what went wrong.
#include <string>

enum TFehler : int {
    FehlerProgramOderUnit = 1,       // the main file starts with neither PROGRAM nor UNIT
    FehlerBezeichnerFehlt = 2,
    FehlerSemikolonFehlt = 3,
    FehlerPunktFehlt = 4,            // a program or unit does not end with a period
    FehlerBeginFehlt = 5,
    FehlerKlammerAufFehlt = 6,       // ARBEITSFELD without "("
    FehlerKlammerZuFehlt = 7,
    FehlerEndOderSemikolon = 8,      // a block's statement list not followed by END
    FehlerEndFehlt = 9,              // a BEGIN statement or a unit's implementation unclosed
    FehlerBezeichnerUnbekannt = 10,
    FehlerUntilFehlt = 11,
    FehlerDoFehlt = 12,
    FehlerThenFehlt = 13,
    FehlerAusdruck = 14,             // a factor that starts with nothing a factor can
    FehlerDoppeltDeklariert = 15,
    FehlerSpeicherplatz = 16,        // the instruction table is full, or text nests too deep
    FehlerZuVieleArbeitsfelder = 17,
    FehlerProzedurAlsFunktion = 18,
    FehlerFunktionAlsProzedur = 19,
    FehlerInterfaceFehlt = 20,
    FehlerImplementationFehlt = 21,
    FehlerUnitNichtGefunden = 22,
    FehlerKeineUnit = 24,            // a file named in USES that does not start with UNIT
    FehlerUnbekannt = 30,            // an interface name of a unit left without a block
};

// The message shown for a code, exactly as stored; empty for a number that
// is no code.
std::string ErrorMessage(TFehler code);
