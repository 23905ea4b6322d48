#pragma once
// The windows' places in section "Fenster" of the settings file: where the
// main window goes when it first appears, and the places of the main, editor
// and info windows that the shut-down writes back.
#include <QRect>

#include "settings/SettingsFile.h"

class QMdiSubWindow;
class QWidget;

class TPlatzierung {
public:
    // fenster: the main window.
    explicit TPlatzierung(QWidget* fenster) : fenster(fenster) {}

    // The main window's showEvent. The place is taken once, when the window
    // first appears; taking it at every activation would throw the window
    // back after each dialog.
    void Gezeigt();
    // Fits the window's frame into the place it was given, once the frame
    // is known. While the frame is awaited the main window watches its own
    // native window and passes each Expose here.
    void RahmenNachtragen();

    // The places as the shut-down writes them: the main window's outer
    // frame, the editor window's while it exists (nullptr), the info
    // window's, or its place from the file while it does not exist.
    WindowPlaces ZumSpeichern(QMdiSubWindow* editor, QMdiSubWindow* info) const;

private:
    // Where the window goes when it is first shown: the settings' "Fenster"
    // place (defaults until a settings store exists), its outer frame.
    QRect FensterPlatz() const;
    void FormActivate();

    QWidget* fenster;
    bool placed = false;
    // The outer place the window was given while its frame was not known
    // yet; empty once the frame is taken into account.
    QRect aussenPlatz;
};
