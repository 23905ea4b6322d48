// Takes the README's pictures of the windowed program: it opens an example
// program and a work field through the real menu commands, runs the program
// for a while, interrupts it, takes one single step so that a line is
// selected, and saves the main window's picture; with --haltepunkt the run
// pauses at a breakpoint instead. Run by scripts/screenshot.sh.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <deque>

#include "ProgramWindows.h"
#include "platform/DialogService.h"
#include "platform/Translations.h"
#include "editor/ZelkEdit2.h"
#include "mainwindow/RunController.h"
#include "mainwindow/ZelkMain.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

namespace {

const char* const Sammler =
    "PROGRAM Sammler;\r\n"
    "{ Zelk sammelt alles auf, was auf seinem Weg liegt }\r\n"
    "\r\n"
    "PROCEDURE Aufsammeln;\r\n"
    "BEGIN\r\n"
    "  WHILE PLATZ_BELEGT DO\r\n"
    "    NIMM_AUF\r\n"
    "END;\r\n"
    "\r\n"
    "PROCEDURE Umdrehen;\r\n"
    "BEGIN\r\n"
    "  DREHE_LINKS;\r\n"
    "  DREHE_LINKS\r\n"
    "END;\r\n"
    "\r\n"
    "BEGIN\r\n"
    "  WHILE VORNE_FREI DO\r\n"
    "  BEGIN\r\n"
    "    Aufsammeln;\r\n"
    "    VOR\r\n"
    "  END;\r\n"
    "  Aufsammeln;\r\n"
    "  Umdrehen\r\n"
    "END.\r\n";

// Answers the file dialogs with prepared paths; boxes answer their first
// button.
class Answers : public DialogService {
public:
    std::deque<QString> files;
    MsgAnswer Show(MsgIcon, const std::string& title, const std::string& text, MsgButtons) override
    {
        std::fprintf(stderr, "box: %s: %s\n", title.c_str(), text.c_str());
        return MsgAnswer::Ok;
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return next();
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&, bool) override
    {
        return next();
    }

private:
    QString next()
    {
        if (files.empty())
            return QString();
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Items along the robot's way and elsewhere, and a few barriers.
void BuildWorld()
{
    Welt.Loeschen();
    Welt.Grundstellung();
    const int items[][3] = {{3, 1, 2}, {4, 1, 1}, {6, 1, 3}, {9, 1, 2}, {11, 1, 4}, {13, 1, 1},
                            {5, 4, 6}, {12, 6, 9}, {2, 8, 3}, {9, 3, 1}};
    for (const auto& i : items)
        for (int k = 0; k < i[2]; ++k)
            Welt.Gegenstand(i[0], i[1], true);
    auto wallNorth = [](int x, int y) { Welt.SetzeHindernis(x, y, Nord, true); };
    auto wallEast = [](int x, int y) { Welt.SetzeHindernis(x, y, Ost, true); };
    for (int x = 7; x <= 10; ++x)
        wallNorth(x, 2);
    for (int y = 4; y <= 7; ++y)
        wallEast(6, y);
    Welt.Uebernehmen();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallGermanTranslations();
    const QString out = QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                           : QStringLiteral("screenshot.png")).absoluteFilePath();
    // --haltepunkt: a run paused at a breakpoint, for the README's "Fehler finden".
    const bool haltepunkt = argc > 2 && qstrcmp(argv[2], "--haltepunkt") == 0;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Answers answers;
    setDialogs(&answers);

    const QString program = dir.filePath("SAMMLER.PAS");
    QFile f(program);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(Sammler);
    f.close();
    BuildWorld();
    const QString feld = dir.filePath("WEG.ROB");
    if (!Welt.Speichern(QFile::encodeName(feld).toStdString()))
        return 1;

    TZelkForm* form = CreateZelkForm();
    form->show();
    Wait(300);
    form->FeldNeu1Click();
    answers.files = {feld, program};
    form->ArbeitsfeldOeffnen1Click();
    form->FileOpenItemClick();
    Wait(200);

    zelkMeldung()->findChild<QScrollBar*>(QStringLiteral("ScrollGeschw"))->setValue(48);
    zelkMeldung()->ScrollGeschwScroll(48);
    QElapsedTimer t;
    t.start();
    if (haltepunkt) {
        // A breakpoint on NIMM_AUF: the run pauses on the first square with
        // items, the line selected.
        editorWindow()->ToggleBreakpoint(0, 6);
        form->RunItemClick();
        while (form->Run().State() != TRunController::RunState::Interrupted && t.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    } else {
        form->RunItemClick();
        while (Roboter.X < 10 && t.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        form->PauseBtnClick();
        // Step on to a line that the run-control shows (a command or a test).
        for (int i = 0; i < 4; ++i)
            form->StepBtnClick();
    }
    form->findChild<QLabel*>(QStringLiteral("Statusline"))
        ->setText(QStringLiteral("Programm übersetzen und starten"));
    Wait(300);

    const bool ok = form->grab().save(out);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(out));
    delete form;
    setDialogs(nullptr);
    return ok ? 0 : 1;
}
