// The editor window on real widgets: pages, keys, line selection, the
// translator's view of the text, files, and positions counting CR LF.
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "GuiFixtures.h"
#include "TestFiles.h"
#include "editor/EditPositions.h"
#include "editor/ZelkEdit2.h"
#include "settings/ZelkSettings.h"

namespace {

void TypeAtEnd(QPlainTextEdit* editor, const QString& text)
{
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, text);
}

QString Tabs(const TZelkEdit& window)
{
    QStringList names;
    for (int i = 0; i < window.PageCount(); ++i)
        names << window.PageCaption(i);
    return names.join(',');
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QMainWindow> main_;
    QMdiArea* area_ = nullptr;
    TZelkEdit* window_ = nullptr;

    TZelkPage* NewPage(const QString& name, const QString& text)
    {
        window_->AddPage(name);
        window_->Editor()->setPlainText(text);
        return window_->Editor();
    }

private slots:
    void init()
    {
        Tabset = 4;
        Autoindent = true;
        PageSwitching = false;
        main_ = MdiMainWindow(1000, 800, area_);
        window_ = new TZelkEdit;
        area_->addSubWindow(window_);
        main_->show();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup()
    {
        main_.reset();
        window_ = nullptr;
    }

    void windowAndPageSetup()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("ZelkEdit"));
        QCOMPARE(window_->geometry(), QRect(1000 - 500 - 30, 20, 500, 800 - 130));
        QCOMPARE(Find<QStatusBar>(window_, "StatusBar1")->height(), 19);
        QVERIFY(window_->Editor() == nullptr);
        QCOMPARE(window_->SelectedPage(), -1);

        // The settings at the moment of creation give the font.
        Fontheight = -17;
        Fontcolor = 0x000080FF;  // 00BBGGRR: orange
        window_->AddPage("neu");
        Fontheight = -13;
        Fontcolor = -2147483640;
        TZelkPage* page = window_->Editor();
        QVERIFY(page);
        QCOMPARE(page->font().pixelSize(), 17);
        QCOMPARE(page->palette().color(QPalette::Text), QColor(0xFF, 0x80, 0x00));
        QCOMPARE(Find<QTabWidget>(window_, "TabControl1")->tabBar()->tabRect(0).height(),
                 TZelkTabControl::TabHeight);
        QVERIFY(!window_->IsModified());
        QVERIFY(page->FilePath.isEmpty());
        QCOMPARE(window_->CurrentPageName(), std::string("neu"));
        // An ampersand shows as itself, not as an access key.
        window_->RenameCurrentPage("A&B");
        QCOMPARE(window_->CurrentPageCaption(), QStringLiteral("A&B"));
        QCOMPARE(Find<QTabWidget>(window_, "TabControl1")->tabText(0), QStringLiteral("A&&B"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("ZelkEdit"));

        // The frame only minimises the window; window and pages stay.
        QPointer<TZelkEdit> alive(window_);
        window_->close();
        QVERIFY(alive);
        QVERIFY(window_->isMinimized());
        QCOMPARE(window_->PageCount(), 1);
    }

    void pageNamesAndLookup()
    {
        QCOMPARE(PageNameFromPath("/kurs/ROBO1.PAS"), QStringLiteral("Robo1"));
        QCOMPARE(PageNameFromPath("/kurs/ÄPFEL.PAS"), QStringLiteral("Äpfel"));
        QCOMPARE(PageNameFromPath("äpfel.pas"), QStringLiteral("äpfel"));
        QCOMPARE(PageNameFromPath("/a.b/zick.zack.pas"), QStringLiteral("Zick.zack"));
        QCOMPARE(PageNameFromName("WERKZEUG"), QStringLiteral("Werkzeug"));

        QTemporaryDir dir;
        WriteBytes(dir.filePath("ROBO1.PAS"), "PROGRAM robo1;\r\n");
        QVERIFY(window_->LoadFile(dir.filePath("ROBO1.PAS")));
        window_->AddPage("neu");
        QVERIFY(window_->LoadFile(dir.filePath("ROBO1.PAS")));  // the same file twice
        QCOMPARE(Tabs(*window_), QStringLiteral("Robo1,neu,Robo1"));
        QCOMPARE(window_->IndexOfPage("ROBO1"), 0);
        QCOMPARE(window_->IndexOfPage("robo1"), 0);
        QCOMPARE(window_->IndexOfPage("NEU"), 1);
        QCOMPARE(window_->IndexOfPage("Robo"), -1);
        // Names differ in case only in A to Z, here as everywhere else.
        window_->AddPage(QStringLiteral("Äpfel"));
        QCOMPARE(window_->IndexOfPage("ÄPFEL"), 3);
        QCOMPARE(window_->IndexOfPage("äpfel"), -1);
        window_->CloseCurrentPage();
        QCOMPARE(window_->PageName(2), std::string("Robo1"));
        QCOMPARE(window_->PageName(3), std::string());
        QCOMPARE(window_->PagePath(0), QFileInfo(dir.filePath("ROBO1.PAS")).absoluteFilePath());
        QCOMPARE(window_->PageEditor(0)->textCursor().position(), 0);
    }

    void tabKeyFollowsTabset()
    {
        TZelkPage* page = NewPage("neu", "ab");
        page->moveCursor(QTextCursor::End);
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(PageText(page), QStringLiteral("ab    "));
        QVERIFY(window_->IsModified());
        QCOMPARE(QApplication::focusWidget(), page);  // the Tab key did not move the focus

        Tabset = 0;
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(PageText(page), QStringLiteral("ab    "));

        Tabset = -1;
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(PageText(page), QStringLiteral("ab    \t"));

        // The spaces replace a selection.
        Tabset = 2;
        SetSelection(page, 0, 2);
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(PageText(page), QStringLiteral("      \t"));
    }

    void shiftTabTypesATabToo()
    {
        // Shift+Tab arrives as Backtab without text, as the X server sends
        // it; it must neither move the focus out of the page nor be lost.
        const auto shiftTab = [](QWidget* w) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier, QString());
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Backtab, Qt::ShiftModifier, QString());
            QApplication::sendEvent(w, &release);
        };
        TZelkPage* page = NewPage("neu", "ab");
        page->moveCursor(QTextCursor::End);
        page->setFocus();
        shiftTab(page);
        QCOMPARE(PageText(page), QStringLiteral("ab    "));
        QCOMPARE(QApplication::focusWidget(), page);
        Tabset = 0;
        shiftTab(page);
        QCOMPARE(PageText(page), QStringLiteral("ab    "));
        Tabset = -1;
        shiftTab(page);
        QCOMPARE(PageText(page), QStringLiteral("ab    \t"));
        QCOMPARE(QApplication::focusWidget(), page);
    }

    void enterRepeatsTheIndentation()
    {
        TZelkPage* page = NewPage("neu", "    vor;");
        TypeAtEnd(page, QString());
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(PageText(page), QStringLiteral("    vor;\n    "));
        QCOMPARE(page->textCursor().positionInBlock(), 4);

        page->setPlainText("\t  x");
        TypeAtEnd(page, QString());
        QTest::keyClick(page, Qt::Key_Enter);
        QCOMPARE(PageText(page), QStringLiteral("\t  x\n\t  "));

        // In the middle of an indented line: the new line is indented alike.
        page->setPlainText("  ab cd");
        QTextCursor cursor = page->textCursor();
        cursor.setPosition(5);
        page->setTextCursor(cursor);
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(PageText(page), QStringLiteral("  ab \n  cd"));

        // A held key repeats press and release; only the last release
        // indents, from the then empty line above.
        page->setPlainText("  x");
        TypeAtEnd(page, QString());
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", i > 0);
            QApplication::sendEvent(page, &press);
            if (i < 2) {
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r", true);
                QApplication::sendEvent(page, &release);
            }
        }
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r", false);
        QApplication::sendEvent(page, &release);
        QCOMPARE(PageText(page), QStringLiteral("  x\n\n\n"));

        // Shift+Enter makes a real line break, no separator inside a line.
        page->setPlainText("  x");
        TypeAtEnd(page, QString());
        QTest::keyClick(page, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(page->document()->blockCount(), 2);
        QCOMPARE(PageText(page), QStringLiteral("  x\n  "));

        // Enter with Ctrl, Alt or Meta types no line break, so its release
        // must not put blanks into the middle of the line; nor when Ctrl is
        // let go before Enter.
        for (auto modifier : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
            page->setPlainText("    abcdef");
            cursor = page->textCursor();
            cursor.setPosition(8);
            page->setTextCursor(cursor);
            QTest::keyClick(page, Qt::Key_Return, modifier);
            QCOMPARE(PageText(page), QStringLiteral("    abcdef"));
        }
        QKeyEvent ctrlEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, "\r");
        QApplication::sendEvent(page, &ctrlEnter);
        QKeyEvent plainRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(page, &plainRelease);
        QCOMPARE(PageText(page), QStringLiteral("    abcdef"));
        // A release whose press went elsewhere (a shortcut, another window)
        // indents nothing either.
        QApplication::sendEvent(page, &plainRelease);
        QCOMPARE(PageText(page), QStringLiteral("    abcdef"));

        Autoindent = false;
        page->setPlainText("  x");
        TypeAtEnd(page, QString());
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(PageText(page), QStringLiteral("  x\n"));
    }

    void highlightLineSelectsWholeLines()
    {
        TZelkPage* page = NewPage("neu", "PROGRAM a;\nBEGIN\nEND.");
        window_->HighlightLine(0);
        QCOMPARE(page->textCursor().selectedText(), QStringLiteral("PROGRAM a;"));
        QCOMPARE(SelStart(page), 0);
        window_->HighlightLine(7);
        QCOMPARE(page->textCursor().selectedText(), QStringLiteral("END."));
        QCOMPARE(SelStart(page), 10 + 2 + 5 + 2);
        QCOMPARE(SelLength(page), 4);
        window_->HighlightLine(1);
        QCOMPARE(SelStart(page), 12);
        QCOMPARE(SelLength(page), 5);

        page->clear();
        window_->HighlightLine(3);
        QCOMPARE(SelStart(page), 0);
        QCOMPARE(SelLength(page), 0);
    }

    void selectingAndClosingPages()
    {
        TZelkPage* a = NewPage("A", "a");
        TZelkPage* b = NewPage("B", "b");
        TZelkPage* c = NewPage("C", "c");
        QCOMPARE(window_->Editor(), c);

        window_->SelectPage(0);
        QCOMPARE(window_->Editor(), a);
        QCOMPARE(window_->LineCount(), 1);
        QCOMPARE(window_->Line(0), std::string("a"));
        QCOMPARE(QApplication::focusWidget(), a);

        // A request during a switch is ignored.
        PageSwitching = true;
        window_->SelectPage(2);
        PageSwitching = false;
        QCOMPARE(window_->Editor(), a);
        QVERIFY(!PageSwitching);

        // A click on a tab makes its control Editor and gives it the focus.
        QTabBar* tabs = Find<QTabWidget>(window_, "TabControl1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(window_->Editor(), c);
        QCOMPARE(QApplication::focusWidget(), c);
        QVERIFY(!PageSwitching);

        window_->SelectPage(1);
        window_->CloseCurrentPage();  // the middle one: the left neighbour
        QCOMPARE(Tabs(*window_), QStringLiteral("A,C"));
        QCOMPARE(window_->Editor(), a);
        NewPage("D", "d");
        window_->SelectPage(0);
        window_->CloseCurrentPage();  // the first one: the new first
        QCOMPARE(Tabs(*window_), QStringLiteral("C,D"));
        QCOMPARE(window_->Editor(), c);
        window_->CloseCurrentPage();
        window_->CloseCurrentPage();
        QCOMPARE(window_->PageCount(), 0);
        QVERIFY(window_->Editor() == nullptr);
        QVERIFY(!window_->IsModified());

        // Without a page everything that acts on Editor does nothing.
        window_->CloseCurrentPage();
        window_->HighlightLine(0);
        window_->SelectPage(0);
        QCOMPARE(window_->LineCount(), 0);
        QCOMPARE(window_->Line(0), std::string());
        QCOMPARE(window_->CurrentPageName(), std::string());
        QVERIFY(!window_->SaveCurrentPage(QDir::temp().filePath("zelk-nie.pas")));
        (void)b;
    }

    void linesAsTheScannerReadsThem()
    {
        TZelkPage* page = NewPage("neu", QStringLiteral("{ Grüße → }\nVOR;\n"));
        QCOMPARE(window_->LineCount(), 3);  // a final break leaves an empty last line
        QCOMPARE(window_->Line(0), std::string("{ Gr\xFC\xDF" "e \x81 }"));
        QCOMPARE(window_->Line(1), std::string("VOR;"));
        QCOMPARE(window_->Line(2), std::string());
        QCOMPARE(window_->Line(3), std::string());
        QCOMPARE(window_->Line(-1), std::string());

        // A change is seen at once, also on the line read just before.
        TypeAtEnd(page, "x");
        page->moveCursor(QTextCursor::Start);
        QTest::keyClicks(page, "a");
        QCOMPARE(window_->Line(0).substr(0, 2), std::string("a{"));
        QCOMPARE(window_->Line(2), std::string("x"));

        // Each page is read through its own control.
        NewPage("zwei", "eins\nzwei");
        QCOMPARE(window_->Line(1), std::string("zwei"));
        window_->SelectPage(0);
        QCOMPARE(window_->Line(1), std::string("VOR;"));

        // NUL characters are text like any other.
        NewPage("nul", QString("a") + QChar(0) + "b");
        QCOMPARE(window_->Line(0), std::string("a\0b", 3));
    }

    // A learner must see as comment exactly what the translator skips.
    void commentsAreColouredWhereTheScannerSkipsThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typedAtStart");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("comment");
        QTest::newRow("(*) opens and does not close") << "(*) VOR *) VOR" << "" << 0 << 4 << true;
        QTest::newRow("after it") << "(*) VOR *) VOR" << "" << 0 << 11 << false;
        QTest::newRow("braces over two lines") << "{ a\nVOR } VOR" << "" << 1 << 0 << true;
        QTest::newRow("after them") << "{ a\nVOR } VOR" << "" << 1 << 6 << false;
        QTest::newRow("no nesting") << "{ { } VOR" << "" << 0 << 6 << false;
        QTest::newRow("( * is a parenthesis") << "( *VOR" << "" << 0 << 3 << false;
        QTest::newRow("*) split by a line end") << "(* a *\n) VOR" << "" << 1 << 2 << true;
        QTest::newRow("a brace typed above") << "VOR\nVOR }\nVOR" << "{" << 1 << 0 << true;
        QTest::newRow("up to its end") << "VOR\nVOR }\nVOR" << "{" << 2 << 0 << false;
    }

    void commentsAreColouredWhereTheScannerSkipsThem()
    {
        QFETCH(QString, text);
        QFETCH(QString, typedAtStart);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(bool, comment);
        // The first line is a comment to compare with.
        TZelkPage* page = NewPage("neu", "{}\n" + text);
        page->grab();
        page->setTextCursor(QTextCursor(page->document()->findBlockByNumber(1)));
        QTest::keyClicks(page, typedAtStart);
        page->grab();
        QVERIFY(ShownColour(page, 0, 0).isValid() && ShownColour(page, 1 + line, column).isValid());
        QCOMPARE(ShownColour(page, 1 + line, column) == ShownColour(page, 0, 0), comment);
    }

    void positionsCountLineBreaksTwice()
    {
        TZelkPage* page = NewPage("neu", "ab\ncd\n\nef");
        QCOMPARE(FullText(page), QStringLiteral("ab\r\ncd\r\n\r\nef"));
        QCOMPARE(TextLength(page), 12);

        SetSelection(page, 4, 2);
        QCOMPARE(page->textCursor().selectedText(), QStringLiteral("cd"));
        QCOMPARE(SelStart(page), 4);
        QCOMPARE(SelLength(page), 2);
        QCOMPARE(CaretPosition(page), 6);

        SetSelection(page, 1, 5);  // across a break
        QCOMPARE(SelectedText(page), QStringLiteral("b\r\ncd"));
        QCOMPARE(SelLength(page), 5);

        SetSelection(page, 10, 0);
        QCOMPARE(page->textCursor().position(), 7);  // before "ef"
        QCOMPARE(ToCrlfPosition(page, 9), 12);
        // Between CR and LF, and beyond the end: the nearest line end.
        QCOMPARE(FromCrlfPosition(page, 3), 2);
        QCOMPARE(FromCrlfPosition(page, 99), 9);
        QCOMPARE(FromCrlfPosition(page, -5), 0);
    }

    void loadAndSaveThroughPages()
    {
        QTemporaryDir dir;
        const QString robo = dir.filePath("ROBO1.PAS");
        WriteBytes(robo, "{ Gr\xFC\xDF" "e\xA0}\r\nVOR;\r\n");  // with a no-break space
        QVERIFY(window_->LoadFile(robo));
        TZelkPage* page = window_->Editor();
        QCOMPARE(PageText(page), QStringLiteral("{ Grüße\u00A0}\nVOR;\n"));
        QVERIFY(!window_->IsModified());

        TypeAtEnd(page, "VOR;");
        QVERIFY(window_->IsModified());
        QVERIFY(window_->SaveCurrentPage(window_->CurrentPagePath()));
        QVERIFY(!window_->IsModified());
        QCOMPARE(ReadBytes(robo), QByteArray("{ Gr\xFC\xDF" "e\xA0}\r\nVOR;\r\nVOR;"));
        QCOMPARE(window_->CurrentPageCaption(), QStringLiteral("Robo1"));
        QVERIFY(!QFile::exists(dir.filePath("Robo1.pas")));

        // Saving under a new name renames the page and remembers the path.
        page->moveCursor(QTextCursor::End);
        page->insertPlainText(QStringLiteral(" { → }"));
        const QString other = dir.filePath("zickzack.pas");
        QVERIFY(window_->SaveCurrentPage(other));
        QCOMPARE(window_->CurrentPageCaption(), QStringLiteral("Zickzack"));
        QCOMPARE(window_->CurrentPagePath(), QFileInfo(other).absoluteFilePath());
        QCOMPARE(ReadBytes(other), QStringLiteral("{ Grüße\u00A0}\r\nVOR;\r\nVOR; { → }").toUtf8());

        // A failed save keeps the text modified and the page as it was.
        TypeAtEnd(page, "x");
        QString error;
        QVERIFY(!window_->SaveCurrentPage(dir.filePath("fehlt/x.pas"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(window_->IsModified());
        QCOMPARE(window_->CurrentPageCaption(), QStringLiteral("Zickzack"));

        // A file that cannot be read leaves an empty page without a path,
        // so saving it cannot overwrite the file.
        QVERIFY(!window_->LoadFile(dir.filePath("FEHLT.PAS"), &error));
        QCOMPARE(window_->CurrentPageCaption(), QStringLiteral("Fehlt"));
        QVERIFY(window_->CurrentPagePath().isEmpty());
        QCOMPARE(PageText(window_->Editor()), QString());

        // Units: the translator's AddPage loads the file into a new page.
        WriteBytes(dir.filePath("werkzeug.pas"), "UNIT werkzeug;\r\nINTERFACE\r\n");
        QVERIFY(window_->AddPage(std::string("Werkzeug"), dir.filePath("werkzeug.pas").toStdString()));
        QCOMPARE(window_->CurrentPageName(), std::string("Werkzeug"));
        QCOMPARE(window_->Line(1), std::string("INTERFACE"));
        QCOMPARE(window_->Editor()->textCursor().position(), 0);
        // A unit file that cannot be read leaves no page behind: an empty
        // page of that name would stand in for the unit in every later
        // translation, and saving it would overwrite the real file.
        const int pages = window_->PageCount();
        const int selected = window_->SelectedPage();
        QVERIFY(!window_->AddPage(std::string("Nix"), dir.filePath("nix.pas").toStdString()));
        QCOMPARE(window_->IndexOfPage("nix"), -1);
        QCOMPARE(window_->PageCount(), pages);
        QCOMPARE(window_->SelectedPage(), selected);
    }
};

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
