// The info window: speed formula and focus rule, the supply bar, closing,
// its place, and the two timers driving a run and a replay.
#include <QAccessible>
#include <QMainWindow>
#include <QMenu>
#include <QMdiArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "RecordingPorts.h"
#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "workfield/GuiWorldDisplay.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

class InfoWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QMainWindow> main;
    QMdiArea* area = nullptr;

    // A scroll as the user makes it: the thumb dragged to p.
    void Ziehe(QScrollBar* bar, int p) { bar->setSliderPosition(p); }

private slots:
    void init()
    {
        ResetWorld();
        main = MdiMainWindow(800, 500, area);
        (void)new TFeldFlaeche;
        area->addSubWindow(feldFlaeche());
        (void)new TZelkMeldung;
        area->addSubWindow(zelkMeldung());
        main->show();
        feldFlaeche()->show();
        zelkMeldung()->show();
        // The supply bar edits the field as the main window wires it.
        connect(zelkMeldung(), &TZelkMeldung::VorratEingestellt, feldFlaeche(),
                &TFeldFlaeche::VorratEinstellen);
    }
    void cleanup()
    {
        main.reset();
        QVERIFY(zelkMeldung() == nullptr && feldFlaeche() == nullptr);
    }

    void startsWithCreationIntervalsThoughTheBarShows40()
    {
        TZelkMeldung* m = zelkMeldung();
        QCOMPARE(Find<QScrollBar>(m, "ScrollGeschw")->value(), 40);
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("40"));
        QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), 50);
        QCOMPARE(Find<QTimer>(m, "Timer2")->interval(), 250);
        QVERIFY(!Find<QTimer>(m, "Timer1")->isActive() && !Find<QTimer>(m, "Timer2")->isActive());
        QVERIFY(!Find<QScrollBar>(m, "ScrollMaterial")->isEnabled());
        QCOMPARE(m->geometry(), QRect(460, 5, 145, 207));
        // the bold labels fit: values clear of their headings, all inside the client
        QVERIFY(FindLabel(m, "Geschwindigkeit")->geometry().right() <
                FindLabel(m, "LabelGeschw")->x());
        QVERIFY(FindLabel(m, "Label4")->geometry().right() < FindLabel(m, "LabelMaterial")->x());
        QVERIFY(m->widget()->height() >= Find<QScrollBar>(m, "ScrollGeschw")->geometry().bottom());
    }

    void speedFormulaOnEveryScroll()
    {
        TZelkMeldung* m = zelkMeldung();
        const int p[] = {0, 10, 25, 40, 50, 37};
        const int t1[] = {501, 401, 251, 101, 1, 131};
        const int t2[] = {2501, 2001, 1251, 501, 1, 651};
        for (int i = 0; i < 6; ++i) {
            Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), p[i]);
            QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString::number(p[i]));
            QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), t1[i]);
            QCOMPARE(Find<QTimer>(m, "Timer2")->interval(), t2[i]);
        }
        // arrows and page steps are scrolls too
        Find<QScrollBar>(m, "ScrollGeschw")->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("27"));
        QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), 231);
        Find<QScrollBar>(m, "ScrollGeschw")->triggerAction(QAbstractSlider::SliderToMaximum);
        Find<QScrollBar>(m, "ScrollGeschw")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("50"));
        QCOMPARE(Find<QTimer>(m, "Timer2")->interval(), 1);
        // a running timer keeps running at its new pace
        Find<QTimer>(m, "Timer2")->start();
        Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 30);
        QVERIFY(Find<QTimer>(m, "Timer2")->isActive());
        QCOMPARE(Find<QTimer>(m, "Timer2")->interval(), 1001);
        Find<QTimer>(m, "Timer2")->stop();
    }

    void focusSetsTheThumbTo40Only()
    {
        TZelkMeldung* m = zelkMeldung();
        Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 10);
        QVERIFY(Find<QScrollBar>(m, "ScrollGeschw")->focusPolicy() & Qt::TabFocus);
        QVERIFY(Find<QScrollBar>(m, "ScrollGeschw")->focusPolicy() & Qt::ClickFocus);
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Find<QScrollBar>(m, "ScrollGeschw"), &focusIn);
        QCOMPARE(Find<QScrollBar>(m, "ScrollGeschw")->value(), 40);
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("10"));
        QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), 401);
        QCOMPARE(Find<QTimer>(m, "Timer2")->interval(), 2001);
        // the next key press scrolls from 40
        QTest::keyClick(Find<QScrollBar>(m, "ScrollGeschw"), Qt::Key_Right);
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("41"));
        QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), 91);
    }

    void focusComingBackLeavesTheThumb()
    {
        // The focus returns to the bar it never left, when the program is
        // activated again or a menu or a popup closes: no receiving of the
        // focus, so the thumb keeps matching the speed.
        TZelkMeldung* m = zelkMeldung();
        QApplication::setActiveWindow(main.get());
        area->setActiveSubWindow(m);
        Find<QScrollBar>(m, "ScrollGeschw")->setFocus(Qt::TabFocusReason);
        Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 50);
        QMainWindow other;
        other.show();
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(main.get());
        QCOMPARE(QApplication::focusWidget(), Find<QScrollBar>(m, "ScrollGeschw"));
        QCOMPARE(Find<QScrollBar>(m, "ScrollGeschw")->value(), 50);
        for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
            QFocusEvent focusIn(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(Find<QScrollBar>(m, "ScrollGeschw"), &focusIn);
            QCOMPARE(Find<QScrollBar>(m, "ScrollGeschw")->value(), 50);
        }
        // a click or the tab key still moves it
        for (Qt::FocusReason reason : {Qt::MouseFocusReason, Qt::BacktabFocusReason}) {
            Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 50);
            QFocusEvent focusIn(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(Find<QScrollBar>(m, "ScrollGeschw"), &focusIn);
            QCOMPARE(Find<QScrollBar>(m, "ScrollGeschw")->value(), 40);
        }
        QCOMPARE(FindLabel(m, "LabelGeschw")->text(), QString("50"));
    }

    void supplyBarOnlyWhileEditing()
    {
        TZelkMeldung* m = zelkMeldung();
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 7; });
        // even if enabled, outside editing it springs back
        Find<QScrollBar>(m, "ScrollMaterial")->setEnabled(true);
        Ziehe(Find<QScrollBar>(m, "ScrollMaterial"), 50);
        QCOMPARE(Find<QScrollBar>(m, "ScrollMaterial")->value(), 7);
        QCOMPARE(Roboter.Vorrat, 7);
        QCOMPARE(FindLabel(m, "LabelMaterial")->text(), QString("0"));

        feldFlaeche()->Veraendern = true;
        m->ScrollMaterialFreigeben(true);
        QCOMPARE(Find<QScrollBar>(m, "ScrollMaterial")->value(), 7);
        Ziehe(Find<QScrollBar>(m, "ScrollMaterial"), 99);
        QCOMPARE(Roboter.Vorrat, 99);
        QCOMPARE(FindLabel(m, "LabelMaterial")->text(), QString("99"));
        QCOMPARE(RoboterStart.Vorrat, 0);  // only the current state
        Find<QScrollBar>(m, "ScrollMaterial")->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(Roboter.Vorrat, 89);
        // showing the supply leaves the bar alone
        m->ZeigeMaterial(3);
        QCOMPARE(FindLabel(m, "LabelMaterial")->text(), QString("3"));
        QCOMPARE(Find<QScrollBar>(m, "ScrollMaterial")->value(), 89);

        // once the editing mode has ended, the bar springs back again
        feldFlaeche()->Veraendern = false;
        m->ScrollMaterialFreigeben(false);
        Find<QScrollBar>(m, "ScrollMaterial")->setEnabled(true);
        Ziehe(Find<QScrollBar>(m, "ScrollMaterial"), 20);
        QCOMPARE(Roboter.Vorrat, 89);
        QCOMPARE(Find<QScrollBar>(m, "ScrollMaterial")->value(), 89);
    }

    // A screen reader or voice control sets the value without any action of
    // the bar; it is a scroll all the same.
    void aValueSetThroughTheAccessibilityLayerIsAScroll_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("after");  // the label's value and the bar's position
        QTest::newRow("speed") << "ScrollGeschw" << false << "LabelGeschw" << 42;
        QTest::newRow("supply while editing") << "ScrollMaterial" << true << "LabelMaterial" << 42;
        QTest::newRow("supply otherwise") << "ScrollMaterial" << false << "LabelMaterial" << 0;
    }

    void aValueSetThroughTheAccessibilityLayerIsAScroll()
    {
        QFETCH(QString, bar);
        QFETCH(bool, editing);
        QFETCH(QString, label);
        QFETCH(int, after);
        TZelkMeldung* m = zelkMeldung();
        feldFlaeche()->Veraendern = editing;
        m->ScrollMaterialFreigeben(editing);
        auto* scrollBar = Find<QScrollBar>(m, qPrintable(bar));
        QAccessible::queryAccessibleInterface(scrollBar)->valueInterface()->setCurrentValue(42);
        QCOMPARE(FindLabel(m, qPrintable(label))->text(), QString::number(after));
        QCOMPARE(scrollBar->value(), after);
        QCOMPARE(Roboter.Vorrat, editing ? 42 : 0);
        if (bar == "ScrollGeschw")
            QCOMPARE(Find<QTimer>(m, "Timer1")->interval(), 81);
    }

    void closingMinimisesAndActivationRestoresThePlace()
    {
        TZelkMeldung* m = zelkMeldung();
        area->setActiveSubWindow(feldFlaeche());
        m->move(200, 150);
        area->setActiveSubWindow(m);
        QCOMPARE(m->geometry(), QRect(460, 5, 145, 207));

        m->resize(300, 300);
        QCOMPARE(m->size(), QSize(145, 207));  // the border is fixed

        m->close();
        QVERIFY(zelkMeldung() == m);
        QVERIFY(m->isMinimized());
        QVERIFY(m->height() < 100);
        QVERIFY(area->subWindowList().contains(m));
        m->showNormal();
        area->setActiveSubWindow(m);
        QVERIFY(!m->isMinimized());
        QCOMPARE(m->geometry(), QRect(460, 5, 145, 207));
    }

    void closedWindowComesBackFromItsMinimisedBarOnly()
    {
        TZelkMeldung* m = zelkMeldung();
        QAction* restore = m->systemMenu()->actions().value(0);  // the window menu's first item
        auto offersRestoring = [&] {
            return restore->isVisible() && (m->windowFlags() & Qt::WindowMinimizeButtonHint);
        };
        QVERIFY(!offersRestoring());  // the normal window has only its close box
        m->close();
        QVERIFY(m->isMinimized() && offersRestoring() && restore->isEnabled());
        restore->trigger();
        QVERIFY(!m->isMinimized() && !offersRestoring());

        // a double-click on the minimised bar's text
        m->close();
        const QPoint bar(m->width() / 3, m->height() / 2);
        QTest::mouseDClick(m, Qt::LeftButton, {}, bar);
        QVERIFY(!m->isMinimized() && !offersRestoring());
        QCOMPARE(m->size(), QSize(145, 207));

        // the restore button: one click somewhere on the bar, right to left
        m->close();
        for (int x = m->width() - 2; x > 0 && m->isMinimized(); x -= 3) {
            QTest::mouseMove(m, QPoint(x, bar.y()));
            QTest::mouseClick(m, Qt::LeftButton, {}, QPoint(x, bar.y()));
        }
        QVERIFY(!m->isMinimized());
    }

    void timer1RunsAProgramToItsEnd()
    {
        GuiWorldDisplay display(feldFlaeche(), zelkMeldung());
        RecordingMessages messages;
        RecordingRunControl control;
        PortsGuard guard(&messages, &display, &control);
        // VOR; DREHE_LINKS; VOR inside a main block
        ResetCode();
        Emit(opJump, 1, 0, 0);
        Emit(opVor, 0, 1, 0);
        Emit(opDreheLinks, 0, 2, 0);
        Emit(opVor, 0, 3, 0);
        Emit(opReturn, 0, 4, 0);
        TZelkMeldung* m = zelkMeldung();
        // The run takes the ticks; its timer follows what the run says.
        TRunController run;
        connect(m, &TZelkMeldung::Timer1Abgelaufen, &run, &TRunController::Tick);
        connect(&run, &TRunController::Timer1Switched, m, &TZelkMeldung::SetTimer1Enabled);
        Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 50);
        InitRun(0);
        int ticks = 0;
        connect(Find<QTimer>(m, "Timer1"), &QTimer::timeout, this, [&] { ++ticks; });
        Find<QTimer>(m, "Timer1")->start();
        QTRY_VERIFY(!Find<QTimer>(m, "Timer1")->isActive());
        QCOMPARE(ticks, 5);  // one instruction per tick
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Y, 2);
        QCOMPARE(int(Roboter.Richtung), int(Nord));
        QCOMPARE(FindLabel(m, "LabelXpos")->text(), QString("2"));
        QCOMPARE(FindLabel(m, "LabelYpos")->text(), QString("2"));
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkNord")->geometry(), QRect(33, 229, 32, 32));
        QCOMPARE(control.stops, 1);
        QVERIFY(messages.shown.empty());

        // a robot that walks into the wall halts the run at that tick
        ticks = 0;
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{}; });
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Richtung = Sued; });
        InitRun(0);
        Find<QTimer>(m, "Timer1")->start();
        QTRY_VERIFY(!Find<QTimer>(m, "Timer1")->isActive());
        QCOMPARE(ticks, 2);
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Roboter.Y, 1);
        QVERIFY(Welt.Abbruch);
    }

    void timer2TicksTheReplayUntilItEnds()
    {
        TZelkMeldung* m = zelkMeldung();
        Ziehe(Find<QScrollBar>(m, "ScrollGeschw"), 50);
        int schritte = 0;
        auto replay = connect(m, &TZelkMeldung::Timer2Abgelaufen, m, [&] {
            if (++schritte == 3)
                m->SetTimer2Enabled(false);
        });
        m->SetTimer2Enabled(true);
        QTRY_VERIFY(!Find<QTimer>(m, "Timer2")->isActive());
        QCOMPARE(schritte, 3);

        // without a replay to tick, the timer stops
        disconnect(replay);
        m->SetTimer2Enabled(true);
        QTRY_VERIFY(!Find<QTimer>(m, "Timer2")->isActive());
    }
};

QTEST_MAIN(InfoWindowTest)
#include "infowindow_test.moc"
#include "WorldSnapshot.h"
#include "mainwindow/RunController.h"
