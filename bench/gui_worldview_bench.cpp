// Steps per second of a run at speed 50 (Timer1 every 1 ms) with the work
// field view drawing every move, and, for the headroom, the same steps
// without the timer; each as a pair, without and with the run's history. Run: QT_QPA_PLATFORM=offscreen ./gui_worldview_bench [seconds]
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "ProgramWindows.h"
#include "execution/Debugger.h"
#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "workfield/GuiWorldDisplay.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"
#include "WorldSnapshot.h"

namespace {

// Laps around the border of the field: 14 steps east, 9 north, 14 west,
// 9 south, each side followed by a left turn, and again from the start.
void LaufProgramm()
{
    ResetCode();
    Emit(opJump, 1, 0, 0);
    while (CodeCount + 50 < MaxCode - 1) {
        for (int seite = 0; seite < 4; ++seite) {
            const int schritte = seite % 2 == 0 ? 14 : 9;
            for (int i = 0; i < schritte; ++i)
                Emit(opVor, 0, 1, 0);
            Emit(opDreheLinks, 0, 2, 0);
        }
    }
    Emit(opJump, 1, 3, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double sekunden = argc > 1 ? std::atof(argv[1]) : 3.0;

    Welt.Loeschen();
    Welt.Grundstellung();
    for (int x = 2; x <= 14; x += 3)
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(x, 1).Anzahl = 9; });  // the left squares have marks to redraw

    QMainWindow main;
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(800, 500);
    (void)new TFeldFlaeche;
    area->addSubWindow(feldFlaeche());
    (void)new TZelkMeldung;
    area->addSubWindow(zelkMeldung());
    GuiWorldDisplay display(feldFlaeche(), zelkMeldung());
    setWorldDisplay(&display);
    main.show();

    LaufProgramm();
    zelkMeldung()->ScrollGeschwScroll(50);
    QTimer* timer1 = zelkMeldung()->findChild<QTimer*>(QStringLiteral("Timer1"));
    std::printf("Timer1 interval at speed 50: %d ms\n", timer1->interval());

    // Each measurement twice, the plain interpreter and the run as the
    // windows step it, through the history of "Schritt zurück", in turn.
    TDebugger debugger;
    const std::function<bool()> ohne = [] { return Step(); };
    const std::function<bool()> mit = [&debugger] { return debugger.Step(); };
    bool fehler = false;
    double rate[2][2] = {};  // [with history][timer, unthrottled]
    for (int runde = 0; runde < 2; ++runde) {
        for (int h = 0; h < 2; ++h) {
            const std::function<bool()>& schritt = h ? mit : ohne;
            // Through the real timer.
            Welt.Grundstellung();
            feldFlaeche()->RepaintAll();
            InitRun(0);
            long ticks = 0;
            auto verbindung = QObject::connect(timer1, &QTimer::timeout, [&] {
                schritt();
                ++ticks;
            });
            QElapsedTimer uhr;
            uhr.start();
            timer1->start();
            QTimer::singleShot(int(sekunden * 1000), &app, [&] {
                timer1->stop();
                app.quit();
            });
            app.exec();
            QObject::disconnect(verbindung);
            rate[h][0] += ticks / (uhr.nsecsElapsed() / 1e9) / 2;
            fehler = fehler || Welt.Abbruch;

            // Without the timer: the step plus the drawing and painting it
            // causes, from the start square again.
            Welt.Grundstellung();
            feldFlaeche()->RepaintAll();
            InitRun(0);
            long schritte = 0;
            uhr.restart();
            while (uhr.nsecsElapsed() < qint64(sekunden * 1e9)) {
                schritt();
                ++schritte;
                QCoreApplication::processEvents();
            }
            rate[h][1] += schritte / (uhr.nsecsElapsed() / 1e9) / 2;
            fehler = fehler || Welt.Abbruch;
        }
    }
    for (int h = 0; h < 2; ++h)
        std::printf("%s timer-driven %.0f steps/s (limit 1000), unthrottled %.0f steps/s\n",
                    h ? "with history:   " : "without history:", rate[h][0], rate[h][1]);
    std::printf("with / without: timer-driven %.3f, unthrottled %.3f\n", rate[1][0] / rate[0][0],
                rate[1][1] / rate[0][1]);
    // A halt would mean the laps ran into a wall and the counts are void.
    if (fehler)
        std::printf("the run halted: figures are not valid\n");
    setWorldDisplay(nullptr);
    return fehler ? 1 : 0;
}
