// The main window on real widgets: start-up, menus, tool bar, hints, the
// program file commands with the close query, the clipboard and the work
// field commands.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "ProgramWindows.h"
#include "world/ZelkDatei.h"
#include "GuiFixtures.h"
#include "TestFiles.h"
#include "platform/Hints.h"
#include "editor/ZelkEdit2.h"
#include "dialogs/ZelkGauge.h"
#include "dialogs/ZelkHilfe.h"
#include "mainwindow/ZelkMain.h"
#include "ports/RunControl.h"
#include "ports/SourcePages.h"
#include "ports/WorldDisplay.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkInfo.h"

namespace {

QString Shortcut(const QAction* a) { return a->shortcut().toString(QKeySequence::PortableText); }

// The captions of a menu in order, "-" for a separator.
QStringList Captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

}  // namespace

class MainWindowTest : public QObject, public ProgramFixture {
    Q_OBJECT

    // The commands that wait for a page.
    const QStringList PageCommands{"FileSaveItem", "FileSaveAsItem", "FileCloseItem", "FilePrintItem",
                                   "CutItem", "PasteItem", "Suchen1", "SucheWiederholen1",
                                   "Ersetzen1", "Haltepunkt1"};

    void typeText(const QString& text)
    {
        QVERIFY(editor());
        QTest::keyClicks(editor(), text);
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void startUpShowsEveryWindowAndControlInItsState()
    {
        QCOMPARE(form->windowTitle(), QString("Zelk - der Roboter"));
        QCOMPARE(form->centralWidget(), Find<QMdiArea>(form, "MdiArea"));
        QVERIFY(feldFlaeche() && zelkMeldung() && compilerDlg());
        QVERIFY(feldFlaeche()->isVisible());
        QVERIFY(zelkMeldung()->isVisible());
        QVERIFY(Find<QMdiArea>(form, "MdiArea")->subWindowList().contains(feldFlaeche()));
        QVERIFY(Find<QMdiArea>(form, "MdiArea")->subWindowList().contains(zelkMeldung()));
        QVERIFY(!compilerDlg()->isVisible());
        QVERIFY(!editorWindow());
        QVERIFY(!sourcePages());
        QVERIFY(!form->Run().Paused());
        QVERIFY(!form->Run().Ready());
        QCOMPARE(FindLabel(form, "Statusline")->text(), QString("Zelk - der Roboter"));
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString());
        QCOMPARE(FindLabel(form, "FeldPanel")->width(), 231);
        QVERIFY(FindLabel(form, "FeldPanel")->x() > FindLabel(form, "Statusline")->x());

        // The place of a missing settings file: 10, 10, screen less 20 by 50,
        // the outer frame's.
        const QRect screen = form->screen()->geometry();
        QCOMPARE(form->frameGeometry(), QRect(10, 10, screen.width() - 20, screen.height() - 50));

        // The tool bar: 33 pixels high, 25 x 25 buttons at top 4.
        QCOMPARE(Find<QWidget>(form, "SpeedBar")->height(), 33);
        struct Button {
            QToolButton* b;
            int left;
            const char* tip;
            bool enabled;
        };
        const Button buttons[] = {
            {FindButton(form, "SpeedButton1"), 8, "Neu", true},
            {FindButton(form, "FileOpenBtn"), 32, "Öffnen", true},
            // without a page there is nothing to save, print, cut or paste
            {FindButton(form, "FileSaveBtn"), 56, "Speichern", false},
            {FindButton(form, "SpeedButton4"), 80, "Drucken", false},
            {FindButton(form, "SpeedButton5"), 108, "Ausschneiden", false},
            {FindButton(form, "SpeedButton6"), 132, "Kopieren", true},
            {FindButton(form, "SpeedButton7"), 156, "Einfügen", false},
            {FindButton(form, "StartBtn"), 186, "Start", true},
            {FindButton(form, "PauseBtn"), 210, "Unterbrechen", false},
            {FindButton(form, "StepBtn"), 234, "Einzelschritt", true},
            {FindButton(form, "StopBtn"), 258, "Anhalten", false},
            {FindButton(form, "FeldChangeBtn"), 288, "Feld ändern", true},
            {FindButton(form, "SpeedButton8"), 338, "", true},
        };
        for (const Button& b : buttons) {
            QVERIFY2(b.b->parentWidget() == Find<QWidget>(form, "SpeedBar"),
                     qPrintable(b.b->objectName()));
            QCOMPARE(b.b->geometry(), QRect(b.left, 4, 25, 25));
            QCOMPARE(b.b->toolTip(), QString(b.tip));
            QCOMPARE(b.b->isEnabled(), b.enabled);
            QCOMPARE(b.b->focusPolicy(), Qt::NoFocus);
            QVERIFY(!b.b->icon().isNull());
            QCOMPARE(b.b->isCheckable(), b.b == FindButton(form, "FeldChangeBtn"));
        }
        // Two-state pictures: a distinct disabled picture for file, print,
        // clipboard and help buttons.
        const QImage normal =
            FindButton(form, "SpeedButton1")->icon().pixmap(16, QIcon::Normal).toImage();
        const QImage disabled =
            FindButton(form, "SpeedButton1")->icon().pixmap(16, QIcon::Disabled).toImage();
        QVERIFY(normal != disabled);
        QVERIFY(FindButton(form, "StartBtn")->icon().pixmap(16).toImage() !=
                FindButton(form, "StopBtn")->icon().pixmap(16).toImage());

        // The menu, item by item.
        const QList<QAction*> menus = form->menuBar()->actions();
        QStringList titles;
        for (const QAction* m : menus)
            titles << m->text();
        QCOMPARE(titles, QStringList({"&Datei", "Bearbeiten", "Sta&rt", "&Arbeitsfeld", "&Hilfe"}));
        QCOMPARE(Captions(FindMenu(form, "Datei1")),
                 QStringList({"Datei neu", "&Datei öffnen...", "Datei speiche&rn",
                              "Datei speichern un&ter...", "Datei s&chließen", "-", "&Drucken", "-",
                              "&Beenden"}));
        QCOMPARE(Captions(FindMenu(form, "Bearbeiten1")),
                 QStringList({"&Ausschneiden", "&Kopieren", "&Einfügen", "-", "&Suchen...",
                              "Suche &wiederholen", "Ersetzen...", "-", "Schriftart"}));
        QCOMPARE(Captions(FindMenu(form, "Start1")),
                 QStringList({"Sta&rt", "Compilieren", "&Einzelschritt", "Haltepunkt ein/aus", "Schritt zurück", "Unterbrechen", "Anhalten", "-",
                              "Handsteuerung", "Teachin Modus", "-", "Optionen"}));
        QCOMPARE(Captions(FindMenu(form, "Arbeitsfeld1")),
                 QStringList({"&Neu", "&Zurücksetzen", "&Verändern", "-", "Arbeitsfeld &öffnen",
                              "Arbeitsfeld &speichern"}));
        QCOMPARE(Captions(FindMenu(form, "Hilfe1")), QStringList({"&Inhalt", "-", "Inf&o..."}));

        struct Item {
            QAction* a;
            const char* shortcut;
            const char* hint;
        };
        const Item items[] = {
            {FindItem(form, "FileNewItem"), "Ctrl+N", ""},
            {FindItem(form, "FileOpenItem"), "Ctrl+O", "Eine neue Datei dem Projekt hinzufügen"},
            {FindItem(form, "FileSaveItem"), "Ctrl+S", "Aktuelle Datei speichern"},
            {FindItem(form, "FileSaveAsItem"), "", "Aktuelle Datei unter neuem Namen speichern"},
            {FindItem(form, "FileCloseItem"), "", "Datein schließen"},
            {FindItem(form, "FilePrintItem"), "Ctrl+D", "Aktuelle Datei drucken"},
            {FindItem(form, "FileExitItem"), "Alt+F4", "Diese Anwendung beenden"},
            {FindItem(form, "CutItem"), "Ctrl+X", "Markiertes Element löschen"},
            {FindItem(form, "CopyItem"), "Ctrl+C", "Markiertes Element in Zwischenablage kopieren"},
            {FindItem(form, "PasteItem"), "Ctrl+V", "Inhalt der Zwischenablage einfügen"},
            {FindItem(form, "Suchen1"), "Ctrl+F", ""},
            {FindItem(form, "SucheWiederholen1"), "F3", ""},
            {FindItem(form, "Ersetzen1"), "Ctrl+R", ""},
            {FindItem(form, "Schriftart1"), "", ""},
            {FindItem(form, "RunItem"), "F9", "Programm übersetzen und starten"},
            {FindItem(form, "Compilieren1"), "Ctrl+F9", ""},
            {FindItem(form, "Einzelschritt1"), "F7", ""},
            {FindItem(form, "Haltepunkt1"), "F5",
             "Haltepunkt in der Zeile der Schreibmarke setzen oder entfernen"},
            {FindItem(form, "Handsteuerung1"), "", ""},
            {FindItem(form, "TeachinModus1"), "", ""},
            {FindItem(form, "Optionen1"), "", ""},
            {FindItem(form, "Inhalt1"), "F1", "Inhaltsübersicht der Hilfe anzeigen"},
            {FindItem(form, "Info1"), "", "Programminformationen anzeigen"},
        };
        for (const Item& i : items) {
            QCOMPARE(Shortcut(i.a), QString(i.shortcut));
            QCOMPARE(i.a->statusTip(), QString(i.hint));
            QVERIFY2(i.a->isEnabled() != PageCommands.contains(i.a->objectName()), qPrintable(i.a->text()));
        }
        QVERIFY(FindItem(form, "Veraendern1")->isCheckable());
        QVERIFY(!FindItem(form, "Veraendern1")->isChecked());

        // The ports reach the real windows.
        runControl().SetTimer1Enabled(true);
        QVERIFY(Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        runControl().SetTimer1Enabled(false);
        QVERIFY(!Find<QTimer>(zelkMeldung(), "Timer1")->isActive());
        worldDisplay().SetFeldPanel("Arbeitsfeld: welt");
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: welt"));
        QCOMPARE(fake->parentWidget, static_cast<QWidget*>(form));

        // The core's message boxes reach the dialog service even when no one
        // installed it as the messages port.
        delete form;
        setMessages(nullptr);
        form = CreateZelkForm();
        QCOMPARE(&messages(), static_cast<Messages*>(fake.get()));
    }

    void hintsShowTheirLongPartInTheStatusLine()
    {
        QCOMPARE(ShortHint("Neu|"), QString("Neu"));
        QCOMPARE(LongHint("Neu|"), QString());
        QCOMPARE(LongHint("Start"), QString("Start"));
        QCOMPARE(LongHint("a|b|c"), QString("b|c"));

        // A tool button with "Neu|" clears the line; one with "Start" shows it.
        QTest::mouseMove(FindButton(form, "StartBtn"));
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString("Start"));
        QTest::mouseMove(FindButton(form, "SpeedButton1"));
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString());
        QTest::mouseMove(FindButton(form, "FeldChangeBtn"));
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString("Feld ändern"));
        QTest::mouseMove(Find<QMdiArea>(form, "MdiArea"), QPoint(600, 400));
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString());

        // A highlighted menu item shows its hint; one without a hint clears it.
        form->FileNewItemClick();
        form->menuBar()->setActiveAction(FindMenu(form, "Datei1")->menuAction());
        QVERIFY(QTest::qWaitForWindowExposed(FindMenu(form, "Datei1")));
        QTest::mouseMove(
            FindMenu(form, "Datei1"),
            FindMenu(form, "Datei1")->actionGeometry(FindItem(form, "FileSaveItem")).center());
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString("Aktuelle Datei speichern"));
        QTest::mouseMove(
            FindMenu(form, "Datei1"),
            FindMenu(form, "Datei1")->actionGeometry(FindItem(form, "FileNewItem")).center());
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString());
        FindMenu(form, "Datei1")->hide();
    }

    void buttonAndMenuItemAreOneCommand()
    {
        // One handler, run once, whichever of the two is used.
        FindButton(form, "SpeedButton1")->click();
        QCOMPARE(editorWindow()->PageCount(), 1);
        FindItem(form, "FileNewItem")->trigger();
        QCOMPARE(editorWindow()->PageCount(), 2);

        // One enabled state; the button keeps its own picture and hint
        // whatever the menu item's action goes through.
        QAction* run = FindItem(form, "RunItem");
        QToolButton* start = FindButton(form, "StartBtn");
        const QImage picture = start->icon().pixmap(16).toImage();
        run->setEnabled(false);
        QVERIFY(!start->isEnabled());
        run->setEnabled(true);
        QVERIFY(start->isEnabled());
        QCOMPARE(start->icon().pixmap(16).toImage(), picture);
        QCOMPARE(start->toolTip(), QString("Start"));
        QTest::mouseMove(start);
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString("Start"));
        QTest::mouseMove(FindButton(form, "FileOpenBtn"));
        QTRY_COMPARE(FindLabel(form, "Statusline")->text(), QString());
        QVERIFY(FindButton(form, "SpeedButton8")->toolTip().isEmpty());
    }

    // The page commands follow the pages, however they come and go; Copy
    // (the work field's picture) and "Schriftart" (its own message) stay.
    // Both faces of "&Verändern" show the one editing mode.
    void theCommandsFollowThePagesAndTheEditingMode()
    {
        const auto pageCommandsEnabled = [&](bool enabled) {
            for (const QString& name : PageCommands)
                if (FindItem(form, qPrintable(name))->isEnabled() != enabled)
                    return false;
            return FindItem(form, "CopyItem")->isEnabled() && FindItem(form, "Schriftart1")->isEnabled();
        };
        QVERIFY(pageCommandsEnabled(false));
        form->FileNewItemClick();
        QVERIFY(pageCommandsEnabled(true));
        FindItem(form, "FileCloseItem")->trigger();
        QCOMPARE(editorWindow()->PageCount(), 0);
        QVERIFY(pageCommandsEnabled(false));

        FindButton(form, "FeldChangeBtn")->click();
        QVERIFY(FindItem(form, "Veraendern1")->isChecked() && FindButton(form, "FeldChangeBtn")->isChecked());
        FindItem(form, "Veraendern1")->trigger();
        QVERIFY(!FindItem(form, "Veraendern1")->isChecked() && !FindButton(form, "FeldChangeBtn")->isChecked());
    }

    void newAndOpenAddPagesAndFollowTheDirectory()
    {
        form->FileNewItemClick();
        QVERIFY(editorWindow());
        QCOMPARE(sourcePages(), static_cast<SourcePages*>(editorWindow()));
        QVERIFY(editorWindow()->isVisible());
        QVERIFY(Find<QMdiArea>(form, "MdiArea")->subWindowList().contains(editorWindow()));
        QCOMPARE(editorWindow()->PageCount(), 1);
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("neu"));
        QVERIFY(!editorWindow()->IsModified());
        QCOMPARE(editor()->toPlainText(), QString());

        // A program in another folder: the page is named after it, FileName
        // is its full path, and that folder becomes the current directory.
        QVERIFY(QDir(dir->path()).mkdir("kurs"));
        const QString robo = path("kurs/ROBO1.PAS");
        WriteBytes(robo, "PROGRAM Robo1;\r\nBEGIN\r\n  VOR\r\nEND.\r\n");
        openFile(robo);
        QCOMPARE(fake->fileDialogs.size(), 1);
        QVERIFY(!fake->fileDialogs[0].save);
        QCOMPARE(fake->fileDialogs[0].filter,
                 QString("Programmdateien (*.PAS) |*.PAS|Alle Dateien (*.*)|*.*"));
        QCOMPARE(editorWindow()->PageCount(), 2);
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("Robo1"));
        QCOMPARE(form->FileName, robo);
        QCOMPARE(QDir::currentPath(), QFileInfo(robo).absolutePath());
        QCOMPARE(editor()->toPlainText(), QString("PROGRAM Robo1;\nBEGIN\n  VOR\nEND.\n"));
        QCOMPARE(editor()->textCursor().position(), 0);
        QVERIFY(fake->boxes.isEmpty());

        // Opening it again adds a second page of the same name; a cancelled
        // dialog changes nothing.
        openFile(robo);
        QCOMPARE(editorWindow()->PageCount(), 3);
        QCOMPARE(editorWindow()->PageCaption(2), QString("Robo1"));
        openFile(QString());
        QCOMPARE(editorWindow()->PageCount(), 3);
        QCOMPARE(QDir::currentPath(), QFileInfo(robo).absolutePath());

        // A file that cannot be read: a box naming it, an empty page that has
        // no file to overwrite.
        const QString missing = path("kurs/WEG.PAS");
        openFile(missing);
        QCOMPARE(fake->texts(), QStringList({QString("Datei \"%1\" kann nicht gelesen werden.\n"
                                                     "Die Datei existiert nicht.")
                                                 .arg(QDir::toNativeSeparators(missing))}));
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Error);
        QCOMPARE(editorWindow()->PageCount(), 4);
        QCOMPARE(editor()->toPlainText(), QString());

        // Too large a file: the box says why, in German.
        const QString huge = path("kurs/GROSS.PAS");
        {
            QFile f(huge);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2 * 1024 * 1024, 'x'));
        }
        fake->boxes.clear();
        openFile(huge);
        QCOMPARE(fake->texts().size(), 1);
        QVERIFY(fake->texts()[0].startsWith(QString("Datei \"%1\" kann nicht gelesen werden.\nDie Datei ist zu groß")
                                                .arg(QDir::toNativeSeparators(huge))));
        QCOMPARE(editorWindow()->CurrentPagePath(), QString());

        // New adds a page to the existing window.
        form->FileNewItemClick();
        QCOMPARE(editorWindow()->PageCount(), 6);
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("neu"));
    }

    void saveWritesBackToTheFileThePageCameFrom()
    {
        const QString robo = path("ROBO1.PAS");
        WriteBytes(robo, "PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n");
        openFile(robo);
        editor()->moveCursor(QTextCursor::End);
        typeText("{x}");
        QVERIFY(editorWindow()->IsModified());

        // Another confirmed dialog moves the current directory elsewhere;
        // Save still writes the file it came from, and nothing else.
        QVERIFY(QDir(dir->path()).mkdir("felder"));
        const QString feld = path("felder/WELT.ROB");
        QVERIFY(Welt.Speichern(QFile::encodeName(feld).toStdString()));
        fake->files.push_back(feld);
        form->ArbeitsfeldOeffnen1Click();
        QCOMPARE(QDir::currentPath(), path("felder"));

        QVERIFY(form->FileSaveItemClick());
        QCOMPARE(fake->fileDialogs.size(), 2);  // no save dialog
        QCOMPARE(ReadBytes(robo), QByteArray("PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n{x}"));
        QVERIFY(!QFile::exists(path("Robo1.pas")));
        QVERIFY(!QFile::exists(path("felder/Robo1.pas")));
        QCOMPARE(form->FileName, robo);
        QVERIFY(!editorWindow()->IsModified());
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("Robo1"));
        QVERIFY(fake->boxes.isEmpty());

        // The tool button does the same.
        typeText("y");
        FindButton(form, "FileSaveBtn")->click();
        QCOMPARE(ReadBytes(robo), QByteArray("PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n{x}y"));
    }

    void saveAsNamesANewPageAndRenamesIt()
    {
        // Without an editor window the file commands do nothing.
        QVERIFY(!form->FileSaveItemClick());
        QVERIFY(!form->FileSaveAsItemClick());
        form->FileCloseItemClick();
        form->CutItemClick();
        form->PasteItemClick();
        QVERIFY(fake->fileDialogs.isEmpty());
        QVERIFY(!editorWindow());

        form->FileNewItemClick();
        typeText("PROGRAM Neu;");
        // Cancelled: nothing written, the text stays modified.
        QVERIFY(!form->FileSaveItemClick());
        QCOMPARE(fake->fileDialogs.size(), 1);
        const RecordingDialogs::FileDialog d = fake->fileDialogs[0];
        QVERIFY(d.save);
        QCOMPARE(d.filter, QString("Programmdateien (*.PAS) |*.PAS|Alle Dateien (*.*)|*.*"));
        QCOMPARE(d.defaultSuffix, QString("pas"));
        QCOMPARE(d.directory, path("neu.pas"));
        QVERIFY(editorWindow()->IsModified());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList());

        QVERIFY(QDir(dir->path()).mkdir("ziel"));
        const QString target = path("ziel/ZICKZACK.PAS");
        fake->files.push_back(target);
        QVERIFY(form->FileSaveItemClick());
        QCOMPARE(ReadBytes(target), QByteArray("PROGRAM Neu;"));
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("Zickzack"));
        QCOMPARE(editorWindow()->CurrentPagePath(), target);
        QCOMPARE(form->FileName, target);
        QCOMPARE(QDir::currentPath(), path("ziel"));
        QVERIFY(!editorWindow()->IsModified());

        // From now on Save writes there without asking.
        typeText(" ");
        QVERIFY(form->FileSaveItemClick());
        QCOMPARE(fake->fileDialogs.size(), 2);
        QCOMPARE(ReadBytes(target), QByteArray("PROGRAM Neu; "));

        // Save as on a page that has a file presets its name and may move it.
        const QString other = path("Kopie.pas");
        fake->files.push_back(other);
        QVERIFY(form->FileSaveAsItemClick());
        QCOMPARE(fake->fileDialogs[2].directory, path("ziel/Zickzack.pas"));
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("Kopie"));
        QCOMPARE(ReadBytes(other), ReadBytes(target));
    }

    void failedSaveReportsTheFileAndKeepsTheText()
    {
        form->FileNewItemClick();
        typeText("PROGRAM A;");
        const QString bad = path("fehlt/A.PAS");  // a folder that does not exist
        fake->files.push_back(bad);
        QVERIFY(!form->FileSaveItemClick());
        QCOMPARE(fake->texts(), QStringList({QString("Datei \"%1\" kann nicht geschrieben werden.\n"
                                                     "Das Verzeichnis existiert nicht.")
                                                 .arg(QDir::toNativeSeparators(bad))}));
        QVERIFY(editorWindow()->IsModified());
        QCOMPARE(editorWindow()->CurrentPagePath(), QString());
        QCOMPARE(editorWindow()->CurrentPageCaption(), QString("neu"));

        // Close page: Yes with a failing save keeps the page.
        fake->boxes.clear();
        fake->answers = {MsgAnswer::Yes};
        fake->files.push_back(bad);
        form->FileCloseItemClick();
        QCOMPARE(fake->texts(), QStringList({"Text wurde geändert. Speichern?",
                                             QString("Datei \"%1\" kann nicht geschrieben werden.\n"
                                                     "Das Verzeichnis existiert nicht.")
                                                 .arg(QDir::toNativeSeparators(bad))}));
        QCOMPARE(editorWindow()->PageCount(), 1);
        QCOMPARE(editor()->toPlainText(), QString("PROGRAM A;"));
    }

    void closePageAsksAboutAModifiedText()
    {
        form->FileNewItemClick();
        form->FileNewItemClick();
        QCOMPARE(editorWindow()->PageCount(), 2);
        // Not modified: closed without a question.
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 1);
        QVERIFY(fake->boxes.isEmpty());

        typeText("x");
        fake->answers = {MsgAnswer::Cancel};
        form->FileCloseItemClick();
        QCOMPARE(fake->boxes.size(), 1);
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Warning);
        QCOMPARE(fake->boxes[0].text, QString("Text wurde geändert. Speichern?"));
        QCOMPARE(fake->boxes[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(editorWindow()->PageCount(), 1);

        // Yes, but the save dialog is cancelled: the text stays.
        fake->answers = {MsgAnswer::Yes};
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 1);
        QCOMPARE(editor()->toPlainText(), QString("x"));

        // Yes with a file name: saved, then closed.
        fake->answers = {MsgAnswer::Yes};
        fake->files.push_back(path("X.PAS"));
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 0);
        QCOMPARE(ReadBytes(path("X.PAS")), QByteArray("x"));

        // No: closed without saving; the window stays without a page.
        form->FileNewItemClick();
        typeText("y");
        fake->answers = {MsgAnswer::No};
        form->FileCloseItemClick();
        QCOMPARE(editorWindow()->PageCount(), 0);
        QVERIFY(!editor());
        QVERIFY(editorWindow());
        QCOMPARE(fake->fileDialogs.size(), 2);
    }

    void closeQueryAsksAboutEveryModifiedPage()
    {
        const QString a = path("A.PAS");
        WriteBytes(a, "alt");
        openFile(a);
        typeText("neu ");
        form->FileNewItemClick();  // an untouched page is not asked about
        form->FileNewItemClick();
        typeText("zwei");
        QCOMPARE(editorWindow()->PageCount(), 3);

        QStringList askedOn;
        fake->onBox = [&](const RecordingDialogs::Box& b) {
            if (b.text == "Text wurde geändert. Speichern?")
                askedOn << editorWindow()->CurrentPageCaption() + QString::number(editorWindow()->SelectedPage());
        };

        // Cancel on the second: the program keeps running, nothing lost.
        fake->answers = {MsgAnswer::No, MsgAnswer::Cancel};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(askedOn, QStringList({"A0", "neu2"}));
        QCOMPARE(editorWindow()->PageCount(), 3);
        QCOMPARE(editorWindow()->PageEditor(0)->toPlainText(), QString("neu alt"));
        QCOMPARE(editorWindow()->PageEditor(2)->toPlainText(), QString("zwei"));
        QCOMPARE(ReadBytes(a), QByteArray("alt"));

        // Yes on a page whose save fails keeps it running too.
        askedOn.clear();
        QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool readOnly = !QFileInfo(dir->path()).isWritable() || !QFile(path("probe")).open(QIODevice::WriteOnly);
        if (readOnly) {
            fake->answers = {MsgAnswer::Yes};
            QVERIFY(!form->close());
            QCOMPARE(askedOn, QStringList({"A0"}));
            QVERIFY(fake->texts().last().contains("kann nicht geschrieben werden"));
            QVERIFY(editorWindow()->PageModified(0));
        }
        QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        // Yes on the first, Yes (with Save as) on the second: both written,
        // the window closes.
        askedOn.clear();
        fake->answers = {MsgAnswer::Yes, MsgAnswer::Yes};
        fake->files.push_back(path("ZWEI.PAS"));
        QVERIFY(form->close());
        QCOMPARE(askedOn, QStringList({"A0", "neu2"}));
        QCOMPARE(ReadBytes(a), QByteArray("neu alt"));
        QCOMPARE(ReadBytes(path("ZWEI.PAS")), QByteArray("zwei"));
    }

    void clipboardCommandsActOnTheEditorOrTheWorkField()
    {
        form->FileNewItemClick();
        typeText("VOR");
        editor()->selectAll();
        form->CopyItemClick();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("VOR"));
        form->CutItemClick();
        QCOMPARE(editor()->toPlainText(), QString());
        form->PasteItemClick();
        FindButton(form, "SpeedButton7")->click();
        QCOMPARE(editor()->toPlainText(), QString("VORVOR"));

        // With the work field view focused, Copy leaves its picture on the
        // clipboard, although an editor window exists.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Find<QMdiArea>(form, "MdiArea")->setActiveSubWindow(feldFlaeche());
        feldFlaeche()->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == feldFlaeche() ||
                    feldFlaeche()->isAncestorOf(QApplication::focusWidget()));
        editor()->selectAll();
        FindButton(form, "SpeedButton6")->click();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        QCOMPARE(QGuiApplication::clipboard()->image().size(), feldFlaeche()->widget()->size());

        // Back in the editor, Copy copies text only.
        Find<QMdiArea>(form, "MdiArea")->setActiveSubWindow(editorWindow());
        editor()->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() == editor());
        form->CopyItemClick();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("VORVOR"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void workFieldCommandsKeepModelViewAndPanelInStep()
    {
        // "&Neu": empty field, robot home, panel "Arbeitsfeld: " exactly.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 4).Anzahl = 3; });
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{5, 3, 2, Nord}; });
        form->FeldNeu1Click();
        QCOMPARE(Welt.Zelle(4, 4).Anzahl, 0);
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Roboter.Y, 1);
        QCOMPARE(RoboterStart.X, 1);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: "));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelXpos")->text(), QString("1"));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelMaterial")->text(), QString("0"));

        // "&Zurücksetzen" restores the start state.
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 7; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(2, 2).Anzahl = 4; });
        form->Zuruecksetzen1Click();
        QCOMPARE(Roboter.X, 1);
        QCOMPARE(Welt.Zelle(2, 2).Anzahl, 0);

        // "&Verändern" on and off, from the menu and from the button.
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Vorrat = 17; });
        FindItem(form, "Veraendern1")->trigger();
        QCOMPARE(Find<QScrollBar>(zelkMeldung(), "ScrollMaterial")->value(), 17);
        QVERIFY(form->EditingMode());
        QVERIFY(feldFlaeche()->Veraendern);
        QVERIFY(FindButton(form, "FeldChangeBtn")->isChecked());
        QVERIFY(FindItem(form, "Veraendern1")->isChecked());
        QVERIFY(Find<QScrollBar>(zelkMeldung(), "ScrollMaterial")->isEnabled());
        QVERIFY(!FindMenu(form, "Start1")->menuAction()->isEnabled());
        QVERIFY(!FindItem(form, "TeachinModus1")->isEnabled());
        QVERIFY(!FindButton(form, "StartBtn")->isEnabled());
        QVERIFY(!FindButton(form, "StepBtn")->isEnabled());
        QVERIFY(FindButton(form, "FeldChangeBtn")->isEnabled());
        QVERIFY(!FindButton(form, "StopBtn")->isEnabled());
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 6; });  // an edit
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 3).Anzahl = 2; });
        FindButton(form, "FeldChangeBtn")->click();
        QVERIFY(!form->EditingMode());
        QVERIFY(!feldFlaeche()->Veraendern);
        QVERIFY(!FindButton(form, "FeldChangeBtn")->isChecked());
        QVERIFY(!FindItem(form, "Veraendern1")->isChecked());
        QVERIFY(!Find<QScrollBar>(zelkMeldung(), "ScrollMaterial")->isEnabled());
        QVERIFY(FindMenu(form, "Start1")->menuAction()->isEnabled());
        QVERIFY(FindItem(form, "TeachinModus1")->isEnabled());
        QVERIFY(FindButton(form, "StartBtn")->isEnabled());
        QVERIFY(FindButton(form, "StepBtn")->isEnabled());
        QCOMPARE(RoboterStart.X, 6);  // the edited world is the start state
        QCOMPARE(Welt.StartFeld[2][2].Anzahl, 2);
        QVERIFY(!Welt.Zuruecksetzen());

        // "Arbeitsfeld &speichern" while editing ends editing first.
        form->FeldChangeBtnClick();
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.Y = 4; });
        QVERIFY(QDir(dir->path()).mkdir("felder"));
        const QString feld = path("felder/Welt1.rob");
        fake->files.push_back(feld);
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->fileDialogs.last().filter, QString("Arbeitsfeld|*.rob"));
        QCOMPARE(fake->fileDialogs.last().defaultSuffix, QString("rob"));
        QVERIFY(!form->EditingMode());
        QVERIFY(!FindButton(form, "FeldChangeBtn")->isChecked());
        QCOMPARE(RoboterStart.Y, 4);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: welt1.rob"));
        QCOMPARE(QDir::currentPath(), path("felder"));
        const QByteArray bytes = ReadBytes(feld);
        QCOMPARE(bytes.size(), 1220);
        QCOMPARE(int(bytes[8]), 4);   // start row
        QCOMPARE(int(bytes[12]), 6);  // start column

        // "Arbeitsfeld &öffnen" loads it back: panel in lower case.
        form->FeldNeu1Click();
        QVERIFY(QFile::rename(feld, path("felder/WELT1.ROB")));
        fake->files.push_back(path("felder/WELT1.ROB"));
        form->ArbeitsfeldOeffnen1Click();
        QCOMPARE(fake->fileDialogs.last().filter, QString("Arbeitsfeld (*.ROB)|*.ROB"));
        QVERIFY(!fake->fileDialogs.last().save);
        QCOMPARE(Roboter.X, 6);
        QCOMPARE(Roboter.Y, 4);
        QCOMPARE(Welt.Zelle(3, 3).Anzahl, 2);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: welt1.rob"));
        QCOMPARE(FindLabel(zelkMeldung(), "LabelYpos")->text(), QString("4"));

        // A file that is no work field: Oeffnen says why, the panel stays.
        WriteBytes(path("felder/KAPUTT.ROB"), "nonsense");
        fake->files.push_back(path("felder/KAPUTT.ROB"));
        form->ArbeitsfeldOeffnen1Click();
        QCOMPARE(fake->boxes.size(), 1);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: welt1.rob"));
        QCOMPARE(Roboter.X, 6);

        // A save that fails: the message, and the panel keeps its text.
        fake->boxes.clear();
        fake->files.push_back(path("gibtsnicht/W.rob"));
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->texts(), QStringList({"Arbeitsfeld konnte nicht gespeichert werden!"}));
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Error);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: welt1.rob"));
    }

    void panelNamesOnlyAWorkFieldFileThatWasWritten()
    {
        const QString alt = path("ALT.ROB");
        WriteBytes(alt, "alter Inhalt");
        form->FeldNeu1Click();
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: "));

        // Declining to overwrite writes nothing, reports nothing, and the
        // panel keeps naming the world it named before.
        form->FeldChangeBtnClick();
        WeltSetzen([&](TWeltZustand& w) { w.Roboter.X = 9; });
        fake->answers = {MsgAnswer::Cancel};
        fake->files.push_back(alt);
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->texts(), QStringList({"Arbeitsfeld existiert bereits. Überschreiben?"}));
        QCOMPARE(ReadBytes(alt), QByteArray("alter Inhalt"));
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: "));
        QVERIFY(!form->EditingMode());  // editing ended before the question
        QCOMPARE(RoboterStart.X, 9);

        // Confirming writes it, and only then the panel names it.
        fake->boxes.clear();
        fake->answers = {MsgAnswer::Ok};
        fake->files.push_back(alt);
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->texts(), QStringList({"Arbeitsfeld existiert bereits. Überschreiben?"}));
        QCOMPARE(ReadBytes(alt).size(), 1220);
        QCOMPARE(int(ReadBytes(alt)[12]), 9);
        QCOMPARE(FindLabel(form, "FeldPanel")->text(), QString("Arbeitsfeld: alt.rob"));
    }

    // The help button and "&Inhalt" share one command, which opens the
    // manual beside the program.
    void theHelpButtonOpensTheManual()
    {
        QTest::mouseClick(FindButton(form, "SpeedButton8"), Qt::LeftButton);
        auto* hilfe = qApp->findChild<THilfeFenster*>();
        if (!hilfe)
            for (QWidget* w : QApplication::topLevelWidgets())
                if ((hilfe = qobject_cast<THilfeFenster*>(w)))
                    break;
        QVERIFY2(hilfe && hilfe->isVisible(), qPrintable(fake->texts().join('|')));
        hilfe->close();
    }

    // As a file manager starts the program: the files open as their
    // confirmed Open commands would open them.
    void filesNamedOnTheCommandLineOpen()
    {
        QDir(dir->path()).mkdir("kurs");
        QFile prog(path("kurs/ROBO1.PAS"));
        QVERIFY(prog.open(QIODevice::WriteOnly));
        prog.write("PROGRAM Robo1;\r\nBEGIN\r\n  VOR\r\nEND.\r\n");
        prog.close();
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 3).Anzahl = 4; });
        Welt.Uebernehmen();
        QVERIFY(RobDateiSchreiben(QFile::encodeName(path("kurs/Welt.ROB")).toStdString(), RoboterStart,
                                  Welt.StartFeld));
        ResetWorld();

        form->OpenFiles({path("kurs/ROBO1.PAS"), path("kurs/Welt.ROB")});
        QVERIFY(editor());
        QCOMPARE(QString::fromStdString(editorWindow()->PageName(0)), QStringLiteral("Robo1"));
        QCOMPARE(Welt.Zelle(3, 3).Anzahl, 4);
        QVERIFY(FindLabel(form, "FeldPanel")->text().contains(QStringLiteral("welt")));
        QCOMPARE(QDir::currentPath(), QDir(path("kurs")).canonicalPath());
        QVERIFY(fake->boxes.isEmpty());
    }

    // A frame smaller than its children scrolls to them.
    void theFrameScrollsToChildrenOutsideIt()
    {
        auto* area = Find<QMdiArea>(form, "MdiArea");
        QVERIFY(area);
        form->resize(300, 250);
        QTRY_VERIFY(area->horizontalScrollBar()->isVisible() && area->horizontalScrollBar()->maximum() > 0);
        QTRY_VERIFY(area->verticalScrollBar()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
#include "WorldSnapshot.h"
