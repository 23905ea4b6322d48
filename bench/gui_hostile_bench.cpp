// How long the real windows take to open and start the texts a learner
// should never feed them: a binary file, a line of 900 KB of brackets, a
// name of 100 000 letters, a program in one line of 100 000 characters.
// Every box is answered at once.
// Run: cmake --build build --target gui_hostile_bench &&
//      QT_QPA_PLATFORM=offscreen build/gui_hostile_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "ProgramWindows.h"
#include "platform/DialogService.h"
#include "editor/ZelkEdit2.h"
#include "mainwindow/RunController.h"
#include "mainwindow/ZelkMain.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkInfo.h"

namespace {

class AtOnce : public DialogService {
public:
    QString file;
    int boxes = 0;
    MsgAnswer Show(MsgIcon, const std::string&, const std::string&, MsgButtons) override
    {
        ++boxes;
        return MsgAnswer::Ok;
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return file;
    }
};

double Ms(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

void Case(TZelkForm& form, AtOnce& dialogs, const QTemporaryDir& dir, const char* what,
          const QByteArray& bytes)
{
    dialogs.file = dir.filePath("bench.pas");
    QFile f(dialogs.file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return;
    f.close();
    Welt.Loeschen();
    Welt.Grundstellung();
    QElapsedTimer timer;
    timer.start();
    form.FileOpenItemClick();
    form.grab();
    const double open = Ms(timer);
    dialogs.boxes = 0;
    timer.restart();
    form.RunItemClick();
    while (form.Run().State() == TRunController::RunState::Running && !Welt.Abbruch)
        QApplication::processEvents();
    const double start = Ms(timer);
    const int boxes = dialogs.boxes;
    form.StopBtnClick();
    timer.restart();
    for (int i = 0; i < 3; ++i)
        form.StepBtnClick();
    form.grab();
    std::printf("%-34s open and paint %6.0f ms, Start to its end %6.0f ms (%d box%s), "
                "3 single steps %5.0f ms\n",
                what, open, start, boxes, boxes == 1 ? "" : "es", Ms(timer));
    form.StopBtnClick();
    form.FileCloseItemClick();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AtOnce dialogs;
    setDialogs(&dialogs);
    TZelkForm* form = CreateZelkForm();
    form->resize(1024, 768);
    form->show();
    zelkMeldung()->findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(0);

    QByteArray binary(500 * 1024, '\0');
    QRandomGenerator random(4711);
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = i % 61 == 0 ? '\0' : char(random.bounded(256));
    Case(*form, dialogs, dir, "binary file, 500 KB", binary);
    Case(*form, dialogs, dir, "900 KB of '(' in one line",
         "PROGRAM A; BEGIN IF" + QByteArray(900 * 1024, '('));
    Case(*form, dialogs, dir, "name of 100 000 letters",
         "PROGRAM " + QByteArray(100000, 'A') + "; BEGIN VOR END.");
    Case(*form, dialogs, dir, "program in one 100 000-char line",
         "PROGRAM L; BEGIN VOR; {" + QByteArray(99967, 'x') + "} VOR END.");

    delete form;
    setDialogs(nullptr);
    return 0;
}
