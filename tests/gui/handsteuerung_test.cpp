// The manual control window on real buttons: each button drives the robot as
// a program instruction would, failures included, and the window stands at
// its place whenever it is shown.
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

#include "GuiFixtures.h"
#include "RecordingPorts.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkHandsteuerung.h"

class HandsteuerungTest : public QObject {
    Q_OBJECT

    QMdiArea* area = nullptr;
    std::unique_ptr<QMainWindow> main;
    RecordingMessages messages;

    THandsteuerung* open()
    {
        auto* w = new THandsteuerung;
        area->addSubWindow(w);
        w->show();
        return w;
    }

    static void click(THandsteuerung* w, const char* name)
    {
        auto* knopf = w->findChild<QPushButton*>(name);
        QVERIFY2(knopf, name);
        QTest::mouseClick(knopf, Qt::LeftButton);
    }

private slots:
    void init()
    {
        ResetWorld();
        messages = RecordingMessages();
        setMessages(&messages);
        main = MdiMainWindow(800, 600, area);
        main->show();
    }

    void cleanup()
    {
        main.reset();
        setMessages(nullptr);
        ResetWorld();
    }

    void eachButtonPerformsItsAction()
    {
        THandsteuerung* w = open();
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 1).Anzahl = 2; });
        click(w, "nimmaufBtn");
        click(w, "vorBtn");
        click(w, "drehelinksBtn");
        click(w, "gibabBtn");
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(Roboter.Richtung, Nord);
        QCOMPARE(Welt.Zelle(1, 1).Anzahl, 1);
        QCOMPARE(Welt.Zelle(2, 1).Anzahl, 1);
        QCOMPARE(Roboter.Vorrat, 0);
        QVERIFY(messages.shown.empty());
    }

    // A failure shows the world's own message, leaves the robot where it
    // stood, and the buttons stay usable.
    void failuresShowTheirMessagesAndTheButtonsStayLive()
    {
        THandsteuerung* w = open();
        click(w, "drehelinksBtn");
        click(w, "drehelinksBtn");
        click(w, "vorBtn");
        click(w, "nimmaufBtn");
        QCOMPARE(messages.texts(),
                 (std::vector<std::string>{"ZELK ist gegen ein  Hindernis gelaufen!",
                                           "ZELK hat versucht einen Gegenstand aufzunehmen, wo keiner liegt !"}));
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Roboter.Richtung, West);
        for (auto* knopf : w->findChildren<QPushButton*>())
            QVERIFY(knopf->isEnabled());
        click(w, "drehelinksBtn");
        QCOMPARE(Roboter.Richtung, Sued);
    }

    void aShownWindowStandsAtItsPlaceAndClosingDestroysIt()
    {
        THandsteuerung* w = open();
        QCOMPARE(w->geometry(), QRect(450, 230, 127, 147));
        QCOMPARE(w->focusWidget(), w->findChild<QPushButton*>("vorBtn"));
        QSignalSpy geschlossen(w, &THandsteuerung::Geschlossen);
        QPointer<THandsteuerung> weg(w);
        w->close();
        QCOMPARE(geschlossen.count(), 1);
        QTRY_VERIFY(weg.isNull());
    }
};

QTEST_MAIN(HandsteuerungTest)
#include "handsteuerung_test.moc"
#include "WorldSnapshot.h"
