#include "world/TeachinSequenz.h"

#include <sys/stat.h>

#include "files/SafeRead.h"
#include "files/SafeWrite.h"
#include "ports/Messages.h"
#include "world/ZelkFeld.h"

namespace {

struct TTeachinBefehl {
    char Buchstabe;
    const char* Zeile;       // as written to a sequence file
    void (tFeld::*Aktion)();
};

// The command words are written with underscores whatever the spelling
// option says: a sequence file is the same on every machine.
const TTeachinBefehl Befehle[] = {
    {'V', "  vor;", &tFeld::Vor},
    {'D', "  drehe_links;", &tFeld::DreheLinks},
    {'N', "  nimm_auf;", &tFeld::NimmAuf},
    {'G', "  gib_ab;", &tFeld::GibAb},
};

const TTeachinBefehl* Suche(char letter)
{
    for (const TTeachinBefehl& b : Befehle)
        if (b.Buchstabe == letter)
            return &b;
    return nullptr;
}

char GrossBuchstabe(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// The first character of a line after its leading blanks and tabs; 0 for a
// line of nothing else.
char ErstesZeichen(std::string_view zeile)
{
    for (char c : zeile)
        if (c != ' ' && c != '\t')
            return c;
    return 0;
}

}  // namespace

bool IstTeachinBefehl(char letter) { return Suche(letter) != nullptr; }

void FuehreTeachinBefehlAus(char letter)
{
    if (const TTeachinBefehl* b = Suche(letter))
        (Welt.*(b->Aktion))();
}

TGeleseneSequenz LeseSequenz(std::string_view bytes)
{
    TGeleseneSequenz ergebnis;
    // An editor may put a byte order mark before the first line; it is no
    // character of the text and must not hide that line's command.
    const std::string_view bom = "\xEF\xBB\xBF";
    std::size_t anfang = bytes.substr(0, bom.size()) == bom ? bom.size() : 0;
    while (anfang < bytes.size()) {
        std::size_t ende = bytes.find_first_of("\r\n", anfang);
        if (ende == std::string_view::npos)
            ende = bytes.size();
        const char c = GrossBuchstabe(ErstesZeichen(bytes.substr(anfang, ende - anfang)));
        if (IstTeachinBefehl(c)) {
            // Whatever lies beyond the limit is not read at all: the
            // sequence has no room for it.
            if (int(ergebnis.Befehle.size()) == MaxTeachinBefehle) {
                ergebnis.Abgeschnitten = true;
                break;
            }
            ergebnis.Befehle += c;
        }
        anfang = ende + 1;
    }
    return ergebnis;
}

std::string SequenzText(std::string_view befehle, const std::string& dateiName)
{
    const std::size_t slash = dateiName.find_last_of('/');
    const std::string name = slash == std::string::npos ? dateiName : dateiName.substr(slash + 1);
    std::string text = "{$ D- } \r\nProcedure " + name + ";\r\nBegin\r\n";
    for (std::size_t i = 0; i < befehle.size() && i < std::size_t(MaxTeachinBefehle); ++i) {
        const TTeachinBefehl* b = Suche(befehle[i]);
        if (!b)
            break;  // the end mark, or anything that is no command, ends the sequence
        text += b->Zeile;
        text += "\r\n";
    }
    return text + "End;  {$ D= }\r\n";
}

bool SequenzLaden(const std::string& path, std::string& befehle)
{
    befehle.clear();
    // A sequence of 300 commands fits in a few kilobytes; a larger file is
    // read only as far as a megabyte, and a pipe or device never blocks.
    std::string bytes;
    if (SafeReadFile(path, MaxSequenzDateiGroesse, bytes, OverLimit::KeepStart) != ReadResult::Read) {
        ShowError("Programm existiert nicht!");
        return false;
    }
    const TGeleseneSequenz gelesen = LeseSequenz(bytes);
    befehle = gelesen.Befehle;
    if (gelesen.Abgeschnitten)
        ShowError("Es sind nur 300 Befehle im Teachin-Modus möglich !");
    return true;
}

bool SequenzSpeichern(const std::string& path, std::string_view befehle)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        const MsgAnswer a = messages().Show(MsgIcon::Warning, "Warning", "Programm existiert bereits. Überschreiben?",
                                            MsgButtons::YesNo);
        if (a != MsgAnswer::Yes) {
            ShowError("Datei konnte nicht angelegt werden !");
            return false;
        }
    }
    // The old file stays as it was unless the whole new one is written.
    if (SafeWriteFile(path, SequenzText(befehle, path)) != WriteResult::Written) {
        ShowError("Fehler beim Speichern !");
        return false;
    }
    return true;
}
