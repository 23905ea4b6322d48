#pragma once
// The examples as the manual holds them: field pictures in
// <pre class="feld" data-name="NAME" data-vorrat="N"> and program texts in
// <pre class="programm" data-datei="NAME.PAS">, HTML-escaped (&gt; &lt; &amp;).
#include <string>
#include <vector>

#include "FeldBild.h"

struct TProgrammText {
    std::string Datei;  // NAME.PAS
    std::string Text;   // as shown, lines ended by "\n"
};

// Every field picture of the manual. Stops at the first bad picture and
// says why in fehler; none at all is an error as well.
bool FeldBilderAusHandbuch(const std::string& html, std::vector<TFeldBild>& bilder,
                           std::string& fehler);

// Every program text of the manual; none at all is an error.
bool ProgrammeAusHandbuch(const std::string& html, std::vector<TProgrammText>& programme,
                          std::string& fehler);
