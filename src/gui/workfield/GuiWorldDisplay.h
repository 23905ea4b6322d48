#pragma once
// The world display port for the windowed program: what the world model
// reports goes to the work field view, the info window and the main window's
// status panel FeldPanel.
#include <QPointer>
#include <functional>
#include <string>

#include "ports/WorldDisplay.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

class GuiWorldDisplay : public WorldDisplay {
public:
    GuiWorldDisplay(TFeldFlaeche* feld, TZelkMeldung* meldung) : feld(feld), meldung(meldung) {}

    // Shows a text in FeldPanel; the main window sets it.
    std::function<void(const std::string&)> FeldPanel;
    // The work field changed; the main window tells the run.
    std::function<void()> WeltVeraendert;

    void SetzeBild(int x, int y, bool loeschen, int d) override;
    void ZeigePosition(int x, int y) override;
    void ZeigeMaterial(int vorrat) override;
    void SetFeldPanel(const std::string& text) override;
    void RepaintAll() override;
    void Fehlschlag() override;
    void Veraendert() override;

private:
    // Each window may be gone already at shut-down; the world goes on
    // without it.
    QPointer<TFeldFlaeche> feld;
    QPointer<TZelkMeldung> meldung;
};
