#include "world/GuiWorldDisplay.h"

#include "world/ZelkGrafik.h"
#include "world/ZelkInfo.h"

// Each window may be missing (not yet created, or already gone at shut-down);
// the world goes on without it.

void GuiWorldDisplay::SetzeBild(int x, int y, bool loeschen, int d)
{
    if (FeldFlaeche)
        FeldFlaeche->SetzeBild(x, y, loeschen, d);
}

void GuiWorldDisplay::ZeigePosition(int x, int y)
{
    if (ZelkMeldung)
        ZelkMeldung->ZeigePosition(x, y);
}

void GuiWorldDisplay::ZeigeMaterial(int vorrat)
{
    if (ZelkMeldung)
        ZelkMeldung->ZeigeMaterial(vorrat);
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
