#include "workfield/FeldZugang.h"

#include <algorithm>

#include <QAccessible>
#include <QTimer>
#include <QWidget>

TFeldZugang::TFeldZugang(QWidget* feld, std::function<QString()> beschreibung)
    : QAccessibleWidget(feld, QAccessible::Canvas), beschreibung(std::move(beschreibung))
{
}

QString TFeldZugang::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: return QStringLiteral("Arbeitsfeld");
    case QAccessible::Description: return beschreibung ? beschreibung() : QString();
    default: return QAccessibleWidget::text(t);
    }
}

TFeldAnsage::TFeldAnsage(QWidget* feld) : QObject(feld), feld(feld), warten(new QTimer(this))
{
    warten->setSingleShot(true);
    // A coarse timer may fire a little early, and four a second is a promise.
    warten->setTimerType(Qt::PreciseTimer);
    connect(warten, &QTimer::timeout, this, [this] {
        if (offen)
            Melden();
    });
}

void TFeldAnsage::Geaendert()
{
    offen = true;
    if (warten->isActive())
        return;
    // Never from inside the change itself: a step moves the robot picture
    // before it moves the robot, and the report must find both in place.
    const qint64 vergangen = seitLetzter.isValid() ? seitLetzter.elapsed() : Abstand;
    warten->start(int(std::max<qint64>(0, Abstand - vergangen)));
}

void TFeldAnsage::Sofort() { Melden(); }

void TFeldAnsage::Melden()
{
    offen = false;
    warten->stop();
    seitLetzter.start();
    QAccessibleEvent geaendert(feld, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&geaendert);
}
