#pragma once
// The world display port for the windowed program: what the world model
// reports goes to the work field view, the info window and the main window's
// status panel FeldPanel.
#include <functional>
#include <string>

#include "ports/WorldDisplay.h"

class GuiWorldDisplay : public WorldDisplay {
public:
    // Shows a text in FeldPanel; the main window sets it.
    std::function<void(const std::string&)> FeldPanel;

    void SetzeBild(int x, int y, bool loeschen, int d) override;
    void ZeigePosition(int x, int y) override;
    void ZeigeMaterial(int vorrat) override;
    void SetFeldPanel(const std::string& text) override;
    void RepaintAll() override;
    void Fehlschlag() override;
};
