#pragma once
// The world display port: what the world model tells the work field view,
// the info window and the main window's status panel.
#include <string>

class WorldDisplay {
public:
    virtual ~WorldDisplay() = default;
    // Robot picture for direction d (0 Ost .. 3 Sued) on square (x, y); with
    // loeschen the square the robot stands on now is cleared and redrawn.
    virtual void SetzeBild(int x, int y, bool loeschen, int d) { (void)x; (void)y; (void)loeschen; (void)d; }
    virtual void ZeigePosition(int x, int y) { (void)x; (void)y; }
    virtual void ZeigeMaterial(int vorrat) { (void)vorrat; }
    // Text of the main window's status panel FeldPanel.
    virtual void SetFeldPanel(const std::string& text) { (void)text; }
    // Clear the work field view and draw everything anew.
    virtual void RepaintAll() {}
    // An action or a loading has failed and its message is about to be
    // shown: the world stands as it will stay, and a display that reports
    // it only now and then reports it at once.
    virtual void Fehlschlag() {}
    // The work field changed (Welt's Version counted up): once per change,
    // also when nothing is drawn, so that what depends on the field hears of
    // it however the change was made.
    virtual void Veraendert() {}
};

WorldDisplay& worldDisplay();
void setWorldDisplay(WorldDisplay* display);  // nullptr: no display
