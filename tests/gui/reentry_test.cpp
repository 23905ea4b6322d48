// Re-entry and hostile input on the real windows. Every box here is a real
// modal QMessageBox that stays open for a while, as in front of a user: its
// event loop delivers the ticks of Timer1 nested inside it, and whatever the
// program does then must leave the run, the world and the pages as the box
// found them. Files and texts a learner might feed the windows (binary
// files, huge lines, deep brackets, pages changed or closed under a run)
// must give a message, never a crash or a hang.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>
#include <memory>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "SamplePrograms.h"
#include "WorldSnapshot.h"
#include "mainwindow/RunController.h"
#include "execution/ZelkCode.h"
#include "execution/ZelkPreter.h"
#include "platform/DialogService.h"
#include "editor/ZelkEdit2.h"
#include "mainwindow/ZelkMain.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkInfo.h"

namespace {

// Boxes that a user reads before answering: each one is the real modal box,
// answered holdMs after it came up. File dialogs wait as long in an event
// loop of their own, as a modal file dialog would.
//
// While a box is open the info window's timers tick on inside it whenever
// they are enabled, also when the box was opened by their own tick. Qt holds
// back a timer whose handler has not returned yet, but a timer started anew
// meanwhile, or another platform's timers, would not be held back; so the
// box delivers the ticks of the enabled timers itself, every millisecond.
class ModalDialogs : public DialogService {
public:
    QStringList texts;
    std::deque<MsgAnswer> answers;  // taken in order; none left: the first button
    std::deque<QString> files;      // chosen paths in order; none left: cancelled
    int holdMs = 300;
    int open = 0;      // boxes open at this moment
    int deepest = 0;   // most boxes ever open at once
    // Called once the box is up, and once more right before it is answered.
    std::function<void(const QString&)> onOpen;
    std::function<void(const QString&)> beforeAnswer;

    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override
    {
        const QString shown = QString::fromStdString(text);
        texts << shown;
        const int level = ++open;
        deepest = std::max(deepest, open);
        MsgAnswer answer = FirstButton(buttons);
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        QTimer::singleShot(0, [this, shown] {
            if (onOpen)
                onOpen(shown);
        });
        AnswerLater(level, answer, shown);
        QTimer ticks;
        ticks.setInterval(1);
        QObject::connect(&ticks, &QTimer::timeout, [] { Tick(); });
        ticks.start();
        const MsgAnswer got = DialogService::Show(icon, title, text, buttons);
        --open;
        return got;
    }

    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return Wait();
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&, bool) override
    {
        return Wait();
    }

private:
    static void Tick()
    {
        if (!zelkMeldung())
            return;
        if (Find<QTimer>(zelkMeldung(), "Timer1")->isActive())
            zelkMeldung()->Timer1Timer();
        if (Find<QTimer>(zelkMeldung(), "Timer2")->isActive())
            zelkMeldung()->Timer2Timer();
    }

    static MsgAnswer FirstButton(MsgButtons b)
    {
        return b == MsgButtons::YesNo || b == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                      : MsgAnswer::Ok;
    }

    static QMessageBox::StandardButton ButtonOf(MsgAnswer a)
    {
        switch (a) {
        case MsgAnswer::Yes: return QMessageBox::Yes;
        case MsgAnswer::No: return QMessageBox::No;
        case MsgAnswer::Cancel: return QMessageBox::Cancel;
        case MsgAnswer::Ok: break;
        }
        return QMessageBox::Ok;
    }

    // Presses the answer on this box once no box opened above it is left.
    void AnswerLater(int level, MsgAnswer answer, const QString& text)
    {
        QTimer::singleShot(holdMs, [this, level, answer, text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (open != level || !box) {
                AnswerLater(level, answer, text);
                return;
            }
            if (beforeAnswer)
                beforeAnswer(text);
            if (QAbstractButton* b = box->button(ButtonOf(answer)))
                b->click();
            else
                box->reject();
        });
    }

    QString Wait()
    {
        QEventLoop loop;
        QTimer::singleShot(holdMs, &loop, &QEventLoop::quit);
        loop.exec();
        if (files.empty())
            return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};

// The interpreter's place, so that "no instruction ran" is one comparison.
struct RunSnapshot {
    int pc = ProgramCounter;
    int calls = CallStackPointer;
    int values = ValueStackPointer;
    WorldSnapshot world;
    bool operator==(const RunSnapshot& o) const
    {
        return pc == o.pc && calls == o.calls && values == o.values && world == o.world;
    }
};

const QString Tief = QStringLiteral(
    "PROGRAM Tief;\n"
    "PROCEDURE Ab;\n"
    "BEGIN\n"
    "Ab\n"
    "END;\n"
    "BEGIN\n"
    "Ab\n"
    "END.");

// Leaves one spare value on the stack per call.
const QString Zweimal = QStringLiteral(
    "PROGRAM Viel;\n"
    "FUNCTION Zwei;\n"
    "BEGIN\n"
    "RETURN NOT PLATZ_BELEGT;\n"
    "RETURN NOT PLATZ_BELEGT\n"
    "END;\n"
    "BEGIN\n"
    "WHILE Zwei DO DREHE_LINKS\n"
    "END.");

const QString Leer = QStringLiteral(
    "PROGRAM Stapel;\n"
    "FUNCTION Leer;\n"
    "BEGIN\n"
    "END;\n"
    "BEGIN\n"
    "IF Leer THEN VOR\n"
    "END.");

const QString MitWerkzeug = QStringLiteral(
    "PROGRAM Mit;\n"
    "USES Werkzeug;\n"
    "BEGIN\n"
    "Zweimal;\n"
    "DREHE_LINKS;\n"
    "Zweimal;\n"
    "DREHE_LINKS\n"
    "END.");

}  // namespace

class ReentryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ModalDialogs> boxes;
    TZelkForm* form = nullptr;
    QString oldCwd;

    TZelkPage* editor() const { return editorWindow() ? editorWindow()->Editor() : nullptr; }

    // A new page holding text, modified as if typed.
    void newPage(const QString& text)
    {
        form->FileNewItemClick();
        QVERIFY(editor());
        editor()->insertPlainText(text);
    }

    // text in a file of the temporary folder, opened through the menu.
    void openFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
        f.close();
        boxes->files.push_back(f.fileName());
        form->FileOpenItemClick();
    }

    void replaceText(const QString& text)
    {
        editor()->selectAll();
        editor()->insertPlainText(text);
    }

    bool idleButtons() const
    {
        return FindButton(form, "StartBtn")->isEnabled() &&
               FindButton(form, "StepBtn")->isEnabled() &&
               !FindButton(form, "StopBtn")->isEnabled() &&
               !FindButton(form, "PauseBtn")->isEnabled() &&
               FindItem(form, "RunItem")->isEnabled() &&
               FindItem(form, "Einzelschritt1")->isEnabled();
    }
    bool runningButtons() const
    {
        return !FindButton(form, "StartBtn")->isEnabled() &&
               !FindButton(form, "StepBtn")->isEnabled() &&
               FindButton(form, "StopBtn")->isEnabled() &&
               FindButton(form, "PauseBtn")->isEnabled() &&
               !FindItem(form, "RunItem")->isEnabled() &&
               !FindItem(form, "Einzelschritt1")->isEnabled();
    }

    // The keys a user can still press while a box is up: they go to the box,
    // the active window. Neither may start or step anything behind it.
    static void pressRunKeys()
    {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_F9);
        QTest::keyClick(box, Qt::Key_F7);
        QTest::keyClick(box, Qt::Key_F9, Qt::ControlModifier);
    }

    // Watches the box that comes up next: the state when it appears must be
    // the state when it is answered, run keys pressed meanwhile included.
    // opened checks more of the state on opening.
    struct Watch {
        bool seen = false;
        bool answered = false;
        bool unchanged = false;
        bool timerOffAtAnswer = false;
        RunSnapshot atOpen;
    };
    std::shared_ptr<Watch> watchNextBox(std::function<void()> opened = {})
    {
        auto w = std::make_shared<Watch>();
        boxes->onOpen = [w, opened](const QString&) {
            if (w->seen)
                return;
            w->seen = true;
            w->atOpen = RunSnapshot();
            if (opened)
                opened();
            pressRunKeys();
        };
        boxes->beforeAnswer = [w](const QString&) {
            if (w->answered)
                return;
            w->answered = true;
            w->unchanged = w->atOpen == RunSnapshot();
            w->timerOffAtAnswer = !Find<QTimer>(zelkMeldung(), "Timer1")->isActive();
        };
        return w;
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir->path());
        boxes = std::make_unique<ModalDialogs>();
        setDialogs(boxes.get());
        ResetWorld();
        form = CreateZelkForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
    }

    void cleanup()
    {
        delete form;
        form = nullptr;
        setDialogs(nullptr);
        boxes.reset();
        QDir::setCurrent(oldCwd);
        dir.reset();
    }

    void robotFailureHaltsTheRunWhileItsBoxIsOpen()
    {
        newPage(Wand);
        bool runningWhileOpen = false;
        auto w = watchNextBox([&] { runningWhileOpen = runningButtons(); });
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(w->seen);
        QTRY_COMPARE(boxes->open, 0);
        QCOMPARE(boxes->texts, QStringList({"ZELK ist gegen ein  Hindernis gelaufen!"}));
        QCOMPARE(boxes->deepest, 1);
        QVERIFY(w->unchanged);
        QVERIFY(runningWhileOpen);
        QCOMPARE(Roboter.X, 15);
        QVERIFY(Welt.Abbruch);
        // Halted, not ended: the buttons wait for Anhalten, the timer is off.
        QVERIFY(runningButtons());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QTest::qWait(50);
        QCOMPARE(boxes->texts.size(), 1);
        FindButton(form, "StopBtn")->click();
        QVERIFY(idleButtons());
    }

    void stackErrorsEndTheRunBeforeTheirBox()
    {
        // Two of them take a thousand steps to come: those are stepped by
        // hand up to shortly before, and the timer makes the last steps.
        struct Case {
            QString program;
            QString message;
            bool stepFirst;
        };
        const QList<Case> cases = {
            {Leer, "Stackunterlauf! - Funktion ohne Returnanweisung?", false},
            {Zweimal, "Stacküberlauf! Mehrere Returnanweisungen in einem Funktionsaufruf?", true},
            {Tief, "Stacküberlauf!", true},
        };
        for (const Case& c : cases) {
            boxes->texts.clear();
            boxes->deepest = 0;
            newPage(c.program);
            if (c.stepFirst) {
                FindButton(form, "StartBtn")->click();
                FindButton(form, "PauseBtn")->click();
                while (CallStackPointer < CallStackSize && ValueStackPointer < ValueStackSize - 3)
                    Step();
                QVERIFY(boxes->texts.isEmpty());
            }
            bool endedBeforeBox = false;
            auto w = watchNextBox([&] {
                endedBeforeBox = idleButtons() &&
                                 !Find<QTimer>(zelkMeldung(), "Timer1")->isActive() &&
                                 !form->Run().Ready() && !form->Run().Paused();
            });
            FindButton(form, "StartBtn")->click();  // starts, or resumes on the timer
            QTRY_VERIFY2(w->seen, qPrintable(c.message));
            QTRY_COMPARE(boxes->open, 0);
            QCOMPARE(boxes->texts, QStringList({c.message}));
            QCOMPARE(boxes->deepest, 1);
            QVERIFY2(endedBeforeBox, qPrintable(c.message));
            QVERIFY2(w->unchanged, qPrintable(c.message));
            QVERIFY(w->timerOffAtAnswer);
            QVERIFY(idleButtons());
            QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        }
    }

    void sourceErrorOnStartRunsNothingOfTheOldTable()
    {
        newPage(Kreis);
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(Roboter.Richtung != Ost);
        FindButton(form, "StopBtn")->click();
        QVERIFY(form->Run().Ready());
        replaceText(QString(Kreis).replace("DREHE_LINKS", "DREHE_LINKS DREHE_LINKS"));

        bool idleWhileOpen = false;
        auto w = watchNextBox([&] {
            idleWhileOpen = idleButtons() && !Find<QTimer>(zelkMeldung(), "Timer1")->isActive();
        });
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(w->seen);
        QTRY_COMPARE(boxes->open, 0);
        QCOMPARE(boxes->texts, QStringList({"END fehlt oder ; fehlt!"}));
        QVERIFY(idleWhileOpen);
        QVERIFY(w->unchanged);
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());

        // Einzelschritt and Compilieren on the broken text: the same, once each.
        const WorldSnapshot before;
        boxes->texts.clear();
        form->StepBtnClick();
        form->Compilieren1Click();
        QCOMPARE(boxes->texts, QStringList({"END fehlt oder ; fehlt!", "END fehlt oder ; fehlt!"}));
        QCOMPARE(boxes->deepest, 1);
        QVERIFY(WorldSnapshot() == before);
        QVERIFY(idleButtons());
    }

    void missingWorkFieldHaltsTheRunOnce()
    {
        newPage("PROGRAM Feld;\nBEGIN\nARBEITSFELD (Fehlt);\nVOR\nEND.");
        auto w = watchNextBox();
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(w->seen);
        QTRY_COMPARE(boxes->open, 0);
        QCOMPARE(boxes->texts, QStringList({"Arbeitsfeld nicht gefunden!"}));
        QCOMPARE(boxes->deepest, 1);
        QVERIFY(w->unchanged);
        QCOMPARE(Roboter.X, 1);  // the VOR after the clause never ran
        QVERIFY(runningButtons());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        QTest::qWait(30);
        QCOMPARE(boxes->texts.size(), 1);
    }

    // A run with its lines selected brings the page of each line to the
    // front at every tick, also while a box or a file dialog asks about
    // another page: the answer still concerns the page asked about.
    void questionsKeepToThePageTheyAskAbout()
    {
        const QString kreisFile = dir->filePath("KREIS.PAS");
        const QString neuText = QStringLiteral("PROGRAM Neu;\nBEGIN\nVOR\nEND.");
        auto startHighlighted = [&] {
            editorWindow()->SelectPage(0);
            FindButton(form, "StartBtn")->click();
            FindButton(form, "PauseBtn")->click();
            form->StepBtnClick();  // from now on every line is selected
            Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(20);
            FindButton(form, "StartBtn")->click();
            QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
            editorWindow()->SelectPage(1);  // the user clicks the other tab
        };
        openFile("KREIS.PAS", Kreis.toUtf8());
        newPage(neuText);

        // No: the page asked about is closed, the running program's stays.
        startHighlighted();
        boxes->answers = {MsgAnswer::No};
        form->FileCloseItemClick();
        QCOMPARE(boxes->texts, QStringList({"Text wurde geändert. Speichern?"}));
        QCOMPARE(editorWindow()->PageCount(), 1);
        QCOMPARE(editorWindow()->PageCaption(0), QString("Kreis"));
        QCOMPARE(PageText(editorWindow()->PageEditor(0)), Kreis);

        // Yes: the new page goes through "speichern unter" and is written
        // with its own text; the program's file stays as it was.
        newPage(neuText);
        startHighlighted();
        boxes->texts.clear();
        boxes->answers = {MsgAnswer::Yes};
        boxes->files = {dir->filePath("NEU.PAS")};
        form->FileCloseItemClick();
        QCOMPARE(boxes->texts, QStringList({"Text wurde geändert. Speichern?"}));
        QFile neu(dir->filePath("NEU.PAS"));
        QVERIFY(neu.open(QIODevice::ReadOnly));
        QCOMPARE(neu.readAll(), QByteArray(neuText.toUtf8()).replace("\n", "\r\n"));
        QFile kreis(kreisFile);
        QVERIFY(kreis.open(QIODevice::ReadOnly));
        QCOMPARE(kreis.readAll(), Kreis.toUtf8());
        QCOMPARE(editorWindow()->PageCount(), 1);
        QCOMPARE(editorWindow()->PageCaption(0), QString("Kreis"));

        // Ending the program: the close query saves the page it asks about.
        newPage(neuText);
        startHighlighted();
        boxes->texts.clear();
        boxes->answers = {MsgAnswer::Yes};
        boxes->files = {dir->filePath("ZWEI.PAS")};
        QVERIFY(form->close());
        QCOMPARE(boxes->texts, QStringList({"Text wurde geändert. Speichern?"}));
        QFile zwei(dir->filePath("ZWEI.PAS"));
        QVERIFY(zwei.open(QIODevice::ReadOnly));
        QCOMPARE(zwei.readAll(), QByteArray(neuText.toUtf8()).replace("\n", "\r\n"));
        QVERIFY(kreis.seek(0));
        QCOMPARE(kreis.readAll(), Kreis.toUtf8());
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
    }

    void binaryFileGivesAMessage()
    {
        boxes->holdMs = 10;
        // Random bytes with a NUL every 61 bytes, the first one included.
        QByteArray bytes(500 * 1024, '\0');
        QRandomGenerator random(4711);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = i % 61 == 0 ? '\0' : char(random.bounded(256));
        openFile("BINAER.PAS", bytes);
        QVERIFY(boxes->texts.isEmpty());  // it opens, as a strange text
        QCOMPARE(editorWindow()->PageCount(), 1);
        const WorldSnapshot before;

        FindButton(form, "StartBtn")->click();
        QVERIFY(!boxes->texts.isEmpty());
        QCOMPARE(boxes->texts.first(), QString("Unerlaubtes Zeichen "));
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        const QStringList once = boxes->texts;
        boxes->texts.clear();
        FindButton(form, "StepBtn")->click();
        QCOMPARE(boxes->texts, once);
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        QVERIFY(WorldSnapshot() == before);
        QCOMPARE(boxes->deepest, 1);
    }

    void hugeAndDeepTextsEndInAMessage()
    {
        boxes->holdMs = 10;
        // 900 KB of brackets in one line: too deep to translate.
        openFile("KLAMMERN.PAS", "PROGRAM A; BEGIN IF" + QByteArray(900 * 1024, '('));
        FindButton(form, "StartBtn")->click();
        QCOMPARE(boxes->texts, QStringList({"Speicherplatz zu klein!"}));
        QVERIFY(idleButtons());
        QVERIFY(!form->Run().Ready());
        FindButton(form, "StepBtn")->click();
        QCOMPARE(boxes->texts, QStringList({"Speicherplatz zu klein!", "Speicherplatz zu klein!"}));

        // A name of 100 000 letters.
        boxes->texts.clear();
        openFile("NAME.PAS", "PROGRAM " + QByteArray(100000, 'A') + "; BEGIN VOR END.");
        FindButton(form, "StartBtn")->click();
        QVERIFY(!boxes->texts.isEmpty());
        QCOMPARE(boxes->texts.first(), QString("Bezeichnerlänge überschritten!"));
        QVERIFY(idleButtons());
        QCOMPARE(Roboter.X, 1);

        // A program in one line of 100 000 characters runs, and single steps
        // select that whole line.
        boxes->texts.clear();
        const QByteArray line = "PROGRAM L; BEGIN VOR; {" + QByteArray(99967, 'x') + "} VOR END.";
        QCOMPARE(line.size(), 100000);
        openFile("LANG.PAS", line);
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(idleButtons());
        QVERIFY(boxes->texts.isEmpty());
        QCOMPARE(Roboter.X, 3);
        form->StepBtnClick();  // translate, the opening jump
        form->StepBtnClick();  // VOR
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(editor()->textCursor().selectedText(), QString::fromLatin1(line));
        QVERIFY(boxes->texts.isEmpty());
    }

    // Start while interrupted continues the table translated before, even
    // when the text has changed since: its line numbers then point past the
    // end of the shorter text, and selecting them must do no harm.
    void interruptedRunGoesOnOverAChangedText()
    {
        QString lang = QStringLiteral("PROGRAM Lang;\nBEGIN\n");
        for (int i = 0; i < 9; ++i)
            lang += QStringLiteral("DREHE_LINKS;\n");
        lang += QStringLiteral("VOR\nEND.");
        newPage(lang);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(100000);  // no tick: steps by hand
        FindButton(form, "StartBtn")->click();
        FindButton(form, "PauseBtn")->click();
        form->StepBtnClick();
        form->StepBtnClick();
        QCOMPARE(editor()->textCursor().blockNumber(), 3);
        const QString kurz = QStringLiteral("PROGRAM K; BEGIN END.");
        replaceText(kurz);
        form->StepBtnClick();
        QCOMPARE(editor()->textCursor().blockNumber(), 0);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(idleButtons());
        QVERIFY(boxes->texts.isEmpty());
        QCOMPARE(int(Roboter.Richtung), int(Nord));  // nine left turns
        QCOMPARE(Roboter.Y, 2);
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(PageText(editor()), kurz);
    }

    // The instructions name pages by their index; closing a page moves the
    // others down or leaves indexes that no longer exist.
    void steppingAfterItsPageWasClosed()
    {
        openFile("WERKZEUG.PAS", Werkzeug.toUtf8());
        openFile("MIT.PAS", MitWerkzeug.toUtf8());
        QCOMPARE(editorWindow()->PageCount(), 2);
        for (int i = 0; i < 5; ++i)
            form->StepBtnClick();  // into the unit's procedure: the first VOR
        QCOMPARE(Roboter.X, 2);
        QCOMPARE(editorWindow()->SelectedPage(), 0);
        form->FileCloseItemClick();  // the unit's page, not modified
        QCOMPARE(editorWindow()->PageCount(), 1);
        QVERIFY(form->Run().Ready());
        const QString text = PageText(editor());
        while (form->Run().Ready())
            form->StepBtnClick();
        QVERIFY(boxes->texts.isEmpty());
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(Roboter.Y, 3);
        QCOMPARE(PageText(editor()), text);

        // The program's own page closed while the run is interrupted: Start
        // continues it on the timer, its lines selected on pages that are
        // gone or hold another text now.
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(100000);
        FindButton(form, "StartBtn")
            ->click();  // translates anew; the unit comes back from its file
        FindButton(form, "PauseBtn")->click();
        form->StepBtnClick();
        QCOMPARE(editorWindow()->PageCount(), 2);
        editorWindow()->SelectPage(0);
        QCOMPARE(editorWindow()->PageCaption(0), QString("Mit"));
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 1);
        Find<QTimer>(zelkMeldung(), "Timer1")->setInterval(1);
        FindButton(form, "StartBtn")->click();
        QTRY_VERIFY(idleButtons());
        QVERIFY(boxes->texts.isEmpty());
        QCOMPARE(Roboter.X, 3);
        QCOMPARE(Roboter.Y, 3);

        // Without any page Start and Einzelschritt do nothing.
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 0);
        FindButton(form, "StartBtn")->click();
        FindButton(form, "StepBtn")->click();
        QVERIFY(idleButtons());
        QVERIFY(boxes->texts.isEmpty());
    }
};

QTEST_MAIN(ReentryTest)
#include "reentry_test.moc"
