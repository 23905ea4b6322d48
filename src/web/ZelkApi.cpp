// The page's way into the core: a small C API over the same ports the
// desktop implements with windows. The page hands in its program texts,
// presses the run's buttons through these functions, calls zelk_tick while
// the run keeps its timer on, and draws everything from zelk_state_json.
// No rule of the language, the world or the run lives in the page.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Session.h"
#include "WorldApi.h"
#include "world/ZelkFeld.h"

namespace {

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

// Which buttons act now, as the desktop's main window enables its actions:
// Start and Einzelschritt not while the program runs (Start would translate
// and begin anew), Anhalten and Unterbrechen only while a run exists.
std::string EnabledJson(const TRun& run)
{
    // Nor while the work field is edited.
    const bool starten = run.KannStarten() && !FeldWirdVeraendert();
    return "{\"start\":" + JsonFlag(starten) + ",\"einzelschritt\":" + JsonFlag(starten) +
           ",\"anhalten\":" + JsonFlag(run.KannAnhalten()) + ",\"unterbrechen\":" + JsonFlag(run.KannAnhalten()) +
           ",\"zurueck\":" + JsonFlag(run.KannZurueck()) + ",\"compilieren\":true}";
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
        out += "{\"icon\":\"" + std::string(IconName(m.icon)) + "\",\"title\":" + JsonQuoted(m.title) +
               ",\"text\":" + JsonQuoted(m.text) + "}";
    }
    queue.clear();
    return out + "]";
}

}  // namespace

// Page index (the next free one adds a page), its name as the translator
// knows it (a unit's name), and its text in UTF-8.
ZELK_API void zelk_set_page(int index, const char* name, const char* text)
{
    S().pages.SetPage(index, name, text);
}

ZELK_API void zelk_select_page(int index) { S().pages.SelectPage(index); }

ZELK_API void zelk_start() { S().run.Start(); }
ZELK_API void zelk_step() { S().run.Einzelschritt(); }
ZELK_API void zelk_pause() { S().run.Unterbrechen(); }
ZELK_API void zelk_stop() { S().run.Anhalten(); }
ZELK_API void zelk_back() { S().run.SchrittZurueck(); }
ZELK_API void zelk_compile() { S().run.Compilieren(); }

// One tick of the step timer; 1 while the timer stays on. A tick that
// arrives after the timer went off (the page's loop lags a call behind)
// does nothing, as a stopped timer fires no more.
ZELK_API int zelk_tick()
{
    Session& s = S();
    return s.run.TimerOn() && s.run.Tick() ? 1 : 0;
}

// The breakpoint's new state: 1 set, 0 taken away.
ZELK_API int zelk_toggle_breakpoint(int page, int line) { return S().run.Breakpoints().Toggle(page, line) ? 1 : 0; }

// Everything the page shows, as one JSON object; the messages waiting and
// the line to select are handed over once. The text stays valid until the next call.
ZELK_API const char* zelk_state_json()
{
    Session& s = S();
    const TZelkZustand& r = Welt.Zustand().Roboter;
    s.json = "{\"state\":\"" + std::string(StateName(s.run.State())) + "\"" +
             ",\"paused\":" + JsonFlag(s.run.Paused()) + ",\"ready\":" + JsonFlag(s.run.Ready()) +
             ",\"timer\":" + JsonFlag(s.run.TimerOn()) + ",\"canBack\":" + JsonFlag(s.run.KannZurueck()) +
             ",\"markPage\":" + std::to_string(s.pages.markPage) +
             ",\"markLine\":" + std::to_string(s.pages.markLine) +
             ",\"selectedPage\":" + std::to_string(s.pages.selected) +
             ",\"selectLine\":" + std::to_string(s.pages.selectedLine) +
             ",\"feldPanel\":" + JsonQuoted(s.display.feldPanel) + ",\"enabled\":" + EnabledJson(s.run) +
             ",\"version\":" + std::to_string(Welt.Version()) +
             ",\"robot\":{\"x\":" + std::to_string(r.X) + ",\"y\":" + std::to_string(r.Y) +
             ",\"direction\":" + std::to_string(static_cast<int>(r.Richtung)) +
             ",\"supply\":" + std::to_string(r.Vorrat) + "}" +
             ",\"grid\":" + GridJson() + ",\"messages\":" + MessagesJson(s.messages.queue) + "}";
    // A selection is made once: the learner may move the cursor after it.
    s.pages.selectedLine = -1;
    return s.json.c_str();
}
