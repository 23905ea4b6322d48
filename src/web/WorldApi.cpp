// The page's C API for the work field: the editing mode with its undo
// history, "Neu" and "Zurücksetzen", the manual control, the speed, and the
// field told in words. Each function does what the desktop's click, key or
// menu item does, through the world's own operations; the page only maps
// its pointer into the drawing's logical pixels and draws what it reports.
#include "WorldApi.h"

#include <algorithm>
#include <string>

#include "Session.h"
#include "execution/Geschwindigkeit.h"
#include "settings/ZelkSettings.h"
#include "world/EditHistory.h"
#include "world/FeldKlick.h"
#include "world/WeltBeschreibung.h"
#include "world/ZelkFeld.h"

namespace {

struct Feldbearbeitung {
    bool veraendern = false;
    EditHistory verlauf;
    int fokusX = 1;  // the square the keys act on
    int fokusY = 1;
    int geschwindigkeit = StartGeschwindigkeit;
    // The step timer keeps its first interval until the bar is first moved.
    int intervall = StartSchrittIntervall;
    bool vorratZiehen = false;  // a drag of the supply bar is open
};

Feldbearbeitung& F()
{
    static Feldbearbeitung f;
    return f;
}

bool Laeuft() { return S().run.State() == TRunState::Running; }

// One edit of the editing mode: a step of the undo history from
// construction to destruction. Outside the mode there is no history.
class Schritt {
public:
    Schritt() : an(F().veraendern)
    {
        if (an)
            F().verlauf.Beginne();
    }
    ~Schritt()
    {
        if (an)
            F().verlauf.Beende();
    }
    Schritt(const Schritt&) = delete;
    Schritt& operator=(const Schritt&) = delete;

private:
    bool an;
};

void FokusSetzen(int x, int y)
{
    F().fokusX = std::clamp(x, 1, int(FeldBreite));
    F().fokusY = std::clamp(y, 1, int(FeldHoehe));
}

// A colour of the options as the page's CSS writes it. A plain colour keeps
// its red in the low byte; a system colour (top bit set) has no meaning in
// the page and takes the default.
std::string CssFarbe(std::int32_t wert, std::int32_t vorgabe)
{
    std::uint32_t bits = static_cast<std::uint32_t>(wert);
    if (bits & 0x80000000u)
        bits = static_cast<std::uint32_t>(vorgabe);
    static const char hex[] = "0123456789abcdef";
    std::string out = "#";
    for (int shift : {0, 8, 16}) {
        const unsigned byte = (bits >> shift) & 0xFF;
        out += hex[byte >> 4];
        out += hex[byte & 15];
    }
    return out;
}

const int SchrittX[4] = {1, 0, -1, 0};
const int SchrittY[4] = {0, 1, 0, -1};

}  // namespace

bool FeldWirdVeraendert() { return F().veraendern; }

// "Verändern": not while a program runs. Ending the mode forgets the undo
// history and makes the edited world the start state.
ZELK_API void zelk_field_edit(int an)
{
    Feldbearbeitung& f = F();
    if ((an != 0) == f.veraendern || (an && Laeuft()))
        return;
    f.veraendern = an != 0;
    // A drag of the supply bar still open ends with the mode.
    f.vorratZiehen = false;
    f.verlauf.Loeschen();
    // The keyboard starts where Zelk stands.
    if (f.veraendern)
        FokusSetzen(Roboter.X, Roboter.Y);
    else
        Welt.Uebernehmen();
}

void VeraendernBeenden() { zelk_field_edit(0); }

// The cursor's zone at a place of the drawing (0 the arrow) while editing.
ZELK_API int zelk_field_zone(int px, int py)
{
    return F().veraendern ? static_cast<int>(KlickZone(px, py)) : 0;
}

// A click or a tap at a place of the drawing; setzen 0 is the right button.
// The keyboard goes on from the square the pointer edited.
ZELK_API void zelk_field_click(int px, int py, int setzen)
{
    if (!F().veraendern)
        return;
    const FeldKlickZiel feld = KlickFeld(px, py);
    if (feld.zone != FeldZone::Aussen)
        FokusSetzen(feld.x, feld.y);
    const Schritt schritt;
    Klicke(Welt, KlickZiel(px, py), setzen != 0);
}

// The keys of the editing mode, on the focused square; d is a direction
// (0 east, 1 north, 2 west, 3 south).
ZELK_API void zelk_field_focus_move(int d)
{
    if (F().veraendern && d >= 0 && d < 4)
        FokusSetzen(F().fokusX + SchrittX[d], F().fokusY + SchrittY[d]);
}

ZELK_API void zelk_field_wall(int d)
{
    if (!F().veraendern || d < 0 || d >= 4)
        return;
    const Schritt schritt;
    WandUmschalten(Welt, F().fokusX, F().fokusY, static_cast<TRichtung>(d));
}

ZELK_API void zelk_field_item(int dazu)
{
    if (!F().veraendern)
        return;
    const Schritt schritt;
    Welt.Gegenstand(F().fokusX, F().fokusY, dazu != 0);
}

ZELK_API void zelk_field_zelk_here()
{
    if (!F().veraendern)
        return;
    const Schritt schritt;
    Welt.SetzeZelk(F().fokusX, F().fokusY);
}

ZELK_API void zelk_field_turn()
{
    if (!F().veraendern)
        return;
    const Schritt schritt;
    Welt.DreheZelk();
}

// The supply bar while editing: every position of one drag sets the supply,
// and the drag is one step of the undo history (ende 1 closes it).
ZELK_API void zelk_field_supply(int vorrat, int ende)
{
    Feldbearbeitung& f = F();
    if (!f.veraendern)
        return;
    if (!f.vorratZiehen) {
        f.verlauf.Beginne(true);
        f.vorratZiehen = true;
    }
    {
        const Schritt schritt;
        Welt.SetzeVorrat(vorrat);
    }
    if (ende) {
        f.verlauf.Beende();
        f.vorratZiehen = false;
    }
}

ZELK_API void zelk_field_undo()
{
    if (F().veraendern)
        F().verlauf.Rueckgaengig();
}

ZELK_API void zelk_field_redo()
{
    if (F().veraendern)
        F().verlauf.Wiederholen();
}

// "Neu": an empty field and Zelk at the start, named by no file. While
// editing it is one step of the undo history.
ZELK_API void zelk_field_new()
{
    if (Laeuft())
        return;
    const Schritt schritt;
    Welt.Loeschen();
    Welt.Grundstellung();
    S().display.SetFeldPanel("Arbeitsfeld: ");
}

// "Zurücksetzen": the items and Zelk as the start state holds them.
ZELK_API void zelk_field_reset()
{
    if (Laeuft())
        return;
    const Schritt schritt;
    Welt.Zuruecksetzen();
}

// "Handsteuerung": one of the robot's commands, V vor, D drehe links, N nimm
// auf, G gib ab. The buttons are never disabled: a failure shows its
// message as in a program, and halts a running one at its next step.
ZELK_API void zelk_hand(int befehl)
{
    switch (befehl) {
    case 'V': Welt.Vor(); break;
    case 'D': Welt.DreheLinks(); break;
    case 'N': Welt.NimmAuf(); break;
    case 'G': Welt.GibAb(); break;
    default: break;
    }
}

// The speed bar: the step timer's interval follows its position.
ZELK_API void zelk_set_speed(int position)
{
    F().geschwindigkeit = GeschwindigkeitImBereich(position);
    F().intervall = SchrittIntervall(F().geschwindigkeit);
}

// The work field's part of the page, as one JSON object; valid until the next call.
ZELK_API const char* zelk_field_json()
{
    static std::string json;
    const Feldbearbeitung& f = F();
    const bool laeuft = Laeuft();
    json = "{\"editing\":" + JsonFlag(f.veraendern) + ",\"focusX\":" + std::to_string(f.fokusX) +
           ",\"focusY\":" + std::to_string(f.fokusY) + ",\"canUndo\":" + JsonFlag(f.verlauf.KannRueckgaengig()) +
           ",\"canRedo\":" + JsonFlag(f.verlauf.KannWiederholen()) + ",\"speed\":" + std::to_string(f.geschwindigkeit) +
           ",\"speedMin\":" + std::to_string(KleinsteGeschwindigkeit) +
           ",\"speedMax\":" + std::to_string(GroessteGeschwindigkeit) + ",\"interval\":" + std::to_string(f.intervall) +
           ",\"wall\":\"" + CssFarbe(Wallcolor, DefaultWallcolor) + "\",\"barrier\":\"" +
           CssFarbe(Barriercolor, DefaultBarriercolor) + "\"" +
           // The work field's menu waits while a program runs; the run's
           // menu, and with it the manual control, while the field is edited.
           ",\"enabled\":{\"neu\":" + JsonFlag(!laeuft) + ",\"zuruecksetzen\":" + JsonFlag(!laeuft) +
           ",\"veraendern\":" + JsonFlag(!laeuft) + ",\"handsteuerung\":" + JsonFlag(!f.veraendern) + "}" +
           ",\"description\":" +
           JsonQuoted(AnsichtBeschreibung(Welt, Roboter, f.veraendern, f.fokusX, f.fokusY)) + "}";
    return json.c_str();
}
