// The work field view: pixels of grid, barriers, item marks and robot on a
// grabbed canvas, the fixed window size, colour values and the display port.
#include <QMainWindow>
#include <QMdiArea>
#include <QtTest>
#include <memory>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "RecordingPorts.h"
#include "platform/Colors.h"
#include "settings/ZelkSettings.h"
#include "workfield/GuiWorldDisplay.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

namespace {

const QRgb grau = qRgb(128, 128, 128);
const QRgb rot = qRgb(255, 0, 0);
const QRgb weiss = qRgb(255, 255, 255);
const QRgb schwarz = qRgb(0, 0, 0);

int Ox(int x) { return 28 * (x - 1) + 6; }
int Oy(int y) { return 28 * (10 - y) + 6; }

QImage Grab()
{
    return feldFlaeche()->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
QRgb Px(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) | 0xFF000000; }

// The twelve pixels of the ring of mark k on square (x, y).
QVector<QPoint> RingPixel(int x, int y, int k)
{
    static const int dx[9] = {17, 10, 24, 17, 10, 24, 17, 10, 24};
    static const int dy[9] = {24, 24, 24, 17, 17, 17, 10, 10, 10};
    const int left = Ox(x) + dx[k - 1] - 3, top = Oy(y) + dy[k - 1] - 2;
    QVector<QPoint> out;
    for (int c = 1; c <= 3; ++c) {
        out << QPoint(left + c, top) << QPoint(left + c, top + 4);
        out << QPoint(left, top + c) << QPoint(left + 4, top + c);
    }
    return out;
}

bool AlleIn(const QImage& img, const QVector<QPoint>& punkte, QRgb farbe)
{
    for (const QPoint& p : punkte)
        if (Px(img, p.x(), p.y()) != (farbe | 0xFF000000))
            return false;
    return true;
}

bool RechteckIn(const QImage& img, int l, int t, int r, int b, QRgb farbe)
{
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x)
            if (Px(img, x, y) != (farbe | 0xFF000000))
                return false;
    return true;
}

}  // namespace

class WorldViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QMainWindow> main;
    QMdiArea* area = nullptr;

private slots:
    void init()
    {
        ResetWorld();
        Wallcolor = 8421504;
        Barriercolor = 255;
        main = MdiMainWindow(800, 500, area);
        (void)new TFeldFlaeche;
        area->addSubWindow(feldFlaeche());
        main->show();
        feldFlaeche()->show();
    }
    void cleanup()
    {
        main.reset();
        QVERIFY(feldFlaeche() == nullptr);  // the view forgets itself when destroyed
        Wallcolor = 8421504;
        Barriercolor = 255;
    }

    void gridLinesInWallcolourReadAtEveryDraw()
    {
        QImage img = Grab();
        QCOMPARE(feldFlaeche()->windowTitle(), QString("Arbeitsfeld"));
        QVERIFY(!feldFlaeche()->windowIcon().isNull());
        // vertical lines 28i+6 .. 28i+8, horizontal 28j+6 .. 28j+8, over 6..288
        for (int i = 0; i <= 15; ++i)
            QVERIFY2(RechteckIn(img, 28 * i + 6, 6, 28 * i + 9, 289, grau), qPrintable(QString::number(i)));
        for (int j = 0; j <= 10; ++j)
            QVERIFY2(RechteckIn(img, 6, 28 * j + 6, 429, 28 * j + 9, grau), qPrintable(QString::number(j)));
        QCOMPARE(Px(img, 5, 100), weiss | 0xFF000000);
        QCOMPARE(Px(img, 429, 100), weiss | 0xFF000000);
        QCOMPARE(Px(img, 100, 289), weiss | 0xFF000000);
        QVERIFY(RechteckIn(img, 37, 9, 62, 34, weiss));  // inside square (2, 10)

        Wallcolor = 0x00FF0000;  // blue as 00BBGGRR
        feldFlaeche()->RepaintAll();
        img = Grab();
        QCOMPARE(Px(img, 34, 100), qRgb(0, 0, 255) | 0xFF000000);
        QCOMPARE(Px(img, 100, 286), qRgb(0, 0, 255) | 0xFF000000);
    }

    void barriersFromEastAndNorthFlagsOnly()
    {
        // between (3,4) and (4,4), and between (3,4) and (3,5)
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 4).Offen[Ost] = 0; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 4).Offen[West] = 0; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 4).Offen[Nord] = 0; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 5).Offen[Sued] = 0; });
        // blocked only from the far side: not drawn
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(6, 4).Offen[West] = 0; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(8, 2).Offen[Sued] = 0; });
        feldFlaeche()->RepaintAll();
        QImage img = Grab();
        QVERIFY(RechteckIn(img, 90, 174, 93, 205, rot));
        QVERIFY(RechteckIn(img, 62, 174, 93, 177, rot));
        // right and bottom are exclusive: the next pixels keep the grid colour
        QCOMPARE(Px(img, 91, 205), grau | 0xFF000000);
        QCOMPARE(Px(img, 93, 175), grau | 0xFF000000);
        QCOMPARE(Px(img, 89, 190), weiss | 0xFF000000);
        QCOMPARE(Px(img, 93, 190), weiss | 0xFF000000);
        QVERIFY(RechteckIn(img, Ox(6), Oy(4), Ox(6) + 3, Oy(4) + 31, grau));
        QVERIFY(RechteckIn(img, Ox(8), Oy(1), Ox(8) + 31, Oy(1) + 3, grau));
        // the border stays grey although its flags are 0
        QVERIFY(RechteckIn(img, 426, 6, 429, 289, grau));
        QVERIFY(RechteckIn(img, 6, 6, 429, 9, grau));

        // a removed barrier is drawn back in the grid colour
        feldFlaeche()->ZeichneSenkrecht(3, 4, false);
        img = Grab();
        QVERIFY(RechteckIn(img, 90, 174, 93, 205, grau));
        QVERIFY(RechteckIn(img, 62, 174, 90, 177, rot));  // the shared corner went grey

        Barriercolor = 0x0000FF00;
        feldFlaeche()->ZeichneWaagerecht(3, 4, true);
        QVERIFY(RechteckIn(Grab(), 62, 174, 93, 177, qRgb(0, 255, 0)));
    }

    void itemMarksAsRingsBottomRowFirst()
    {
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(5, 5).Anzahl = 9; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(7, 3).Anzahl = 3; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(9, 8).Anzahl = 12; });  // only a damaged file holds this
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(10, 8).Anzahl = -4; });
        feldFlaeche()->RepaintAll();
        QImage img = Grab();
        for (int k = 1; k <= 9; ++k) {
            QVERIFY2(AlleIn(img, RingPixel(5, 5, k), schwarz), qPrintable(QString::number(k)));
            QVERIFY2(AlleIn(img, RingPixel(9, 8, k), schwarz), qPrintable(QString::number(k)));
            QVERIFY(AlleIn(img, RingPixel(10, 8, k), weiss));
            QCOMPARE(AlleIn(img, RingPixel(7, 3, k), schwarz), k <= 3);
        }
        // nine marks in three rows of three: exactly 9 * 12 black pixels
        int schwarze = 0;
        for (int y = Oy(5) + 3; y < Oy(5) + 28; ++y)
            for (int x = Ox(5) + 3; x < Ox(5) + 28; ++x)
                schwarze += Px(img, x, y) == (schwarz | 0xFF000000);
        QCOMPARE(schwarze, 108);
        // a ring, not a disc: corners and centre of mark 1 stay white
        const int cx = Ox(7) + 17, cy = Oy(3) + 24;
        QCOMPARE(Px(img, cx - 3, cy - 2), weiss | 0xFF000000);
        QCOMPARE(Px(img, cx + 1, cy + 2), weiss | 0xFF000000);
        QCOMPARE(Px(img, cx - 1, cy), weiss | 0xFF000000);
        QCOMPARE(Px(img, cx + 2, cy), weiss | 0xFF000000);

        // adding draws mark n+1, removing erases mark n; bad numbers are ignored
        feldFlaeche()->ZeichnePunkt(7, 3, true, 4);
        feldFlaeche()->ZeichnePunkt(7, 3, false, 3);
        feldFlaeche()->ZeichnePunkt(7, 3, true, 0);
        feldFlaeche()->ZeichnePunkt(7, 3, true, 10);
        feldFlaeche()->ZeichnePunkt(16, 11, true, 1);
        img = Grab();
        QVERIFY(AlleIn(img, RingPixel(7, 3, 4), schwarz));
        QVERIFY(AlleIn(img, RingPixel(7, 3, 3), weiss));
        QVERIFY(AlleIn(img, RingPixel(7, 3, 2), schwarz));

        // a full repaint clears what the model no longer holds
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(5, 5).Anzahl = 1; });
        feldFlaeche()->RepaintAll();
        img = Grab();
        QVERIFY(AlleIn(img, RingPixel(5, 5, 1), schwarz));
        for (int k = 2; k <= 9; ++k)
            QVERIFY(AlleIn(img, RingPixel(5, 5, k), weiss));
        QVERIFY(AlleIn(img, RingPixel(7, 3, 4), weiss));
    }

    void robotPictureFollowsMovesAndTheLeftSquareIsRedrawn()
    {
        GuiWorldDisplay display(feldFlaeche(), nullptr);
        RecordingMessages messages;
        PortsGuard guard(&messages, &display);
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(1, 1).Anzahl = 2; });
        feldFlaeche()->RepaintAll();
        QVERIFY(!FindLabel(feldFlaeche(), "ZelkOst")->isHidden());
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkOst")->geometry(), QRect(5, 257, 30, 28));
        QImage img = Grab();
        QVERIFY(!AlleIn(img, RingPixel(1, 1, 1), schwarz));  // covered by the robot

        Welt.Vor();
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkOst")->geometry(), QRect(33, 257, 30, 28));
        QVERIFY(!FindLabel(feldFlaeche(), "ZelkOst")->isHidden());
        QVERIFY(FindLabel(feldFlaeche(), "ZelkNord")->isHidden() &&
                FindLabel(feldFlaeche(), "ZelkWest")->isHidden() &&
                FindLabel(feldFlaeche(), "ZelkSued")->isHidden());
        img = Grab();
        // square (1,1) is white inside, with its two marks, and its lines intact
        QVERIFY(AlleIn(img, RingPixel(1, 1, 1), schwarz));
        QVERIFY(AlleIn(img, RingPixel(1, 1, 2), schwarz));
        QVERIFY(AlleIn(img, RingPixel(1, 1, 3), weiss));
        QVERIFY(RechteckIn(img, 9, 261, 20, 275, weiss));
        QVERIFY(RechteckIn(img, 6, 258, 9, 289, grau));
        QVERIFY(RechteckIn(img, 6, 258, 37, 261, grau));
        // the robot now covers square (2,1): not plain white there
        QVERIFY(!RechteckIn(img, 38, 262, 62, 284, weiss));

        Welt.DreheLinks();
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkNord")->geometry(), QRect(33, 257, 32, 32));
        QVERIFY(FindLabel(feldFlaeche(), "ZelkOst")->isHidden() &&
                !FindLabel(feldFlaeche(), "ZelkNord")->isHidden());
        Welt.Vor();
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkNord")->geometry(), QRect(33, 229, 32, 32));
        Welt.DreheLinks();
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkWest")->geometry(), QRect(33, 229, 32, 32));
        Welt.DreheLinks();
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkSued")->geometry(), QRect(33, 229, 32, 32));
        QVERIFY(messages.shown.empty());

        // a failed move changes nothing on the view
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{}; });
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 15; });
        feldFlaeche()->RepaintAll();
        img = Grab();
        Welt.Vor();
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(Grab(), img);
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkOst")->geometry(), QRect(28 * 15 - 23, 257, 30, 28));

        // a robot out of the grid (a damaged file) does not crash the view
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 40; });
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Richtung = TRichtung(7); });
        feldFlaeche()->RepaintAll();
        feldFlaeche()->SetzeBild(3, 3, true, 2);
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkWest")->geometry(), QRect(61, 201, 32, 32));
    }

    void fixedSizeAndPlaceMinimisedOnClose()
    {
        QCOMPARE(feldFlaeche()->geometry(), QRect(5, 5, 443, 322));
        QVERIFY(feldFlaeche()->widget()->width() >= 429 && feldFlaeche()->widget()->height() >= 289);
        feldFlaeche()->resize(600, 400);
        QCOMPARE(feldFlaeche()->size(), QSize(443, 322));
        feldFlaeche()->setGeometry(20, 30, 200, 100);
        QCOMPARE(feldFlaeche()->size(), QSize(443, 322));
        QCOMPARE(feldFlaeche()->pos(), QPoint(20, 30));

        feldFlaeche()->close();
        QVERIFY(feldFlaeche() != nullptr);
        QVERIFY(feldFlaeche()->isMinimized());
        QVERIFY(area->subWindowList().contains(feldFlaeche()));
        feldFlaeche()->showNormal();
        QCOMPARE(feldFlaeche()->size(), QSize(443, 322));
    }

    void colourValues()
    {
        QCOMPARE(ToQColor(255), QColor(255, 0, 0));
        QCOMPARE(ToQColor(8421504), QColor(128, 128, 128));
        QCOMPARE(ToQColor(0x00123456), QColor(0x56, 0x34, 0x12));
        QCOMPARE(ToQColor(16777215), QColor(255, 255, 255));
        QCOMPARE(ToQColor(0x02FF8000), QColor(0x00, 0x80, 0xFF));  // palette-relative high byte ignored
        const QPalette pal;
        QCOMPARE(ToQColor(std::int32_t(0x80000008)), pal.color(QPalette::Active, QPalette::Text));
        QCOMPARE(ToQColor(std::int32_t(0x80000005)), pal.color(QPalette::Active, QPalette::Base));
        QCOMPARE(ToQColor(std::int32_t(0x8000000F)), pal.color(QPalette::Active, QPalette::Button));
        QCOMPARE(ToQColor(std::int32_t(0x800000FF)), QColor(0, 0, 0));
        QCOMPARE(ToQColor(Fontcolor), pal.color(QPalette::Active, QPalette::Text));
    }

    void displayAdapterForwardsAndToleratesMissingWindows()
    {
        (void)new TZelkMeldung;
        area->addSubWindow(zelkMeldung());
        GuiWorldDisplay display(feldFlaeche(), zelkMeldung());
        std::string panel;
        display.FeldPanel = [&](const std::string& text) { panel = text; };

        display.SetzeBild(4, 6, false, Sued);
        QCOMPARE(FindLabel(feldFlaeche(), "ZelkSued")->geometry(), QRect(89, 117, 32, 32));
        display.ZeigePosition(4, 6);
        display.ZeigeMaterial(17);
        QCOMPARE(FindLabel(zelkMeldung(), "LabelXpos")->text(), QString("4"));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelYpos")->text(), QString("6"));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelMaterial")->text(), QString("17"));
        display.SetFeldPanel("Arbeitsfeld: wände.rob");
        QCOMPARE(panel, std::string("Arbeitsfeld: wände.rob"));
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(2, 2).Anzahl = 1; });
        display.RepaintAll();
        QVERIFY(AlleIn(Grab(), RingPixel(2, 2, 1), schwarz));

        // windows that are gone are skipped
        delete zelkMeldung();
        QVERIFY(zelkMeldung() == nullptr);
        display.ZeigePosition(1, 1);
        display.FeldPanel = nullptr;
        display.SetFeldPanel("x");
    }
};

QTEST_MAIN(WorldViewTest)
#include "worldview_test.moc"
#include "WorldSnapshot.h"
