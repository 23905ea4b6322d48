// The program as a screen reader meets it: the work field view is an object
// named "Arbeitsfeld" whose description says where Zelk stands (and, while
// editing, which square the keys are on); every step, edit and failure is
// reported, a fast run at most four times a second and always at its end;
// every button and control has a name and a description.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "GuiFixtures.h"
#include "TestFiles.h"
#include "world/ZelkFeld.h"
#include "world/ZelkGrafik.h"
#include "world/ZelkHandsteuerung.h"
#include "world/ZelkInfo.h"
#include "world/ZelkTeachin.h"

namespace {

// One report of a changed description: the text it gave, when, and how
// many boxes had been shown by then.
struct Ansage {
    QString text;
    qint64 zeit;
    int boxen;
};

QList<Ansage> ansagen;
QElapsedTimer uhr;
const RecordingDialogs* boxen = nullptr;

QWidget* Canvas() { return FeldFlaeche->widget(); }

void Mitschreiben(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::DescriptionChanged || !FeldFlaeche || event->object() != Canvas())
        return;
    ansagen.append({event->accessibleInterface()->text(QAccessible::Description), uhr.elapsed(),
                    boxen ? int(boxen->boxes.size()) : 0});
}

QString Zuletzt() { return ansagen.isEmpty() ? QString() : ansagen.last().text; }

QString Beschreibung(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Description) : QString();
}

QString Name(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Turns 128 times in nested procedures and steps once: some three hundred
// instructions, each turn a new description.
const QString Drehen = QStringLiteral(
    "PROGRAM Drehen;\n"
    "PROCEDURE Vier; BEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;\n"
    "PROCEDURE Sechzehn; BEGIN Vier; Vier; Vier; Vier END;\n"
    "BEGIN\n"
    "Sechzehn; Sechzehn; Sechzehn; Sechzehn; Sechzehn; Sechzehn; Sechzehn; Sechzehn;\n"
    "VOR\n"
    "END.");

const QString Kreis = QStringLiteral(
    "PROGRAM Kreis;\nBEGIN\nWHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.");

}  // namespace

class ScreenReaderTest : public QObject, ProgramFixture {
    Q_OBJECT

    void openProgram(const QString& text)
    {
        WriteBytes(path("prog.pas"), text.toUtf8());
        openFile(path("prog.pas"));
        QVERIFY(editor());
        Find<QTimer>(ZelkMeldung, "Timer1")->setInterval(1);
    }

    bool idle() const { return Run().State() == TRunController::RunState::Idle; }
    const TRunController& Run() const { return form->Run(); }

    void click(QWidget* window, const char* name)
    {
        QTest::mouseClick(Find<QPushButton>(window, name), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        // What a screen reader's presence does: the toolkit reports changes.
        QAccessible::installUpdateHandler(Mitschreiben);
        QPlatformAccessibility* a11y = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(a11y);
        a11y->setActive(true);
        QVERIFY(QAccessible::isActive());
        uhr.start();
    }

    void init()
    {
        QVERIFY(startProgram());
        boxen = fake.get();
        ansagen.clear();
    }

    void cleanup()
    {
        boxen = nullptr;
        stopProgram();
    }

    void theViewIsTheArbeitsfeldAndSaysWhereZelkStands()
    {
        QCOMPARE(Name(Canvas()), QString("Arbeitsfeld"));
        QCOMPARE(Beschreibung(Canvas()),
                 QString("Zelk steht auf Spalte 1, Zeile 1 und schaut nach Osten. Vorrat 0. "
                         "Hier liegt nichts. Vorne frei, links frei, rechts Wand."));
        QCOMPARE(Canvas()->focusPolicy(), Qt::StrongFocus);  // the tab key reaches it
    }

    void aStepAnEditAndAFailureAreReported()
    {
        form->Handsteuerung1Click();
        THandsteuerung* hand = HandsteuerungWindow;
        QVERIFY(hand);
        click(hand, "vorBtn");
        QTRY_COMPARE(Zuletzt(), QString("Zelk steht auf Spalte 2, Zeile 1 und schaut nach Osten. Vorrat 0. "
                                        "Hier liegt nichts. Vorne frei, links frei, rechts Wand."));
        for (int i = 0; i < 3; ++i)
            click(hand, "drehelinksBtn");

        // Facing the border: the failure is reported at once, before its box.
        ansagen.clear();
        click(hand, "vorBtn");
        QCOMPARE(fake->texts(), QStringList{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QVERIFY(!ansagen.isEmpty());
        QCOMPARE(ansagen.first().boxen, 0);
        QCOMPARE(ansagen.first().text,
                 QString("Zelk steht auf Spalte 2, Zeile 1 und schaut nach Süden. Vorrat 0. "
                         "Hier liegt nichts. Vorne Wand, links frei, rechts frei."));

        // Editing: the focused square comes first, and each key's edit is told.
        form->FeldChangeBtnClick();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QMdiArea>(form, "MdiArea")->setActiveSubWindow(FeldFlaeche);
        Canvas()->setFocus();
        QTRY_VERIFY(Canvas()->hasFocus());
        QTest::keyClick(Canvas(), Qt::Key_Plus);
        QTRY_VERIFY(Zuletzt().startsWith("Spalte 2, Zeile 1. Zelk steht hier. Hier liegt 1 Gegenstand. "
                                         "Norden frei, Osten frei, Süden Rand, Westen frei. Zelk steht auf"));
        QTest::keyClick(Canvas(), Qt::Key_Up);
        QTest::keyClick(Canvas(), Qt::Key_Left, Qt::ShiftModifier);
        QTRY_VERIFY(Zuletzt().startsWith("Spalte 2, Zeile 2. Hier liegt nichts. "
                                         "Norden frei, Osten frei, Süden frei, Westen Hindernis."));
        QVERIFY(Zuletzt().endsWith("Hier liegt 1 Gegenstand. Vorne Wand, links frei, rechts frei."));
        form->FeldChangeBtnClick();
        QTRY_VERIFY(Zuletzt().startsWith("Zelk steht auf Spalte 2, Zeile 1"));
    }

    // Some three hundred steps at 1 ms: few reports, never two within a
    // quarter of a second unless the run ended, and the last one is the end.
    void aFastRunIsReportedAtMostFourTimesASecondAndAlwaysAtItsEnd()
    {
        openProgram(Drehen);
        const qint64 beginn = uhr.elapsed();
        form->RunItemClick();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
        const qint64 dauer = uhr.elapsed() - beginn;
        // Reported when the run stopped, before any timer could.
        QVERIFY(!ansagen.isEmpty());
        const QString ende = FeldFlaeche->Beschreibung();
        QVERIFY(ende.startsWith("Zelk steht auf Spalte 2, Zeile 1 und schaut nach Osten."));
        QCOMPARE(Zuletzt(), ende);
        QVERIFY2(ansagen.size() <= dauer / 250 + 2,
                 qPrintable(QStringLiteral("%1 reports in %2 ms").arg(ansagen.size()).arg(dauer)));
        for (int i = 1; i + 1 < ansagen.size(); ++i)
            QVERIFY2(ansagen[i].zeit - ansagen[i - 1].zeit >= 245,
                     qPrintable(QStringLiteral("reports %1 and %2 at %3 and %4 ms").arg(i - 1).arg(i)
                                    .arg(ansagen[i - 1].zeit).arg(ansagen[i].zeit)));
        QTest::qWait(300);
        QCOMPARE(Zuletzt(), ende);
    }

    void pauseAndStopAreReportedAtOnce()
    {
        openProgram(Kreis);
        form->RunItemClick();
        QTest::qWait(50);
        ansagen.clear();
        form->PauseBtnClick();
        QCOMPARE(ansagen.size(), 1);
        QCOMPARE(Zuletzt(), FeldFlaeche->Beschreibung());
        form->RunItemClick();
        QTest::qWait(50);
        ansagen.clear();
        form->StopBtnClick();
        QCOMPARE(ansagen.size(), 1);
        QCOMPARE(Zuletzt(), FeldFlaeche->Beschreibung());
    }

    void everyButtonAndControlHasANameAndADescription()
    {
        form->Handsteuerung1Click();
        form->TeachinModus1Click();
        QList<QWidget*> controls;
        for (QWidget* window : {static_cast<QWidget*>(Find<QWidget>(form, "SpeedBar")),
                                static_cast<QWidget*>(ZelkMeldung),
                                static_cast<QWidget*>(HandsteuerungWindow),
                                static_cast<QWidget*>(TeachinWindow)}) {
            QVERIFY(window);
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                controls << b;
            for (QAbstractSlider* s : window->findChildren<QAbstractSlider*>())
                controls << s;
        }
        QVERIFY(controls.size() >= 13 + 2 + 4 + 8);
        for (QWidget* c : controls) {
            QVERIFY2(!Name(c).isEmpty(), qPrintable(c->objectName()));
            QVERIFY2(!Beschreibung(c).isEmpty(), qPrintable(c->objectName()));
        }
        // A picture button is named by its hint, a captioned one by its
        // caption; the tooltip, the status line and the reader share the text.
        QCOMPARE(Name(FindButton(form, "FeldChangeBtn")), QString("Feld ändern"));
        QCOMPARE(Name(FindButton(form, "SpeedButton8")), QString("Hilfeinhalt"));
        QVERIFY(FindButton(form, "SpeedButton8")->toolTip().isEmpty());
        QPushButton* vor = Find<QPushButton>(HandsteuerungWindow, "vorBtn");
        QCOMPARE(Name(vor), QString("vor"));
        QCOMPARE(Beschreibung(vor), QString("Zelk geht einen Schritt nach vorne"));
        QCOMPARE(vor->toolTip(), Beschreibung(vor));
        QCOMPARE(Beschreibung(Find<QPushButton>(TeachinWindow, "nimmaufBtn")),
                 QString("Zelk nimmt einen Gegenstand auf"));
        QCOMPARE(Name(Find<QWidget>(ZelkMeldung, "ScrollGeschw")), QString("Geschwindigkeit"));
        // The command's changes do not take the button's own texts away.
        form->FeldChangeBtnClick();
        form->FeldChangeBtnClick();
        QCOMPARE(Name(FindButton(form, "StartBtn")), QString("Start"));
        QCOMPARE(FindButton(form, "StartBtn")->toolTip(), QString("Start"));
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "screenreader_test.moc"
