// Editing the work field by mouse on the real view: barriers, items and the
// robot, the border that cannot be edited, the cursor the zones show, and the
// edited world taken over as the start state when the mode ends. Ctrl+Z and
// Ctrl+Y undo and redo the edits while the view has the focus.
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "platform/Colors.h"
#include "settings/ZelkSettings.h"
#include "world/ZelkFeld.h"
#include "world/EditHistory.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"
#include "workfield/ZelkTeachin.h"

namespace {

QWidget* Canvas() { return feldFlaeche()->widget(); }
QRgb Pixel(int x, int y) { return Canvas()->grab().toImage().pixel(x, y) | 0xFF000000; }
QRgb Farbe(std::int32_t wert) { return ToQColor(wert).rgb() | 0xFF000000; }

void Klick(int x, int y, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(Canvas(), button, {}, QPoint(x, y));
}

// Every side flag of the current field, in one string.
std::string Seiten()
{
    std::string s;
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x)
            for (std::uint8_t offen : Welt.Zelle(x, y).Offen)
                s += char('0' + offen);
    return s;
}

void Taste(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(w, key, mods);
}

QScrollBar* Vorratsregler() { return Find<QScrollBar>(zelkMeldung(), "ScrollMaterial"); }

// A drag of the supply bar through the given positions, as the mouse makes it.
void ZieheVorrat(std::initializer_list<int> positionen)
{
    QScrollBar* bar = Vorratsregler();
    bar->setSliderDown(true);
    for (int p : positionen)
        bar->setSliderPosition(p);
    bar->setSliderDown(false);
}

}  // namespace

class EditingTest : public QObject, ProgramFixture {
    Q_OBJECT

    // The keyboard focus in the work field view, as a click would put it.
    void focusView()
    {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QMdiArea>(form, "MdiArea")->setActiveSubWindow(feldFlaeche());
        Canvas()->setFocus();
        QTRY_VERIFY(Canvas()->hasFocus());
    }

private slots:
    void init()
    {
        QVERIFY(startProgram());
        form->FeldChangeBtnClick();
        QVERIFY(feldFlaeche()->Veraendern);
    }

    void cleanup() { stopProgram(); }

    // The line between (5, 3) and (5, 4) lies at y 202..204; x 132 is the
    // middle of column 5.
    void aBarrierIsSetOnBothSquaresAndRemovedAgain()
    {
        Klick(132, 203);
        QCOMPARE(Welt.Zelle(5, 3).Offen[Nord], std::uint8_t(0));
        QCOMPARE(Welt.Zelle(5, 4).Offen[Sued], std::uint8_t(0));
        QCOMPARE(Pixel(132, 203), Farbe(Barriercolor));
        Klick(132, 203, Qt::RightButton);
        QCOMPARE(Welt.Zelle(5, 3).Offen[Nord], std::uint8_t(1));
        QCOMPARE(Welt.Zelle(5, 4).Offen[Sued], std::uint8_t(1));
        QCOMPARE(Pixel(132, 203), Farbe(Wallcolor));

        // The vertical line right of column 5 (x 146..148).
        Klick(147, 245);
        QCOMPARE(Welt.Zelle(5, 2).Offen[Ost], std::uint8_t(0));
        QCOMPARE(Welt.Zelle(6, 2).Offen[West], std::uint8_t(0));
    }

    void theBorderCannotBeEdited()
    {
        const std::string vorher = Seiten();
        for (const QPoint& p : {QPoint(132, 7), QPoint(132, 11), QPoint(11, 245), QPoint(7, 245),
                                QPoint(132, 287), QPoint(427, 245), QPoint(424, 245)}) {
            Klick(p.x(), p.y());
            Klick(p.x(), p.y(), Qt::RightButton);
        }
        QCOMPARE(Seiten(), vorher);
        QVERIFY(StartEqualsCurrent());
    }

    // (85, 245) lies in the item zone of square (3, 2).
    void aSquareHoldsNineItemsAtMost()
    {
        Klick(85, 245, Qt::RightButton);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 0);
        // Each mark drawn or cleared by a click is the one a full picture
        // of the field shows.
        const auto wieNeuGezeichnet = [] {
            const QImage geklickt = Canvas()->grab().toImage();
            feldFlaeche()->RepaintAll();
            return Canvas()->grab().toImage() == geklickt;
        };
        Klick(85, 245);
        Klick(85, 245);
        QVERIFY(wieNeuGezeichnet());
        for (int i = 0; i < 8; ++i)
            Klick(85, 245);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 9);
        Klick(85, 245, Qt::RightButton);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 8);
        QVERIFY(wieNeuGezeichnet());
        // The ninth mark is gone from the picture, the eighth is still there.
        const QImage bild = Canvas()->grab().toImage();
        QCOMPARE(bild.pixel(62 + 24 - 3 + 1, 230 + 10 - 2) | 0xFF000000, qRgb(255, 255, 255));
        QCOMPARE(bild.pixel(62 + 17 - 3 + 1, 230 + 10 - 2) | 0xFF000000, qRgb(0, 0, 0));
    }

    void aClickMovesTheRobotAndAClickOnItTurnsIt()
    {
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 7; });
        Klick(104, 245, Qt::RightButton);  // robot zone of (4, 2): any button
        QCOMPARE(Roboter.X, 4);
        QCOMPARE(Roboter.Y, 2);
        QCOMPARE(Roboter.Richtung, Ost);
        QCOMPARE(Roboter.Vorrat, 7);
        auto* bild = Find<QWidget>(feldFlaeche(), "ZelkOst");
        QVERIFY(bild && bild->isVisible());
        QTest::mouseClick(bild, Qt::LeftButton);
        QCOMPARE(Roboter.Richtung, Nord);
        QCOMPARE(Roboter.X, 4);
        // A click of another button on the picture does nothing at all.
        QTest::mouseClick(Find<QWidget>(feldFlaeche(), "ZelkNord"), Qt::RightButton);
        QCOMPARE(Roboter.Richtung, Nord);
        QCOMPARE(Welt.Zelle(4, 2).Anzahl, 0);
    }

    // A remainder of 6 shows the square's cursor, but a click there acts on
    // the side.
    void theCursorFollowsTheZonesAndTheSidesAreWiderForAClick()
    {
        QCOMPARE(TFeldFlaeche::Zone(5, 5), 0);
        QCOMPARE(TFeldFlaeche::Zone(132, 203), 1);
        QCOMPARE(TFeldFlaeche::Zone(147, 245), 2);
        QCOMPARE(TFeldFlaeche::Zone(104, 245), 3);
        QCOMPARE(TFeldFlaeche::Zone(85, 245), 4);
        QCOMPARE(TFeldFlaeche::Zone(104, 207), 3);  // rY = 6
        QCOMPARE(TFeldFlaeche::Zone(95, 245), 3);   // rX = 6
        Klick(104, 207);
        QCOMPARE(Welt.Zelle(4, 3).Offen[Nord], std::uint8_t(0));
        QCOMPARE(Roboter.X, 1);

        QTest::mouseMove(Canvas(), QPoint(85, 245));
        QCOMPARE(feldFlaeche()->CursorNummer(), 4);
        QTest::mouseMove(Canvas(), QPoint(430, 245));
        QCOMPARE(feldFlaeche()->CursorNummer(), 0);
        form->FeldChangeBtnClick();
        QTest::mouseMove(Canvas(), QPoint(85, 245));
        QCOMPARE(feldFlaeche()->CursorNummer(), 0);
        Klick(85, 245);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 0);
    }

    void endingTheModeMakesTheEditTheStartState()
    {
        Klick(85, 245);
        Klick(104, 245);
        Klick(132, 203);
        QVERIFY(!StartEqualsCurrent());
        form->FeldChangeBtnClick();
        QVERIFY(StartEqualsCurrent());
        QCOMPARE(Welt.StartFeld[2][4].Offen[Nord], std::uint8_t(0));
        QVERIFY(!Welt.Zuruecksetzen());
        QCOMPARE(RoboterStart.X, 4);
    }

    // Each edit of the mouse, the keys and the supply bar is one step:
    // Ctrl+Z gives back each earlier world exactly, Ctrl+Y the edits.
    void ctrlZAndCtrlYUndoAndRedoEachEditInTurn()
    {
        focusView();
        std::vector<WeltStand> staende{WeltStand::Aktuell()};
        const auto merke = [&] { staende.push_back(WeltStand::Aktuell()); };
        Klick(85, 245);  // an item on (3, 2)
        merke();
        Klick(132, 203);  // the barrier between (5, 3) and (5, 4)
        merke();
        Klick(104, 245);  // the robot to (4, 2)
        merke();
        QTest::mouseClick(Find<QWidget>(feldFlaeche(), "ZelkOst"), Qt::LeftButton);  // turned
        merke();
        ZieheVorrat({3, 10, 25, 40});  // one drag, one step
        merke();
        Taste(Canvas(), Qt::Key_D);
        merke();
        Klick(132, 7);  // the border: no edit, no step
        for (int i = int(staende.size()) - 2; i >= 0; --i) {
            Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(WeltStand::Aktuell() == staende[i], qPrintable(QString::number(i)));
            QCOMPARE(Vorratsregler()->value(), Roboter.Vorrat);
        }
        QCOMPARE(Pixel(132, 203), Farbe(Wallcolor));
        for (size_t i = 1; i < staende.size(); ++i) {
            Taste(Canvas(), Qt::Key_Y, Qt::ControlModifier);
            QVERIFY(WeltStand::Aktuell() == staende[i]);
        }
        QCOMPARE(Pixel(132, 203), Farbe(Barriercolor));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelXpos")->text(), QString("4"));
        // A new edit after an undo drops what was undone.
        Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
        Klick(85, 245);
        Taste(Canvas(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Roboter.Richtung, Nord);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 2);
    }

    void theHistoryEndsWithTheModeAndWithAStepOfZelk()
    {
        const auto leer = [] { return !feldFlaeche()->Verlauf().KannRueckgaengig(); };
        Klick(85, 245);
        form->FeldChangeBtnClick();
        form->FeldChangeBtnClick();
        QVERIFY(leer());
        Klick(85, 245);
        Welt.Vor();  // as the manual control's "&vor" does
        QVERIFY(leer());
    }

    // A world replaced as a whole while editing is one step: Ctrl+Z gives
    // back the edits it replaced, and the step before them comes next.
    void aWorldReplacedWhileEditingIsOneStep_data()
    {
        QTest::addColumn<QString>("befehl");
        for (const char* befehl : {"Neu", "Zuruecksetzen", "Oeffnen"})
            QTest::newRow(befehl) << befehl;
    }

    void aWorldReplacedWhileEditingIsOneStep()
    {
        QFETCH(QString, befehl);
        QVERIFY(Welt.Speichern(path("leer.rob").toStdString()));
        focusView();
        Klick(85, 245);   // an item on (3, 2)
        Klick(104, 245);  // the robot to (4, 2)
        const WeltStand bearbeitet = WeltStand::Aktuell();
        if (befehl == "Neu")
            form->FeldNeu1Click();
        else if (befehl == "Zuruecksetzen")
            form->Zuruecksetzen1Click();
        else
            form->OpenWorkField(path("leer.rob"));
        QCOMPARE(Roboter.X, 1);
        Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(WeltStand::Aktuell() == bearbeitet);
        QCOMPARE(FindLabel(zelkMeldung(), "LabelXpos")->text(), QString("4"));
        Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 1);
    }

    // A teach-in replay goes on while the supply bar is dragged: the drag is
    // no step then, and Ctrl+Z never takes Zelk back to where it stood.
    void aDragDuringWhichZelkMovedIsNoStep()
    {
        focusView();
        Klick(85, 245);
        QScrollBar* bar = Vorratsregler();
        bar->setSliderDown(true);
        bar->setSliderPosition(5);
        Welt.Vor();  // a step of the replay
        bar->setSliderPosition(6);
        bar->setSliderDown(false);
        const WeltStand danach = WeltStand::Aktuell();
        Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(WeltStand::Aktuell() == danach);
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 1);
        // Nor is a press of the bar that moved nothing.
        bar->setSliderDown(true);
        Welt.Vor();
        bar->setSliderDown(false);
        Taste(Canvas(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Roboter.X, 3);
    }

    // The supply bar is the supply's control in the editing mode: when the
    // world is replaced as a whole it stands at the new supply, so that a
    // step of the bar goes on from there and a screen reader reads the
    // supply from it.
    void theSupplyBarFollowsAWorldReplacedWhileEditing()
    {
        form->FeldChangeBtnClick();  // off: a file with supply 7 as its start
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 7; });
        Welt.Uebernehmen();
        QVERIFY(Welt.Speichern(path("sieben.rob").toStdString()));
        form->FeldChangeBtnClick();
        QScrollBar* bar = Vorratsregler();
        ZieheVorrat({40});
        form->FeldNeu1Click();
        QCOMPARE(bar->value(), 0);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(Roboter.Vorrat, 1);
        form->OpenWorkField(path("sieben.rob"));
        QCOMPARE(bar->value(), 7);
        ZieheVorrat({30});
        form->Zuruecksetzen1Click();
        QCOMPARE(Roboter.Vorrat, 7);
        QCOMPARE(bar->value(), 7);
    }

    // A teach-in replay starts from the start state, which replaces the
    // edited world as a whole: the bar follows there as well.
    void theSupplyBarFollowsAReplayStartedWhileEditing()
    {
        form->FeldChangeBtnClick();
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 7; });
        Welt.Uebernehmen();
        FindItem(form, "TeachinModus1")->trigger();
        QVERIFY(teachinWindow());
        form->FeldChangeBtnClick();
        ZieheVorrat({30});
        teachinWindow()->StartStopBtnClick();
        QCOMPARE(Roboter.Vorrat, 7);
        QCOMPARE(Vorratsregler()->value(), 7);
        Vorratsregler()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(Roboter.Vorrat, 8);
        teachinWindow()->close();
    }

    // The keys act on the focused square through the clicks' own edits: the
    // border stays as it is.
    void theKeysEditTheFocusedSquareAsTheClicksDo()
    {
        focusView();
        QWidget* rahmen = Find<QWidget>(feldFlaeche(), "FokusRahmen");
        QVERIFY(rahmen->isVisible());
        const std::string rand = Seiten();
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_Down}) {
            Taste(Canvas(), k);  // no square there: the focus stays on (1, 1)
            Taste(Canvas(), k, Qt::ShiftModifier);
        }
        QCOMPARE(Seiten(), rand);
        QVERIFY(!feldFlaeche()->Verlauf().KannRueckgaengig());

        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up})
            Taste(Canvas(), k);
        Taste(Canvas(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(Welt.Zelle(3, 3).Offen[Sued], std::uint8_t(0));
        QCOMPARE(Pixel(76, 231), Farbe(Barriercolor));  // the north side of (3, 2)
        Taste(Canvas(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(Welt.Zelle(3, 2).Offen[Nord], std::uint8_t(1));
        Taste(Canvas(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(Welt.Zelle(2, 2).Offen[Ost], std::uint8_t(0));
        for (int i = 0; i < 10; ++i)
            Taste(Canvas(), Qt::Key_Plus);
        Taste(Canvas(), Qt::Key_Minus);
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 8);
        Taste(Canvas(), Qt::Key_Z);
        Taste(Canvas(), Qt::Key_Z);  // already there: no turn
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{0, 2, 3, Ost}));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelYpos")->text(), QString("2"));

        form->FeldChangeBtnClick();
        QVERIFY(!rahmen->isVisible());
        Taste(Canvas(), Qt::Key_Plus);  // not the view's key outside the mode
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 8);
    }

    // Ctrl+Z elsewhere keeps its meaning: in the editor it undoes typing,
    // and no shortcut of the main window takes it away.
    void ctrlZInTheEditorUndoesTheTextAndLeavesTheWorld()
    {
        Klick(85, 245);
        form->FileNewItemClick();
        Find<QMdiArea>(form, "MdiArea")->setActiveSubWindow(editorWindow());
        editor()->setFocus();
        QTRY_VERIFY(editor()->hasFocus());
        QTest::keyClicks(editor(), "VOR");
        Taste(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->toPlainText(), QString());
        QCOMPARE(Welt.Zelle(3, 2).Anzahl, 1);
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
#include "WorldSnapshot.h"
