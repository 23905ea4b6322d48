// Find and replace through the real menu items and dialogs on an editor
// page: what is selected, what is replaced, the two messages, and the two
// ways a search used to go wrong (long texts, Replace All upwards).
#include <QCheckBox>
#include <QLineEdit>
#include <QClipboard>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "GuiFixtures.h"
#include "editor/EditPositions.h"
#include "editor/Search.h"

class SearchTest : public QObject, ProgramFixture {
    Q_OBJECT

    TFindDialog* findDlg() const { return Find<TFindDialog>(form, "FindDialog1"); }
    TReplaceDialog* replaceDlg() const { return Find<TReplaceDialog>(form, "ReplaceDialog1"); }

    TZelkPage* newPage(const QString& text)
    {
        form->FileNewItemClick();
        editor()->setPlainText(text);
        editor()->document()->setModified(false);
        return editor();
    }

    // Fills a dialog's fields and options as a user does.
    static void fill(TSearchDialog* dlg, const QString& text, bool down = true,
                     bool matchCase = false, bool wholeWord = false)
    {
        auto* field = Find<QLineEdit>(dlg, "FindText");
        field->clear();
        QTest::keyClicks(field, text);
        Find<QRadioButton>(dlg, down ? "DirectionDown" : "DirectionUp")->setChecked(true);
        Find<QCheckBox>(dlg, "MatchCase")->setChecked(matchCase);
        Find<QCheckBox>(dlg, "WholeWord")->setChecked(wholeWord);
    }

    void replaceWith(const QString& replacement)
    {
        auto* field = Find<QLineEdit>(replaceDlg(), "ReplaceText");
        field->clear();
        QTest::keyClicks(field, replacement);
    }

    void click(QDialog* dlg, const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(dlg, button), Qt::LeftButton);
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void findAgainBeforeAnyFindSearchesTheEmptyText()
    {
        // Without an editor window the three items do nothing.
        for (const char* name : {"Suchen1", "Ersetzen1", "SucheWiederholen1"})
            FindItem(form, name)->trigger();
        QVERIFY(!findDlg()->isVisible() && !replaceDlg()->isVisible());
        QVERIFY(fake->boxes.isEmpty());

        newPage("VOR vor");
        SetSelection(editor(), 1, 2);
        FindItem(form, "SucheWiederholen1")->trigger();
        QCOMPARE(fake->texts(), QStringList{"Suchsting \"\" nicht gefunden."});
        QVERIFY(fake->boxes[0].icon == MsgIcon::None);
        QCOMPARE(fake->boxes[0].title, QStringLiteral("Zelk - der Roboter"));
        QCOMPARE(SelStart(editor()), 1);
        QCOMPARE(SelLength(editor()), 2);
    }

    void findSelectsTheNextHitAndStaysOpen()
    {
        newPage("{ VOR }\nVOR vor\nvor");
        FindItem(form, "Suchen1")->trigger();
        QVERIFY(findDlg()->isVisible());
        QVERIFY(!findDlg()->isModal());
        // Weitersuchen needs a text; the field holds at most 255 characters.
        QVERIFY(!Find<QPushButton>(findDlg(), "FindNextBtn")->isEnabled());
        fill(findDlg(), QString(300, 'x'));
        QCOMPARE(findDlg()->FindText().size(), 255);

        fill(findDlg(), "vor", true, true);
        click(findDlg(), "FindNextBtn");
        // Positions count each line break as CR LF.
        QCOMPARE(SelStart(editor()), 13);
        QCOMPARE(editor()->textCursor().selectedText(), QStringLiteral("vor"));
        QVERIFY(findDlg()->isVisible());

        // F3 goes on with the dialog's text and options.
        FindItem(form, "SucheWiederholen1")->trigger();
        QCOMPARE(SelStart(editor()), 18);
        FindItem(form, "SucheWiederholen1")->trigger();
        QCOMPARE(fake->texts(), QStringList{"Suchsting \"vor\" nicht gefunden."});
        QCOMPARE(SelStart(editor()), 18);
        QCOMPARE(SelLength(editor()), 3);
        QVERIFY(!editor()->document()->isModified());
    }

    // The search once took the text's length as a 16-bit count and searched
    // only what was left over 65,536.
    void theWholeOfALongTextIsSearched()
    {
        const QString filler(70000, 'x');
        newPage(filler + "\nziel\n" + filler);
        FindItem(form, "Suchen1")->trigger();
        fill(findDlg(), "ZIEL");
        click(findDlg(), "FindNextBtn");
        QCOMPARE(SelStart(editor()), 70002);
        QCOMPARE(editor()->textCursor().selectedText(), QStringLiteral("ziel"));
        QVERIFY(fake->boxes.isEmpty());

        editor()->moveCursor(QTextCursor::End);
        fill(findDlg(), "ziel", false);
        click(findDlg(), "FindNextBtn");
        QCOMPARE(SelStart(editor()), 70002);
    }

    void replaceFindsFirstThenReplacesTheSelectedHit()
    {
        newPage("VOR;\nvor;");
        FindItem(form, "Ersetzen1")->trigger();
        QVERIFY(replaceDlg()->isVisible());
        QVERIFY(!replaceDlg()->isModal());
        fill(replaceDlg(), "vor", true, true);
        replaceWith("GIB_AB");

        // Weitersuchen has no effect here.
        click(replaceDlg(), "FindNextBtn");
        QCOMPARE(SelLength(editor()), 0);
        QVERIFY(fake->boxes.isEmpty());

        click(replaceDlg(), "ReplaceBtn");  // nothing selected: only finds
        QCOMPARE(SelStart(editor()), 6);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("VOR;\nvor;"));
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("VOR;\nGIB_AB;"));
        QCOMPARE(fake->texts(), QStringList{"Suchstring \"vor\" nicht gefunden."});
        QVERIFY(fake->boxes[0].icon == MsgIcon::None);
        QCOMPARE(CaretPosition(editor()), 12);  // after the inserted text
        QVERIFY(editor()->document()->isModified());

        // The selection is compared ignoring case, whatever the option says.
        SetSelection(editor(), 0, 3);
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("GIB_AB;\nGIB_AB;"));
    }

    void replaceAllDownwardsReplacesEveryHitSilently()
    {
        newPage("drehe_links;\ndrehe_links;\nvor;");
        editor()->moveCursor(QTextCursor::Start);
        FindItem(form, "Ersetzen1")->trigger();
        fill(replaceDlg(), "links");
        replaceWith("rechts");
        click(replaceDlg(), "ReplaceAllBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("drehe_rechts;\ndrehe_rechts;\nvor;"));
        QVERIFY(fake->boxes.isEmpty());
        QCOMPARE(CaretPosition(editor()), 27);  // after the last replacement
        // One press, one step to undo.
        editor()->undo();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("drehe_links;\ndrehe_links;\nvor;"));
    }

    // A replacement that holds the search text once made Replace All upwards
    // find its own insertion again and again.
    void replaceAllUpwardsEndsWhenTheReplacementHoldsTheSearchText()
    {
        newPage("vor;\nvor;\nvor;");
        SetSelection(editor(), 12, 3);  // the last vor
        FindItem(form, "Ersetzen1")->trigger();
        fill(replaceDlg(), "vor", false);
        replaceWith("vor;vor");
        click(replaceDlg(), "ReplaceAllBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("vor;vor;\nvor;vor;\nvor;vor;"));
        QVERIFY(fake->boxes.isEmpty());

        // A single Replace upwards goes on before the text it inserted.
        editor()->setPlainText("vor vor");
        editor()->moveCursor(QTextCursor::End);
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(SelStart(editor()), 4);
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("vor vor;vor"));
        QCOMPARE(SelStart(editor()), 0);
        QCOMPARE(SelLength(editor()), 3);
    }

    // A line break pasted into the search field, of any kind, is the
    // editor's CR LF. A lone CR once matched half of one: the hit selected
    // nothing, and Replace All inserted before it forever.
    void pastedLineBreaksFindTheEditorsLineBreaks()
    {
        newPage("ab\ncd\nef");
        editor()->moveCursor(QTextCursor::Start);
        FindItem(form, "Ersetzen1")->trigger();
        auto* field = Find<QLineEdit>(replaceDlg(), "FindText");
        QGuiApplication::clipboard()->setText(QStringLiteral("\r"));
        field->clear();
        field->paste();
        replaceWith("-");
        click(replaceDlg(), "ReplaceAllBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("ab-cd-ef"));

        editor()->setPlainText("ab\ncd");
        editor()->moveCursor(QTextCursor::Start);
        QGuiApplication::clipboard()->setText(QStringLiteral("b\nc"));
        field->clear();
        field->paste();
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(SelStart(editor()), 1);
        QCOMPARE(SelLength(editor()), 4);
        click(replaceDlg(), "ReplaceBtn");
        QCOMPARE(editor()->toPlainText(), QStringLiteral("a-d"));
    }

    // Pasted with CR LF, as from a Windows program, or with a plain line
    // break: the same search text, the same hits.
    void aPastedLineBreakOfEitherKindFindsTheSame_data()
    {
        QTest::addColumn<QString>("gesucht");
        QTest::newRow("LF") << "b\nc";
        QTest::newRow("CR LF") << "b\r\nc";
    }

    void aPastedLineBreakOfEitherKindFindsTheSame()
    {
        QFETCH(QString, gesucht);
        newPage("ab\ncd\nab\ncd");
        editor()->moveCursor(QTextCursor::Start);
        FindItem(form, "Suchen1")->trigger();
        QGuiApplication::clipboard()->setText(gesucht);
        Find<QLineEdit>(findDlg(), "FindText")->paste();
        click(findDlg(), "FindNextBtn");
        QCOMPARE(SelStart(editor()), 1);
        QCOMPARE(SelLength(editor()), 4);
        click(findDlg(), "FindNextBtn");
        QCOMPARE(SelStart(editor()), 9);
        QVERIFY(fake->boxes.isEmpty());
    }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"
