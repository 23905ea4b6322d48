#pragma once
// The teach-in sequence: up to 300 recorded robot commands, one letter each,
// and the sequence file (*.tip) that stores them as a procedure text. Only
// the bytes: the recorder window opens and writes the files, so that a fuzz
// target can reach the reader without any window.
#include <cstddef>
#include <string>
#include <string_view>

constexpr int MaxTeachinBefehle = 300;
constexpr char TeachinEndeMarke = 'E';
// How much of a sequence file is read at most.
constexpr std::size_t MaxSequenzDateiGroesse = 1024 * 1024;

// The four command letters V, D, N, G; true for those only.
bool IstTeachinBefehl(char letter);
// Performs the letter's action on Welt: V Vor, D DreheLinks, N NimmAuf, G GibAb.
void FuehreTeachinBefehlAus(char letter);

struct TGeleseneSequenz {
    std::string Befehle;       // the command letters, at most 300
    bool Abgeschnitten = false;  // the file held more than 300 commands
};

// Reads a sequence file's bytes. Only the first character of each line after
// its leading blanks and tabs counts: upper-cased, D, G, N and V each add that
// command; every other line is ignored. Lines end at CR LF, LF or a lone CR.
// A byte order mark at the start is skipped.
TGeleseneSequenz LeseSequenz(std::string_view bytes);

// The text of a sequence file, lines ended by CR LF: the directive line, the
// procedure head named after the file (without folder, extension included),
// "Begin", one line per command, and the closing line. befehle ends at its
// first end mark or after 300 commands.
std::string SequenzText(std::string_view befehle, const std::string& dateiName);

// The file operations of the recorder window, with their messages.
// Reads the file at path into befehle. A file that cannot be read shows
// "Programm existiert nicht!" and leaves befehle empty (false). More than 300
// commands show the limit message; the first 300 count as read (true).
bool SequenzLaden(const std::string& path, std::string& befehle);
// Writes befehle as a sequence file at path, asking before it replaces an
// existing file. False, after its message, when nothing was written.
bool SequenzSpeichern(const std::string& path, std::string_view befehle);
