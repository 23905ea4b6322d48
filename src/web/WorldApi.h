#pragma once
// The work field's editing mode as the page's C API keeps it (WorldApi.cpp):
// the run's commands ask it, as the desktop's main window asks its document.

// The editing mode is on: no program starts until it ends.
bool FeldWirdVeraendert();

// Ends the editing mode, taking the edited world over as the start state,
// as the desktop does before it writes the work field or shares it.
void VeraendernBeenden();
