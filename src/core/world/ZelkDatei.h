#pragma once
// The work field file (*.ROB): one record of 1220 bytes, little-endian,
// encoded and decoded field by field so that the layout never depends on how
// the compiler lays out TZelle or TZelkZustand. The operations that use it
// (Speichern, Oeffnen, Laden, LadeArbeitsfeld) are members of tFeld.
#include <array>
#include <string>
#include <string_view>

#include "world/ZelkFeld.h"

using RobRecord = std::array<unsigned char, RobDateiGroesse>;
using RobGitter = TZelle[FeldHoehe][FeldBreite];

RobRecord RobKodieren(const TZelkZustand& roboter, const RobGitter& feld);

// Robot outside the grid, direction above 3, supply outside 0..99 or a count
// outside 0..9: the model's operations could not work with such a world.
// Side flags are taken as they are (non-zero means open).
bool RobWerteGueltig(const TZelkZustand& roboter, const RobGitter& feld);

enum class RobLesen {
    Gelesen,            // full record with valid values
    NichtGeoeffnet,     // missing, no permission, or not a regular file
    Lesefehler,         // the system reported an error while reading
    KeineKennung,       // shorter than the 4 bytes of the identification
    FalscheKennung,     // the first 4 bytes are not 201749
    Unvollstaendig,     // right identification, shorter than 1220 bytes
    UngueltigerWert,    // see RobWerteGueltig
};

// Decodes a record's bytes as the file at path would be read (bytes after
// the first record are ignored). Only Gelesen writes roboter and feld.
RobLesen RobDekodieren(std::string_view bytes, TZelkZustand& roboter, RobGitter& feld);

// Reads the file at path. Only Gelesen writes roboter and feld.
RobLesen RobDateiLesen(const std::string& path, TZelkZustand& roboter, RobGitter& feld);

// Writes one record through SafeWriteFile: a failed write leaves an existing
// file as it was, and anything but a regular file is refused.
bool RobDateiSchreiben(const std::string& path, const TZelkZustand& roboter, const RobGitter& feld);

// Whether a file handed in to be opened is a work field (its extension,
// in any case); any other file is opened as a program text.
bool IstArbeitsfeldDatei(std::string_view dateiname);

// The file to open for a work field named in a program: the name as it
// stands when that file exists or the name holds a directory; otherwise a
// file in the current directory whose name differs only in case; otherwise
// the name as it stands (which then fails to open).
std::string RobDateiFinden(const std::string& name);
