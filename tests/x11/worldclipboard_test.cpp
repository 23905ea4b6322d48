// Copying the work field to the real clipboard: the picture of the client
// area, robot included, as another program would paste it.
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMdiArea>
#include <QMimeData>
#include <QtTest>

#include "ProgramWindows.h"
#include "WorldSnapshot.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"

class WorldClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void copyPutsTheClientAreaWithTheRobotOnTheClipboard()
    {
        Welt.Loeschen();
        Welt.Grundstellung();
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 4).Anzahl = 1; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 4).Offen[Ost] = 0; });
        QMainWindow main;
        auto* area = new QMdiArea;
        main.setCentralWidget(area);
        main.resize(700, 450);
        (void)new TFeldFlaeche;
        area->addSubWindow(feldFlaeche());
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));

        QGuiApplication::clipboard()->setText("vorher");
        feldFlaeche()->CopyToClipboard();
        QImage bild;
        QTRY_VERIFY((bild = QGuiApplication::clipboard()->image()).isNull() == false);
        bild = bild.convertToFormat(QImage::Format_RGB32);

        QCOMPARE(bild.size(), feldFlaeche()->widget()->size());
        QCOMPARE(bild,
                 feldFlaeche()->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QColor(bild.pixel(34, 100)), QColor(128, 128, 128));  // grid line
        QCOMPARE(QColor(bild.pixel(118, 180)), QColor(255, 0, 0));     // barrier east of (4, 4)
        QCOMPARE(QColor(bild.pixel(105, 196)), QColor(0, 0, 0));      // ring of item mark 1 of (4, 4)
        // the robot picture on (1, 1) is part of the copy
        bool robot = false;
        for (int y = 262; y < 284; ++y)
            for (int x = 10; x < 30; ++x)
                robot |= QColor(bild.pixel(x, y)) != QColor(255, 255, 255);
        QVERIFY(robot);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText());
        delete feldFlaeche();
    }
};

QTEST_MAIN(WorldClipboardTest)
#include "worldclipboard_test.moc"
