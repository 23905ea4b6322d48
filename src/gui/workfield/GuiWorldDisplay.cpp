#include "workfield/GuiWorldDisplay.h"

void GuiWorldDisplay::SetzeBild(int x, int y, bool loeschen, int d)
{
    if (FeldFlaeche)
        FeldFlaeche->SetzeBild(x, y, loeschen, d);
}

// The view describes the robot's place and supply too: a change of them is
// a change of its description.
void GuiWorldDisplay::ZeigePosition(int x, int y)
{
    if (ZelkMeldung)
        ZelkMeldung->ZeigePosition(x, y);
    if (FeldFlaeche)
        FeldFlaeche->WeltGeaendert();
}

void GuiWorldDisplay::ZeigeMaterial(int vorrat)
{
    if (ZelkMeldung)
        ZelkMeldung->ZeigeMaterial(vorrat);
    if (FeldFlaeche)
        FeldFlaeche->WeltGeaendert();
}

void GuiWorldDisplay::SetFeldPanel(const std::string& text)
{
    if (FeldPanel)
        FeldPanel(text);
}

void GuiWorldDisplay::RepaintAll()
{
    if (FeldFlaeche)
        FeldFlaeche->RepaintAll();
}

void GuiWorldDisplay::Fehlschlag()
{
    if (FeldFlaeche)
        FeldFlaeche->JetztAnsagen();
}
