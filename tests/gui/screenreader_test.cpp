// The program as a screen reader meets it: the work field view is an object
// named "Arbeitsfeld" whose description says where Zelk stands (and, while
// editing, which square the keys are on); every step, edit and failure is
// reported, a fast run at most four times a second and always at its end;
// every button and control has a name and a description; the editor's
// gutter tells and toggles breakpoints and tells where a run halts.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "SamplePrograms.h"
#include "TestFiles.h"
#include "dialogs/ZelkParameter.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkHandsteuerung.h"
#include "workfield/ZelkInfo.h"
#include "workfield/ZelkTeachin.h"

namespace {

// One report of a changed description: the text it gave, when, and how
// many boxes had been shown by then.
struct Ansage {
    QString text;
    qint64 zeit;
    int boxen;
};

QList<Ansage> ansagen;
QStringList randAnsagen;  // what the editors' gutters told
QElapsedTimer uhr;
const RecordingDialogs* boxen = nullptr;

QWidget* Canvas() { return feldFlaeche()->widget(); }

void Mitschreiben(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::DescriptionChanged)
        return;
    const QString text = event->accessibleInterface()->text(QAccessible::Description);
    if (event->object() && event->object()->objectName() == "Zeilennummern")
        randAnsagen << text;
    if (feldFlaeche() && event->object() == Canvas())
        ansagen.append({text, uhr.elapsed(), boxen ? int(boxen->boxes.size()) : 0});
}

QString Zuletzt() { return ansagen.isEmpty() ? QString() : ansagen.last().text; }

QString Text(QWidget* w, QAccessible::Text t)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(t) : QString();
}
QString Name(QWidget* w) { return Text(w, QAccessible::Name); }
QString Beschreibung(QWidget* w) { return Text(w, QAccessible::Description); }

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

}  // namespace

class ScreenReaderTest : public QObject, ProgramFixture {
    Q_OBJECT

    void openProgram(const QString& text)
    {
        WriteBytes(path("prog.pas"), text.toUtf8());
        openFile(path("prog.pas"));
        QVERIFY(editor());
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
    }

    bool idle() const { return form->Run().State() == TRunController::RunState::Idle; }

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
        randAnsagen.clear();
    }

    void cleanup()
    {
        boxen = nullptr;
        stopProgram();
    }

    void aStepAnEditAndAFailureAreReported()
    {
        QCOMPARE(Name(Canvas()), QString("Arbeitsfeld"));
        form->Handsteuerung1Click();
        click(handsteuerungWindow(), "vorBtn");
        QTRY_COMPARE(Zuletzt(), QString("Zelk steht auf Spalte 2, Zeile 1 und schaut nach Osten. Vorrat 0. "
                                        "Hier liegt nichts. Vorne frei, links frei, rechts Wand."));
        for (int i = 0; i < 3; ++i)
            click(handsteuerungWindow(), "drehelinksBtn");
        // Facing the border: the failure is reported at once, before its box.
        ansagen.clear();
        click(handsteuerungWindow(), "vorBtn");
        QCOMPARE(fake->texts(), QStringList{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QVERIFY(!ansagen.isEmpty());
        QCOMPARE(ansagen.first().boxen, 0);
        QVERIFY(ansagen.first().text.endsWith("nach Süden. Vorrat 0. Hier liegt nichts. "
                                              "Vorne Wand, links frei, rechts frei."));

        // Editing by key: the focused square comes first.
        form->FeldChangeBtnClick();
        Canvas()->setFocus();
        QTest::keyClick(Canvas(), Qt::Key_Up);
        QTest::keyClick(Canvas(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(Canvas(), Qt::Key_Plus);
        QTRY_VERIFY(Zuletzt().startsWith("Spalte 2, Zeile 2. Hier liegt 1 Gegenstand. "
                                         "Norden frei, Osten frei, Süden frei, Westen Hindernis. "
                                         "Zelk steht auf Spalte 2, Zeile 1"));
        form->FeldChangeBtnClick();
        QTRY_VERIFY(Zuletzt().startsWith("Zelk steht auf Spalte 2, Zeile 1"));
    }

    // Some three hundred steps at 1 ms: a report at most every quarter of a
    // second, and the last one, at the stop, is the end.
    void aFastRunIsReportedAtMostFourTimesASecondAndAlwaysAtItsEnd()
    {
        openProgram(Drehen);
        form->RunItemClick();
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 20000);
        const QString ende = feldFlaeche()->Beschreibung();
        QVERIFY(ende.startsWith("Zelk steht auf Spalte 2, Zeile 1 und schaut nach Osten."));
        QCOMPARE(Zuletzt(), ende);
        QVERIFY(ansagen.size() >= 2);
        for (int i = 1; i + 1 < ansagen.size(); ++i)
            QVERIFY2(ansagen[i].zeit - ansagen[i - 1].zeit >= 245,
                     qPrintable(QStringLiteral("reports at %1 and %2 ms").arg(ansagen[i - 1].zeit).arg(ansagen[i].zeit)));
    }

    void pauseAndStopAreReportedAtOnce()
    {
        openProgram(Kreis);
        form->RunItemClick();
        QTest::qWait(50);
        ansagen.clear();
        form->PauseBtnClick();
        QCOMPARE(ansagen.size(), 1);
        form->RunItemClick();
        QTest::qWait(50);
        ansagen.clear();
        form->StopBtnClick();
        QCOMPARE(ansagen.size(), 1);
        QCOMPARE(Zuletzt(), feldFlaeche()->Beschreibung());
    }

    // A picture button is named by its hint, a captioned one by its caption.
    void everyButtonAndControlHasANameAndADescription()
    {
        form->Handsteuerung1Click();
        form->TeachinModus1Click();
        QList<QWidget*> controls;
        for (QWidget* window : {Find<QWidget>(form, "SpeedBar"), static_cast<QWidget*>(zelkMeldung()),
                                static_cast<QWidget*>(handsteuerungWindow()),
                                static_cast<QWidget*>(teachinWindow())}) {
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                controls << b;
            for (QAbstractSlider* s : window->findChildren<QAbstractSlider*>())
                controls << s;
        }
        QCOMPARE(controls.size(), 13 + 2 + 4 + 8);
        for (QWidget* c : controls)
            QVERIFY2(!Name(c).isEmpty() && !Beschreibung(c).isEmpty(), qPrintable(c->objectName()));
        QCOMPARE(Name(FindButton(form, "SpeedButton8")), QString("Hilfeinhalt"));
        QPushButton* vor = Find<QPushButton>(handsteuerungWindow(), "vorBtn");
        QCOMPARE(Name(vor), QString("vor"));
        QCOMPARE(Beschreibung(vor), vor->toolTip());
        // A change of its command leaves the button its own texts.
        form->FeldChangeBtnClick();
        QCOMPARE(Name(FindButton(form, "FeldChangeBtn")), QString("Feld ändern"));
    }

    // Each line of the gutter is an item named by its number, counted from
    // 1 as the translator counts; its toggle action sets and removes the
    // breakpoint as F5 and a click do, and each of them is told.
    void theGutterTellsAndTogglesBreakpoints_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("F5") << "F5";
        QTest::newRow("click") << "click";
        QTest::newRow("toggle action") << "action";
    }

    void theGutterTellsAndTogglesBreakpoints()
    {
        QFETCH(QString, way);
        openProgram(QStringLiteral("PROGRAM P;\nBEGIN\n  VOR\nEND."));
        QWidget* gutter = Find<QWidget>(editor(), "Zeilennummern");
        QAccessibleInterface* third = QAccessible::queryAccessibleInterface(gutter)->child(2);
        QCOMPARE(third->parent()->child(0)->text(QAccessible::Name), QString("Zeile 1"));
        QCOMPARE(third->text(QAccessible::Name), QString("Zeile 3"));
        editor()->setTextCursor(QTextCursor(editor()->document()->findBlockByNumber(2)));
        for (const bool set : {true, false}) {
            if (way == "F5")
                QTest::keyClick(editor(), Qt::Key_F5);
            else if (way == "click")
                QTest::mouseClick(gutter, Qt::LeftButton, {}, editor()->VisibleLines()[2].rect.center());
            else
                third->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QCOMPARE(editorWindow()->HasBreakpoint(0, 2), set);
            QCOMPARE(randAnsagen.last(), set ? "Haltepunkt in Zeile 3 gesetzt" : "Haltepunkt in Zeile 3 entfernt");
            QVERIFY(third->state().checkable);
            QCOMPARE(bool(third->state().checked), set);
        }
    }

    // The arrow where a run halts is told when the run control asks, never
    // on the ticks of a running program; it stands on one page at a time.
    void theExecutionMarkIsToldOnlyWhenAsked()
    {
        openProgram(QStringLiteral("PROGRAM P;\nBEGIN\n  VOR\nEND."));
        QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(Find<QWidget>(editor(), "Zeilennummern"));
        editorWindow()->ToggleBreakpoint(0, 2);
        randAnsagen.clear();
        editorWindow()->SetExecutionMark(0, 1, false);
        QCOMPARE(lines->child(1)->text(QAccessible::Description), QString("Ausführungsmarke"));
        editorWindow()->SetExecutionMark(0, 2, true);
        editorWindow()->SetExecutionMark(0, 2, true);  // a loop halting on the same line again
        editorWindow()->SetExecutionMark(0, 3, false);
        editorWindow()->SetExecutionMark(0, 2, false);
        QCOMPARE(lines->child(2)->text(QAccessible::Description), QString("Haltepunkt, Ausführungsmarke"));
        form->FileNewItemClick();
        editorWindow()->SetExecutionMark(1, 0, false);
        QCOMPARE(editorWindow()->PageEditor(0)->ExecutionMark(), -1);
        QCOMPARE(editorWindow()->PageEditor(1)->ExecutionMark(), 0);
        editorWindow()->ClearExecutionMark();
        QCOMPARE(editorWindow()->PageEditor(1)->ExecutionMark(), -1);
        QCOMPARE(randAnsagen, QStringList(2, "Ausführung hält in Zeile 3"));
    }

    // The robot's picture is Zelk, looking the way the view's description says.
    void theRobotsPictureSaysWhereZelkLooks_data()
    {
        QTest::addColumn<int>("drehungen");
        QTest::addColumn<QString>("blick");
        QTest::newRow("Osten") << 0 << "schaut nach Osten";
        QTest::newRow("Norden") << 1 << "schaut nach Norden";
        QTest::newRow("Westen") << 2 << "schaut nach Westen";
        QTest::newRow("Süden") << 3 << "schaut nach Süden";
    }

    void theRobotsPictureSaysWhereZelkLooks()
    {
        QFETCH(int, drehungen);
        QFETCH(QString, blick);
        for (int i = 0; i < drehungen; ++i)
            Welt.DreheLinks();
        QList<QWidget*> gezeigt;
        for (QLabel* bild : Canvas()->findChildren<QLabel*>())
            if (bild->isVisible())
                gezeigt << bild;
        QCOMPARE(gezeigt.size(), 1);
        QCOMPARE(Name(gezeigt[0]), QString("Zelk"));
        QCOMPARE(Beschreibung(gezeigt[0]), blick);
        QVERIFY(feldFlaeche()->Beschreibung().contains(" und " + blick + ". "));
    }

    // The dialogs show no hints, yet a screen reader still hears what each
    // control is and does; an editor page is named as its tab.
    void theDialogsAndTheEditorAreDescribedToo()
    {
        openProgram(QStringLiteral("PROGRAM Leer; BEGIN END."));
        QList<QWidget*> controls;
        for (const char* dialog : {"FindDialog1", "ReplaceDialog1", "OptionenDlg"}) {
            QWidget* window = dialog == QByteArray("OptionenDlg") ? static_cast<QWidget*>(optionenDlg())
                                                                   : Find<QWidget>(form, dialog);
            QVERIFY2(window, dialog);
            for (QWidget* c : window->findChildren<QWidget*>())
                if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                    qobject_cast<QAbstractSpinBox*>(c))
                    controls << c;
        }
        // A spin box's line edit and a tab bar's scroll arrows are parts of
        // them, not controls of their own.
        controls.removeIf([](QWidget* c) {
            return qobject_cast<QAbstractSpinBox*>(c->parentWidget()) || qobject_cast<QTabBar*>(c->parentWidget());
        });
        QCOMPARE(controls.size(), 7 + 10 + 11);
        for (QWidget* c : controls)
            QVERIFY2(!Name(c).isEmpty() && !Beschreibung(c).isEmpty(), qPrintable(c->objectName()));
        QCOMPARE(Name(Find<QWidget>(optionenDlg(), "TabsetEdit")), QString("Tabulatorweite"));
        QCOMPARE(Name(editor()), QString("Prog"));
        QVERIFY(Beschreibung(editor()).contains("Prog"));
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "screenreader_test.moc"
