#include "mainwindow/Platzierung.h"

#include <algorithm>

#include <QGuiApplication>
#include <QList>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/Einstellungen.h"
#include "workfield/ZelkInfo.h"

void TPlatzierung::Gezeigt()
{
    if (placed)
        return;
    placed = true;
    fenster->move(0, 0);
    FormActivate();
}

QRect TPlatzierung::FensterPlatz() const
{
    // Section "Fenster": left, top, width, height.
    const QScreen* s = fenster->screen() ? fenster->screen() : QGuiApplication::primaryScreen();
    const QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
    // Its own screen first: where a place that no screen shows comes back.
    QList<QRect> schirme;
    if (s)
        for (const QScreen* each : s->virtualSiblings())
            schirme.append(each->geometry());
    std::stable_partition(schirme.begin(), schirme.end(), [&](const QRect& r) { return r == g; });
    return AufDenSchirmen(GelesenerPlatz(PlaceOf::Main, QRect(10, 10, g.width() - 20, g.height() - 50)), schirme);
}

void TPlatzierung::FormActivate()
{
    // The place is the outer frame's; the window's own size lies inside it.
    const QRect place = FensterPlatz();
    fenster->move(place.left(), place.top());
    const QSize rahmen = fenster->frameGeometry().size() - fenster->size();
    fenster->resize(place.size() - rahmen);
    if (rahmen.isNull() && fenster->windowHandle()) {
        // An X11 window manager frames the window only as it appears; the
        // frame is known when the window is first exposed.
        aussenPlatz = place;
        fenster->windowHandle()->installEventFilter(fenster);
    }
}

void TPlatzierung::RahmenNachtragen()
{
    QWindow* handle = fenster->windowHandle();
    const QMargins rahmen = handle->frameMargins();
    if (aussenPlatz.isEmpty() || rahmen.isNull())
        return;
    fenster->resize(aussenPlatz.size().shrunkBy(rahmen));
    handle->setFramePosition(aussenPlatz.topLeft());
    aussenPlatz = QRect();
    handle->removeEventFilter(fenster);
}

// Closing the editor or the info window by its frame minimises it, and a
// minimised window stands as a small bar at the bottom of the work area:
// kept as its place, that bar would come back as the window's size.
static QRect PlatzZumSpeichern(QMdiSubWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    return window->geometry();
}

WindowPlaces TPlatzierung::ZumSpeichern(QMdiSubWindow* editor, QMdiSubWindow* info) const
{
    const QRect editorPlatz = editor ? PlatzZumSpeichern(editor) : QRect();
    return FensterPlaetze(fenster->frameGeometry(), editor ? &editorPlatz : nullptr,
                          info ? PlatzZumSpeichern(info) : InfoFensterPlatz());
}
