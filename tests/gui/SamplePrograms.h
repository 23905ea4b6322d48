#pragma once
// Programs that several GUI tests run through the real windows.
#include <QString>

// Walks to the wall, then one step too far: the run halts with a world error.
inline const QString Wand = QStringLiteral(
    "PROGRAM Wand;\n"
    "BEGIN\n"
    "WHILE VORNE_FREI DO VOR;\n"
    "VOR\n"
    "END.");

// Turns on the spot until stopped: the square stays empty.
inline const QString Kreis = QStringLiteral(
    "PROGRAM Kreis;\n"
    "BEGIN\n"
    "WHILE NOT PLATZ_BELEGT DO\n"
    "DREHE_LINKS\n"
    "END.");

// A unit with one procedure, two steps forward.
inline const QString Werkzeug = QStringLiteral(
    "UNIT Werkzeug;\n"
    "INTERFACE\n"
    "PROCEDURE Zweimal;\n"
    "IMPLEMENTATION\n"
    "PROCEDURE Zweimal;\n"
    "BEGIN\n"
    "VOR;\n"
    "VOR\n"
    "END;\n"
    "END.");
