// The page's way into the core: a small C API over the same ports the
// desktop implements with windows. The page hands in its program texts,
// presses the run's buttons through these functions, calls zelk_tick while
// the run keeps its timer on, and draws everything from zelk_state_json.
// No rule of the language, the world or the run lives in the page.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "execution/Run.h"
#include "language/ZelkKey.h"
#include "ports/Messages.h"
#include "ports/SourcePages.h"
#include "ports/WorldDisplay.h"
#include "text/AsciiNames.h"
#include "text/TextCodec.h"
#include "world/ZelkFeld.h"

namespace {

// The editor's pages as texts the page handed in. Lines are kept in
// Windows-1252, as the desktop hands them to the scanner.
class PagePages : public SourcePages {
public:
    struct Page {
        std::string name;
        std::vector<std::string> lines;
    };
    std::vector<Page> pages;
    int selected = -1;
    int selectedLine = -1;  // the line a message or a step selected since the page last asked
    int markPage = -1;
    int markLine = -1;

    void SetPage(int index, const std::string& name, const std::string& utf8)
    {
        if (index < 0 || index > PageCount())
            return;
        Page page{name, SplitLines(Utf8ToWindows1252(utf8))};
        if (index == PageCount())
            pages.push_back(page);
        else
            pages[index] = page;
        if (selected < 0)
            selected = index;
    }

    int PageCount() const override { return static_cast<int>(pages.size()); }
    int SelectedPage() const override { return selected; }
    void SelectPage(int index) override
    {
        if (index >= 0 && index < PageCount())
            selected = index;
    }
    std::string PageName(int index) const override
    {
        return index >= 0 && index < PageCount() ? pages[index].name : std::string();
    }
    std::string CurrentPageName() const override { return PageName(selected); }
    int IndexOfPage(const std::string& name) const override
    {
        for (int i = 0; i < PageCount(); ++i)
            if (EqualIgnoringAsciiCase(pages[i].name, name))
                return i;
        return -1;
    }
    // The page has no files yet: a unit must be a page it handed in.
    bool AddPage(const std::string&, const std::string&) override { return false; }
    int LineCount() const override
    {
        return selected >= 0 ? static_cast<int>(pages[selected].lines.size()) : 0;
    }
    std::string Line(int index) const override
    {
        return index >= 0 && index < LineCount() ? pages[selected].lines[index] : std::string();
    }
    void HighlightLine(int line) override { selectedLine = line; }
    void ShowExecutionMark(int page, int line, bool) override
    {
        markPage = page;
        markLine = line;
    }
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

    Session()
    {
        setSourcePages(&pages);
        setMessages(&messages);
        setWorldDisplay(&display);
        setRunControl(&run);
        display.run = &run;
        run.FeldPanelAnzeige = [this] { return display.feldPanel; };
        RebuildKeyTable();
    }
};

Session& S()
{
    static Session session;
    return session;
}

// JSON text of a UTF-8 string.
std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* IconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Error: return "error";
    case MsgIcon::Warning: return "warning";
    case MsgIcon::Question: return "question";
    case MsgIcon::Information: return "information";
    default: return "none";
    }
}

const char* StateName(TRunState state)
{
    switch (state) {
    case TRunState::Running: return "running";
    case TRunState::Interrupted: return "interrupted";
    default: return "idle";
    }
}

std::string Flag(bool b) { return b ? "true" : "false"; }

// Which buttons act now, as the desktop's main window enables its actions:
// Start and Einzelschritt not while the program runs (Start would translate
// and begin anew), Anhalten and Unterbrechen only while a run exists.
std::string EnabledJson(const TRun& run)
{
    return "{\"start\":" + Flag(run.KannStarten()) + ",\"einzelschritt\":" + Flag(run.KannStarten()) +
           ",\"anhalten\":" + Flag(run.KannAnhalten()) + ",\"unterbrechen\":" + Flag(run.KannAnhalten()) +
           ",\"zurueck\":" + Flag(run.KannZurueck()) + ",\"compilieren\":true}";
}

std::string GridJson()
{
    // Rows from Y 1 upwards, squares from X 1: [items, open east, north, west, south].
    std::string out = "[";
    for (int y = 1; y <= FeldHoehe; ++y) {
        out += y > 1 ? ",[" : "[";
        for (int x = 1; x <= FeldBreite; ++x) {
            const TZelle& z = Welt.Zelle(x, y);
            out += x > 1 ? ",[" : "[";
            out += std::to_string(z.Anzahl);
            for (int d = 0; d < 4; ++d)
                out += z.Offen[d] ? ",1" : ",0";
            out += "]";
        }
        out += "]";
    }
    return out + "]";
}

std::string MessagesJson(std::deque<Message>& queue)
{
    std::string out = "[";
    for (size_t i = 0; i < queue.size(); ++i) {
        const Message& m = queue[i];
        out += i ? "," : "";
        out += "{\"icon\":\"" + std::string(IconName(m.icon)) + "\",\"title\":" + Quoted(m.title) +
               ",\"text\":" + Quoted(m.text) + "}";
    }
    queue.clear();
    return out + "]";
}

}  // namespace

extern "C" {

// Page index (the next free one adds a page), its name as the translator
// knows it (a unit's name), and its text in UTF-8.
void zelk_set_page(int index, const char* name, const char* text)
{
    S().pages.SetPage(index, name, text);
}

void zelk_select_page(int index) { S().pages.SelectPage(index); }

void zelk_start() { S().run.Start(); }
void zelk_step() { S().run.Einzelschritt(); }
void zelk_pause() { S().run.Unterbrechen(); }
void zelk_stop() { S().run.Anhalten(); }
void zelk_back() { S().run.SchrittZurueck(); }
void zelk_compile() { S().run.Compilieren(); }

// One tick of the step timer; 1 while the timer stays on. A tick that
// arrives after the timer went off (the page's loop lags a call behind)
// does nothing, as a stopped timer fires no more.
int zelk_tick()
{
    Session& s = S();
    return s.run.TimerOn() && s.run.Tick() ? 1 : 0;
}

// The breakpoint's new state: 1 set, 0 taken away.
int zelk_toggle_breakpoint(int page, int line) { return S().run.Breakpoints().Toggle(page, line) ? 1 : 0; }

// Everything the page shows, as one JSON object; the messages waiting and
// the line to select are handed over once. The text stays valid until the next call.
const char* zelk_state_json()
{
    Session& s = S();
    const TZelkZustand& r = Welt.Zustand().Roboter;
    s.json = "{\"state\":\"" + std::string(StateName(s.run.State())) + "\"" +
             ",\"paused\":" + Flag(s.run.Paused()) + ",\"ready\":" + Flag(s.run.Ready()) +
             ",\"timer\":" + Flag(s.run.TimerOn()) + ",\"canBack\":" + Flag(s.run.KannZurueck()) +
             ",\"markPage\":" + std::to_string(s.pages.markPage) +
             ",\"markLine\":" + std::to_string(s.pages.markLine) +
             ",\"selectedPage\":" + std::to_string(s.pages.selected) +
             ",\"selectLine\":" + std::to_string(s.pages.selectedLine) +
             ",\"feldPanel\":" + Quoted(s.display.feldPanel) + ",\"enabled\":" + EnabledJson(s.run) +
             ",\"version\":" + std::to_string(Welt.Version()) +
             ",\"robot\":{\"x\":" + std::to_string(r.X) + ",\"y\":" + std::to_string(r.Y) +
             ",\"direction\":" + std::to_string(static_cast<int>(r.Richtung)) +
             ",\"supply\":" + std::to_string(r.Vorrat) + "}" +
             ",\"grid\":" + GridJson() + ",\"messages\":" + MessagesJson(s.messages.queue) + "}";
    // A selection is made once: the learner may move the cursor after it.
    s.pages.selectedLine = -1;
    return s.json.c_str();
}

}  // extern "C"
