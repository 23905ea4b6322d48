// The learner's files in the page: programs, units and work fields read and
// written in the core's working folder (emscripten's memory file system)
// exactly as the desktop reads and writes them, so that a file saved here
// opens on the desktop unchanged and the other way round. The page moves
// the bytes between that folder and the device; it decodes nothing itself.
#include <string>

#include "Session.h"
#include "WorldApi.h"
#include "execution/ZelkCode.h"
#include "text/ProgramFile.h"
#include "world/ZelkDatei.h"
#include "world/ZelkFeld.h"

namespace {

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The page a file is shown under: its name without folder and the last
// extension, spelt as the desktop's editor spells page names.
std::string PageOfFile(const std::string& fileName)
{
    const std::string name = FileNameOf(fileName);
    const std::size_t dot = name.rfind('.');
    return PageNameOf(dot == std::string::npos ? name : name.substr(0, dot));
}

// The reasons the page can meet; a file it stored itself is always there
// and regular, so the desktop's reasons about folders and rights never come.
std::string ReadFailureReason(ReadResult read)
{
    switch (read) {
    case ReadResult::TooLarge: return TooLargeReason();
    case ReadResult::ReadError: return "Lesefehler.";
    case ReadResult::NotFound: return "Die Datei existiert nicht.";
    default: return "Die Datei lässt sich nicht öffnen.";
    }
}

int EncodingNumber(TextEncoding e) { return static_cast<int>(e); }

std::string& Answer()
{
    static std::string answer;
    return answer;
}

const char* Give(const std::string& json)
{
    Answer() = json;
    return Answer().c_str();
}

// A translation's pages as the core holds them: the pages it loaded from
// files itself are not yet pages of the editor, so the page takes their
// text from here.
std::string PageTextOf(int index)
{
    const PagePages& pages = S().pages;
    if (index < 0 || index >= pages.PageCount())
        return std::string();
    std::string text;
    const auto& lines = pages.pages[index].lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return Windows1252ToUtf8(text);
}

}  // namespace

// A program or unit file of the working folder, read as the desktop's
// editor reads it: {"page","text","encoding"}, or {"error"} after the
// desktop's box was shown.
ZELK_API const char* zelk_read_program(const char* fileName)
{
    std::string text;
    TextEncoding encoding = TextEncoding::Windows1252;
    const ReadResult read = ReadProgramFile(fileName, text, &encoding);
    std::string reason = read == ReadResult::Read ? LineBreakCharacterReason(text) : ReadFailureReason(read);
    if (!reason.empty()) {
        ShowError(FileFailureText(fileName, false, reason));
        return Give("{\"error\":true}");
    }
    return Give("{\"page\":" + JsonQuoted(PageOfFile(fileName)) + ",\"text\":" + JsonQuoted(text) +
                ",\"encoding\":" + std::to_string(EncodingNumber(encoding)) + "}");
}

// Writes a page's text (UTF-8, '\n' line breaks) into the working folder as
// the desktop saves it. encoding: the one the page was read in; -1 for a
// page without one, which keeps the encoding of a file of that name already
// there (a unit the core loaded) and is Windows-1252 otherwise. Answers
// {"page","encoding"}, or {"error"} after the desktop's box was shown.
ZELK_API const char* zelk_write_program(const char* fileName, const char* text, int encoding)
{
    TextEncoding used = TextEncoding::Windows1252;
    if (encoding >= 0 && encoding <= EncodingNumber(TextEncoding::Utf8Bom)) {
        used = static_cast<TextEncoding>(encoding);
    } else {
        std::string old;
        if (ReadProgramFile(fileName, old, &used) != ReadResult::Read)
            used = TextEncoding::Windows1252;
    }
    if (WriteProgramFile(fileName, text, &used) != WriteResult::Written) {
        ShowError(FileFailureText(fileName, true, "Schreibfehler: Datenträger voll oder schreibgeschützt?"));
        return Give("{\"error\":true}");
    }
    return Give("{\"page\":" + JsonQuoted(PageOfFile(fileName)) + ",\"encoding\":" +
                std::to_string(EncodingNumber(used)) + "}");
}

// 1 when a file handed in to be opened is a work field, 0 a program text.
ZELK_API int zelk_is_world_file(const char* fileName) { return IstArbeitsfeldDatei(fileName) ? 1 : 0; }

// Opens a work field file as the desktop's "Arbeitsfeld öffnen" does, its
// messages included; 1 when the field was taken over.
ZELK_API int zelk_open_world(const char* path)
{
    if (!Welt.Oeffnen(path))
        return 0;
    S().display.feldPanel = ArbeitsfeldAnzeige(FileNameOf(path));
    return 1;
}

// Saves the work field (its start state, which a run begins from) as the
// desktop's "Arbeitsfeld speichern" writes it. The page has asked for the
// name already, so nothing is asked again here.
ZELK_API int zelk_save_world(const char* path)
{
    // What was edited is saved: the editing mode ends first, as on the desktop.
    VeraendernBeenden();
    if (!RobDateiSchreiben(path, RoboterStart, Welt.StartFeld)) {
        ShowError("Arbeitsfeld konnte nicht gespeichert werden!");
        return 0;
    }
    S().display.feldPanel = ArbeitsfeldAnzeige(FileNameOf(path));
    return 1;
}

// The file the work field was last read from (opened or named by a
// program), without its folder; empty when none.
ZELK_API const char* zelk_world_file_name()
{
    const std::string& name = Welt.Dateiname;
    return Give(name == KeinDateiname ? std::string() : FileNameOf(name));
}

// The whole work field, kept in the browser between visits: two records
// of the work field file, the current state and the start state.
ZELK_API int zelk_keep_world(const char* path)
{
    const RobRecord jetzt = RobKodieren(Roboter, Welt.Feld);
    const RobRecord start = RobKodieren(RoboterStart, Welt.StartFeld);
    std::string bytes(jetzt.begin(), jetzt.end());
    bytes.append(start.begin(), start.end());
    return SafeWriteFile(path, bytes) == WriteResult::Written ? 1 : 0;
}

// Brings a kept work field back; 0 when the bytes are no such pair (the
// field then stays as it is). The panel text is the one kept beside it.
// The field no longer counts as read from its file, so a program's
// ARBEITSFELD reads that file again.
ZELK_API int zelk_restore_world(const char* path, const char* panel)
{
    std::string bytes;
    if (SafeReadFile(path, 2 * RobDateiGroesse, bytes) != ReadResult::Read || bytes.size() != 2 * RobDateiGroesse)
        return 0;
    TWeltZustand z = Welt.Zustand();
    if (RobDekodieren(std::string_view(bytes).substr(0, RobDateiGroesse), z.Roboter, z.Feld) != RobLesen::Gelesen ||
        RobDekodieren(std::string_view(bytes).substr(RobDateiGroesse), z.RoboterStart, z.StartFeld) !=
            RobLesen::Gelesen)
        return 0;
    z.Dateiname = KeinDateiname;
    Welt.Herstellen(z);
    S().display.feldPanel = panel;
    return 1;
}

// What the last translation read: the pages in the order it read them
// (the program first) with the text of each as the core holds it, and the
// files of the work fields the program names, as far as they are there.
ZELK_API const char* zelk_translated_json()
{
    std::string out = "{\"pages\":[";
    for (std::size_t i = 0; i < TranslatedPages.size(); ++i) {
        const int page = TranslatedPages[i];
        out += (i ? ",{" : "{") + std::string("\"index\":") + std::to_string(page) +
               ",\"name\":" + JsonQuoted(S().pages.PageName(page)) + ",\"text\":" + JsonQuoted(PageTextOf(page)) + "}";
    }
    out += "],\"fields\":[";
    bool first = true;
    for (int i = 0; i < WorkFieldCount; ++i) {
        // The file ARBEITSFELD reads, when the learner has it.
        const std::string file = RobDateiFinden(WorkFieldNames[i] + ".ROB");
        std::string bytes;
        if (SafeReadFile(file, RobDateiGroesse, bytes) != ReadResult::Read)
            continue;
        out += (first ? "" : ",") + JsonQuoted(file);
        first = false;
    }
    return Give(out + "]}");
}
