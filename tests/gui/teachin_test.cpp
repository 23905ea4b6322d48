// The teach-in recorder in the running program: recording up to its limit,
// a replay on the info window's Timer2 from the start state, and sequence
// files saved and opened through the dialog service.
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "SamplePrograms.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkHandsteuerung.h"
#include "workfield/ZelkInfo.h"
#include "workfield/ZelkTeachin.h"

class TeachinTest : public QObject, ProgramFixture {
    Q_OBJECT

    QPointer<TTeachin> teachin;

    void click(const char* name)
    {
        auto* knopf = teachin->findChild<QPushButton*>(name);
        QVERIFY2(knopf && knopf->isEnabled(), name);
        QTest::mouseClick(knopf, Qt::LeftButton);
    }

    QString text(const char* name) const
    {
        if (auto* b = teachin->findChild<QPushButton*>(name))
            return b->text();
        return teachin->findChild<QLabel*>(name)->text();
    }

    static QTimer* replayTimer() { return zelkMeldung()->findChild<QTimer*>("Timer2"); }

    bool enabled(const char* name) const { return teachin->findChild<QPushButton*>(name)->isEnabled(); }

    // Runs the replay on its timer until it ends by itself.
    void replayToTheEnd()
    {
        replayTimer()->setInterval(1);
        click("StartStopBtn");
        QVERIFY(replayTimer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!teachin->IsReplaying(), 10000);
        QVERIFY(!replayTimer()->isActive());
    }

private slots:
    void init()
    {
        QVERIFY(startProgram());
        FindItem(form, "TeachinModus1")->trigger();
        teachin = teachinWindow();
        QVERIFY(teachin);
    }

    void cleanup()
    {
        delete teachin;
        stopProgram();
    }

    void theCommandButtonsLiveOnlyWhileRecording()
    {
        QVERIFY(!enabled("vorBtn"));
        click("RecordBtn");
        QCOMPARE(text("RecordBtn"), QStringLiteral("Aufzeichung beenden"));
        click("vorBtn");
        click("drehelinksBtn");
        click("vorBtn");
        click("RecordBtn");
        QVERIFY(!enabled("gibabBtn"));
        QCOMPARE(teachin->Sequence(), std::string("VDV"));
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Y, 2);
    }

    void the301stCommandMovesTheRobotButIsNotRecorded()
    {
        click("RecordBtn");
        for (int i = 0; i < 300; ++i)
            teachin->drehelinksBtnClick();
        QVERIFY(fake->boxes.isEmpty());
        QCOMPARE(Roboter.Richtung, Ost);
        teachin->drehelinksBtnClick();
        QCOMPARE(fake->texts(), QStringList{"Es sind nur 300 Befehle im Teachin-Modus möglich !"});
        QCOMPARE(Roboter.Richtung, Nord);
        QCOMPARE(teachin->Sequence(), std::string(300, 'D'));
    }

    // The replay starts from the start state, not from where the recording
    // began, and ends at the command that fails there.
    void aReplayRunsFromTheStartStateAndEndsAtAFailure()
    {
        Welt.Vor();
        click("RecordBtn");
        click("vorBtn");
        click("drehelinksBtn");
        click("drehelinksBtn");
        click("vorBtn");
        click("vorBtn");
        QCOMPARE(Roboter.X, 1);
        QVERIFY(fake->boxes.isEmpty());
        replayToTheEnd();
        // From X 1: vor to 2, turn round, vor to 1, then into the wall.
        QCOMPARE(fake->texts(), QStringList{"ZELK ist gegen ein  Hindernis gelaufen!"});
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Roboter.Richtung, West);
        QVERIFY(!teachin->IsRecording());
        QCOMPARE(text("StartStopBtn"), QStringLiteral("Sequenz &starten"));
        QVERIFY(enabled("OpenBtn") && enabled("SaveBtn") && enabled("RecordBtn"));
        // Replayed again, it runs again to the same failure: the stop flag
        // that the failure left does not end the next replay at its start.
        replayToTheEnd();
        QCOMPARE(fake->texts().size(), 2);
        QCOMPARE(Roboter.Richtung, West);
    }

    void whileReplayingNothingElseRuns()
    {
        click("RecordBtn");
        click("drehelinksBtn");
        replayTimer()->setInterval(100000);
        click("StartStopBtn");
        QVERIFY(!enabled("RecordBtn") && !enabled("OpenBtn") && !enabled("SaveBtn"));
        QCOMPARE(text("StartStopBtn"), QStringLiteral("Sequenz &anhalten"));
        // Closing the window ends the replay: its timer never reaches a
        // window that is gone.
        teachin->close();
        QVERIFY(!replayTimer()->isActive());
        QTRY_VERIFY(teachin.isNull());
        zelkMeldung()->Timer2Timer();
    }

    // A replay would go on between the program's steps, from the world the
    // program has just reset: a run ends it, and none starts during a run.
    void aProgramRunAndAReplayNeverDriveZelkTogether()
    {
        click("RecordBtn");
        click("vorBtn");
        click("RecordBtn");
        replayTimer()->setInterval(100000);
        form->FileNewItemClick();
        editor()->setPlainText(Kreis);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(100000);

        click("StartStopBtn");
        form->RunItemClick();
        QVERIFY(!teachin->IsReplaying() && !replayTimer()->isActive());
        QCOMPARE(text("StartStopBtn"), QStringLiteral("Sequenz &starten"));
        QVERIFY(!enabled("StartStopBtn"));
        form->PauseBtnClick();
        QVERIFY(enabled("StartStopBtn"));

        click("StartStopBtn");
        form->StepBtnClick();
        QVERIFY(!teachin->IsReplaying() && !replayTimer()->isActive());
        form->StopBtnClick();
        QVERIFY(enabled("StartStopBtn") && enabled("RecordBtn"));
        QVERIFY(fake->boxes.isEmpty());
    }

    // A replay clears the stop flag of a run halted by a failure; the run
    // still cannot go on behind the failed command, Start begins anew.
    void aRunHaltedByAFailureStartsAnewAfterAReplay()
    {
        form->FileNewItemClick();
        editor()->setPlainText(Wand);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
        form->RunItemClick();
        QTRY_COMPARE(fake->boxes.size(), 1);
        form->PauseBtnClick();
        replayToTheEnd();
        QCOMPARE(Roboter.X, 1);
        form->RunItemClick();
        QTRY_COMPARE(fake->boxes.size(), 2);
        QCOMPARE(fake->texts().last(), QStringLiteral("ZELK ist gegen ein  Hindernis gelaufen!"));
        QCOMPARE(Roboter.X, 15);
    }

    // The window closed by the menu item is destroyed only later; by then
    // the next one holds the replay timer and keeps it.
    void aWindowDestroyedLateLeavesTheNextOnesReplay()
    {
        QAction* item = FindItem(form, "TeachinModus1");
        item->trigger();  // closes the window of init()
        item->trigger();
        item->trigger();
        item->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPointer<TTeachin> neu = teachinWindow();
        QVERIFY(neu);
        neu->RecordBtnClick();
        neu->vorBtnClick();
        neu->RecordBtnClick();
        replayTimer()->setInterval(1);
        neu->StartStopBtnClick();
        QTRY_VERIFY(!neu->IsReplaying());
        QCOMPARE(Roboter.X, 2);
        neu->close();
    }

    // Shown again, the window is idle as when it opened, and its buttons
    // and captions say so: a recording ends with what it recorded.
    void aWindowShownAgainIsIdleThroughout()
    {
        click("RecordBtn");
        click("vorBtn");
        teachin->hide();
        teachin->show();
        QVERIFY(!teachin->IsRecording() && !enabled("vorBtn"));
        QCOMPARE(text("RecordBtn"), QStringLiteral("Sequenz &aufzeichnen"));
        QCOMPARE(teachin->Sequence(), std::string("V"));

        replayTimer()->setInterval(100000);
        click("StartStopBtn");
        teachin->hide();
        teachin->show();
        QVERIFY(!teachin->IsReplaying() && !replayTimer()->isActive());
        QCOMPARE(text("StartStopBtn"), QStringLiteral("Sequenz &starten"));
        QVERIFY(enabled("RecordBtn") && enabled("OpenBtn") && enabled("SaveBtn"));
    }

    // Each window comes fresh from its menu item, and closing it by the item
    // or by its close box leaves the same state behind.
    void theMenuItemsToggleFreshWindows()
    {
        const auto toggle = [this](const char* name, auto offen) {
            QAction* item = FindItem(form, name);
            item->trigger();
            QPointer<QWidget> erstes(offen());
            QVERIFY(erstes && item->isChecked());
            item->trigger();
            QVERIFY(!item->isChecked());
            QTRY_VERIFY(erstes.isNull());
            QVERIFY(!offen());
            item->trigger();
            QPointer<QWidget> zweites(offen());
            QVERIFY(zweites && item->isChecked());
            QVERIFY(zweites->isVisible());
            zweites->close();
            QVERIFY(!item->isChecked());
            QTRY_VERIFY(zweites.isNull());
        };
        toggle("Handsteuerung1", [] { return handsteuerungWindow(); });
        teachin->close();
        QTRY_VERIFY(teachin.isNull());
        toggle("TeachinModus1", [] { return teachinWindow(); });
    }

    // Alt+D is "&Datei" and "&drehe links", Alt+A "&Arbeitsfeld" and
    // "Sequenz &aufzeichnen": in the window with the focus every press is the
    // window's, and elsewhere the menu bar keeps its keys.
    void theFocusedWindowsAccessKeysWinOverTheMenuBar_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        QTest::newRow("Handsteuerung") << "Handsteuerung1" << "DVN";
        QTest::newRow("Teachin") << "TeachinModus1" << "ADVN";
    }

    void theFocusedWindowsAccessKeysWinOverTheMenuBar()
    {
        QFETCH(QString, item);
        QFETCH(QString, keys);
        teachin->close();  // the window of init(): the item opens a fresh one
        QTRY_VERIFY(teachin.isNull());
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 2).Anzahl = 1; });
        FindItem(form, qPrintable(item))->trigger();
        auto* area = Find<QMdiArea>(form, "MdiArea");
        QMdiSubWindow* fenster = area->subWindowList().last();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        area->setActiveSubWindow(fenster);
        QTRY_VERIFY(fenster->isAncestorOf(QApplication::focusWidget()));
        for (QChar key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key.unicode()), Qt::AltModifier);
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(WorldSnapshot::sameRobot(Roboter, TZelkZustand{1, 2, 1, Nord}));
        if (item == "TeachinModus1")
            QCOMPARE(teachinWindow()->Sequence(), std::string("DVN"));

        area->setActiveSubWindow(feldFlaeche());
        feldFlaeche()->widget()->setFocus();
        QTest::keyClick(feldFlaeche()->widget(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), FindMenu(form, "Arbeitsfeld1"));
        FindMenu(form, "Arbeitsfeld1")->close();
    }

    void aSavedSequenceOpensAgainAndOverwritingAsksFirst()
    {
        click("RecordBtn");
        click("vorBtn");
        click("drehelinksBtn");
        const QString datei = path("weg.tip");
        fake->files.push_back(datei);
        click("SaveBtn");  // ends the recording first
        QVERIFY(!teachin->IsRecording());
        QCOMPARE(text("DateiNameLabel"), QStringLiteral("weg.tip"));
        QVERIFY(fake->boxes.isEmpty());

        // Declined: nothing is written, and the label keeps its name.
        click("RecordBtn");
        click("drehelinksBtn");
        click("RecordBtn");
        QCOMPARE(text("DateiNameLabel"), QString());
        fake->files.push_back(datei);
        fake->answers.push_back(MsgAnswer::No);
        click("SaveBtn");
        QCOMPARE(fake->texts(), (QStringList{"Programm existiert bereits. Überschreiben?",
                                             "Datei konnte nicht angelegt werden !"}));
        QCOMPARE(text("DateiNameLabel"), QString());

        fake->files.push_back(datei);
        click("OpenBtn");
        QCOMPARE(teachin->Sequence(), std::string("VD"));
        QCOMPARE(text("DateiNameLabel"), QStringLiteral("weg.tip"));
        QCOMPARE(QDir::currentPath(), QFileInfo(datei).absolutePath());

        // A file that cannot be read empties the sequence.
        fake->files.push_back(path("fehlt.tip"));
        click("OpenBtn");
        QCOMPARE(fake->texts().last(), QStringLiteral("Programm existiert nicht!"));
        QCOMPARE(teachin->Sequence(), std::string());
        QCOMPARE(text("DateiNameLabel"), QStringLiteral("weg.tip"));
    }
};

QTEST_MAIN(TeachinTest)
#include "teachin_test.moc"
#include "WorldSnapshot.h"
