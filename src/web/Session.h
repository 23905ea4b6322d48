#pragma once
// The page's session: the core's ports as the page implements them, one of
// each, and the run. Every C API file of the page reaches them through S().
#include <deque>
#include <string>
#include <vector>

#include <emscripten/emscripten.h>

#include "execution/Breakpoints.h"
#include "execution/Run.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "ports/TextPages.h"
#include "ports/WorldDisplay.h"
#include "text/AsciiNames.h"
#include "text/ProgramFile.h"
#include "text/TextCodec.h"

// The editor's pages as texts the page handed in. Lines are kept in
// Windows-1252, as the desktop hands them to the scanner.
class PagePages : public TextPages {
public:
    // A unit the translator loaded from the working folder, for the editor
    // to show as a page of its own.
    struct AddedPage {
        std::string name;
        std::string text;  // UTF-8, '\n' line breaks
        std::string file;  // the file's name in the working folder
    };
    std::vector<AddedPage> added;  // since the page last asked
    int selectedLine = -1;  // the line a message or a step selected since the page last asked
    bool selectedRunLine = false;  // that line is one of the translated text, not the text now
    int markPage = -1;
    int markLine = -1;
    bool markAnnounced = false;  // a pause put the mark there: say so, once
    int translations = 0;        // successful translations so far
    TRun* run = nullptr;         // whose breakpoints a translation moves

    void SetPage(int index, const std::string& name, const std::string& utf8);
    // Pages beyond count were closed in the editor.
    void KeepPages(int count);

    bool AddPage(const std::string& name, const std::string& path) override;
    void HighlightLine(int line) override
    {
        selectedLine = line;
        selectedRunLine = false;
    }
    void ShowRunLine(int page, int line) override
    {
        SelectPage(page);
        selectedLine = line;
        selectedRunLine = true;
    }
    void ShowExecutionMark(int page, int line, bool announce) override
    {
        markPage = page;
        markLine = line;
        markAnnounced = markAnnounced || (announce && page >= 0);
    }
    void Translated() override;

    // The breakpoints as the editor shows them now, on the lines of the
    // text handed in: a translation of these lines starts from them.
    std::vector<int>& BreakpointsNow(int page);

private:
    std::vector<std::vector<int>> breakpointsNow_;  // by page
};

struct Message {
    MsgIcon icon;
    std::string title;
    std::string text;
};

// Every box waits in a queue until the page asks for the state. The page
// cannot stop the core until a button is pressed, so a question gets its
// cautious answer, as the command-line runner gives it.
class QueuedMessages : public Messages {
public:
    std::deque<Message> queue;

    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override
    {
        queue.push_back({icon, Utf8(title), Utf8(text)});
        switch (buttons) {
        case MsgButtons::Ok: return MsgAnswer::Ok;
        case MsgButtons::OkCancel: return MsgAnswer::Cancel;
        default: return MsgAnswer::No;
        }
    }

private:
    // A message may quote a word of the program in the scanner's bytes.
    static std::string Utf8(const std::string& s) { return IsValidUtf8(s) ? s : Windows1252ToUtf8(s); }
};

// The page draws the field from the world value; it only needs to know that
// it changed. A change outside the run ends its history, as on the desktop.
class ChangedDisplay : public WorldDisplay {
public:
    TRun* run = nullptr;
    std::string feldPanel;
    void Veraendert() override
    {
        if (run)
            run->WeltGeaendert();
    }
    void SetFeldPanel(const std::string& text) override { feldPanel = text; }
};

class RecordedEvents : public TRunEvents {
public:
    TRunState state = TRunState::Idle;
    void StateChanged(TRunState s) override { state = s; }
};

struct Session {
    PagePages pages;
    QueuedMessages messages;
    ChangedDisplay display;
    RecordedEvents events;
    TRun run{events};
    std::string json;

    Session();
};

// The one session, made on first use.
Session& S();

// JSON text of a UTF-8 string, quotes included.
std::string JsonQuoted(const std::string& s);

// JSON text of a truth value.
inline std::string JsonFlag(bool b) { return b ? "true" : "false"; }

// A function of the page's C API: kept and exported under its own name.
#define ZELK_API extern "C" EMSCRIPTEN_KEEPALIVE
