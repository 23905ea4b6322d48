#include "workfield/GuiWorldDisplay.h"

void GuiWorldDisplay::SetzeBild(int x, int y, bool loeschen, int d)
{
    if (feld)
        feld->SetzeBild(x, y, loeschen, d);
}

// The view describes the robot's place and supply too: a change of them is
// a change of its description.
void GuiWorldDisplay::ZeigePosition(int x, int y)
{
    if (meldung)
        meldung->ZeigePosition(x, y);
    if (feld)
        feld->WeltGeaendert();
}

void GuiWorldDisplay::ZeigeMaterial(int vorrat)
{
    if (meldung)
        meldung->ZeigeMaterial(vorrat);
    if (feld)
        feld->WeltGeaendert();
}

void GuiWorldDisplay::SetFeldPanel(const std::string& text)
{
    if (FeldPanel)
        FeldPanel(text);
}

void GuiWorldDisplay::RepaintAll()
{
    if (feld)
        feld->RepaintAll();
}

void GuiWorldDisplay::Fehlschlag()
{
    if (feld)
        feld->JetztAnsagen();
}

void GuiWorldDisplay::Veraendert()
{
    if (WeltVeraendert)
        WeltVeraendert();
}
