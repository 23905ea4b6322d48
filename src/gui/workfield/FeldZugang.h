#pragma once
// The work field view as assistive technology sees it: an object named
// "Arbeitsfeld" whose description tells in words what the picture shows, and
// the reports that tell a screen reader when that description has changed.
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QTimer;

// The accessible object of the view's drawing area. Its description is
// asked for when a screen reader reads it, so it is always the current one.
class TFeldZugang : public QAccessibleWidget {
public:
    TFeldZugang(QWidget* feld, std::function<QString()> beschreibung);
    QString text(QAccessible::Text t) const override;

private:
    std::function<QString()> beschreibung;
};

// Tells assistive technology that the description of the view has changed.
// A fast run changes it a thousand times a second, more than anyone could
// listen to: reports come at most four times a second, and the last change
// is always reported.
class TFeldAnsage : public QObject {
    Q_OBJECT
public:
    static constexpr int Abstand = 250;  // milliseconds between two reports

    explicit TFeldAnsage(QWidget* feld);

    // The world or the focused square changed: reported at once, or when
    // the time since the last report is up.
    void Geaendert();
    // A run paused, stopped or failed: reported now, whatever the time.
    void Sofort();

private:
    void Melden();

    QWidget* feld;
    QTimer* warten;
    QElapsedTimer seitLetzter;
    bool offen = false;  // a change waits to be reported
};
