// Start-up time of the windowed program: from process start, and from the
// construction of QApplication, to the first paint of the main window.
// The bench starts itself as a child process for every run, so each run
// pays for everything a real start pays for (loading Qt, fonts, icons).
//
//   cmake --build build --target gui_startup_bench
//   QT_QPA_PLATFORM=offscreen build/gui_startup_bench [runs]
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTimer>
#include <cstdio>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "mainwindow/ZelkMain.h"

namespace {

// std::chrono::steady_clock is CLOCK_MONOTONIC on Linux, one clock for the
// bench and its children.
qint64 MonotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class FirstPaint : public QObject {
public:
    QElapsedTimer* clock;
    qint64 ns = -1;    // since QApplication construction
    qint64 atNs = -1;  // on the monotonic clock, which the parent shares
    explicit FirstPaint(QElapsedTimer* c) : clock(c) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && ns < 0) {
            ns = clock->nsecsElapsed();
            atNs = MonotonicNs();
            // Quit once this paint has finished and reached the screen.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, e);
    }
};

int Child(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    TZelkForm* form = CreateZelkForm();
    FirstPaint filter(&clock);
    form->installEventFilter(&filter);
    form->show();
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    app.exec();
    std::printf("%lld %lld\n", static_cast<long long>(filter.ns), static_cast<long long>(filter.atNs));
    std::fflush(stdout);
    delete form;
    return filter.ns < 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return Child(argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    double sumProcess = 0, sumApp = 0;
    int counted = 0;
    for (int i = 0; i <= runs; ++i) {  // run 0 warms the file cache and is not counted
        QElapsedTimer clock;
        clock.start();
        const qint64 spawnNs = MonotonicNs();
        QProcess child;
        child.start(self, {"--child"});
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed: %s\n", i, child.readAllStandardError().constData());
            return 1;
        }
        // The child prints when it painted; its tear-down is not counted.
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 2)
            return 1;
        const double appMs = fields[0].toDouble() / 1e6;
        const double processMs = (fields[1].toDouble() - spawnNs) / 1e6;
        if (i == 0)
            continue;
        sumApp += appMs;
        sumProcess += processMs;
        ++counted;
        std::printf("run %2d: QApplication -> first paint %.1f ms, process start -> first paint %.1f ms\n",
                    i, appMs, processMs);
    }
    std::printf("average over %d runs: QApplication -> first paint of the main window %.1f ms, "
                "process start -> first paint %.1f ms\n",
                counted, sumApp / counted, sumProcess / counted);
    return 0;
}
