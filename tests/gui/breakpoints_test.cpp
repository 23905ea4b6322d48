// Breakpoints in the real program: set by F5 or a click in the gutter, kept
// with their lines while the text changes, as the execution mark is, and no
// part of the text.
#include <QAccessible>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>
#include <vector>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "editor/LineGutter.h"
#include "editor/Search.h"

namespace {

enum class Edit { EnterAbove, EnterAtItsStart, EnterInItsMiddle, PasteTwoLinesAbove, EnterAboveUndone,
                  DeleteItsLine, DeleteLineBelow, ReplaceAllAroundIt };

void PutCaret(QPlainTextEdit* page, int line, int column)
{
    QTextCursor cursor(page->document()->findBlockByNumber(line));
    cursor.setPosition(cursor.position() + column);
    page->setTextCursor(cursor);
}

// Selects line with its line break and deletes it with the Delete key.
void DeleteLine(QPlainTextEdit* page, int line)
{
    QTextCursor cursor(page->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    page->setTextCursor(cursor);
    QTest::keyClick(page, Qt::Key_Delete);
}

void Apply(QPlainTextEdit* page, Edit edit)
{
    switch (edit) {
    case Edit::EnterAbove: PutCaret(page, 1, 2); QTest::keyClick(page, Qt::Key_Return); break;
    case Edit::EnterAtItsStart: PutCaret(page, 2, 0); QTest::keyClick(page, Qt::Key_Return); break;
    case Edit::EnterInItsMiddle: PutCaret(page, 2, 1); QTest::keyClick(page, Qt::Key_Return); break;
    case Edit::PasteTwoLinesAbove: PutCaret(page, 2, 0); page->insertPlainText("x\ny\n"); break;
    case Edit::EnterAboveUndone:
        PutCaret(page, 1, 2);
        QTest::keyClick(page, Qt::Key_Return);  // a line break and its indent
        while (page->document()->isUndoAvailable())
            page->undo();
        break;
    case Edit::DeleteItsLine: DeleteLine(page, 2); break;
    case Edit::DeleteLineBelow: DeleteLine(page, 3); break;
    case Edit::ReplaceAllAroundIt:
        PutCaret(page, 0, 0);
        ReplaceInEditor(page, "VOR", "ZURUECK", SearchOptions(), true);
        break;
    }
}

QString Description(QAccessibleInterface* gutter, int index)
{
    QAccessibleInterface* line = gutter->child(index);
    return line ? line->text(QAccessible::Description) : QStringLiteral("?");
}

}  // namespace

Q_DECLARE_METATYPE(Edit)

class BreakpointsTest : public QObject, ProgramFixture {
    Q_OBJECT

    TZelkPage* newPage(const QString& text)
    {
        form->FileNewItemClick();
        editor()->setPlainText(text);
        editor()->document()->setModified(false);
        return editor();
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void aBreakpointStaysWithItsLine_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<std::vector<int>>("lines");
        QTest::newRow("Enter in the line above") << Edit::EnterAbove << std::vector<int>{3};
        QTest::newRow("Enter at its start") << Edit::EnterAtItsStart << std::vector<int>{3};
        QTest::newRow("Enter in its middle") << Edit::EnterInItsMiddle << std::vector<int>{2};
        QTest::newRow("two lines pasted above") << Edit::PasteTwoLinesAbove << std::vector<int>{4};
        QTest::newRow("typing above undone") << Edit::EnterAboveUndone << std::vector<int>{2};
        QTest::newRow("its line deleted") << Edit::DeleteItsLine << std::vector<int>{};
        QTest::newRow("the line below deleted") << Edit::DeleteLineBelow << std::vector<int>{2};
        QTest::newRow("all replaced above and below") << Edit::ReplaceAllAroundIt << std::vector<int>{2};
    }

    void aBreakpointStaysWithItsLine()
    {
        QFETCH(Edit, edit);
        QFETCH(std::vector<int>, lines);
        newPage("BEGIN\n  VOR;\n  GIB_AB;\n  VOR\nEND.");
        QSignalSpy changed(editorWindow(), &TZelkEdit::BreakpointsChanged);
        editorWindow()->ToggleBreakpoint(0, 2);
        editorWindow()->SetExecutionMark(0, 2, false);
        Apply(editor(), edit);
        QCOMPARE(editorWindow()->BreakpointLines(0), lines);
        QCOMPARE(editor()->ExecutionMark(), lines.empty() ? -1 : lines[0]);
        for (int line = 0; line < editor()->document()->blockCount(); ++line)
            QCOMPARE(editorWindow()->HasBreakpoint(0, line), lines == std::vector<int>{line});
        // Told of every change that moved or took the breakpoint, so a
        // run that keeps the lines can ask again.
        if (lines != std::vector<int>{2})
            QVERIFY(changed.count() > 1);
    }

    void f5AndAClickInTheGutterToggleAndLeaveTheTextAlone()
    {
        const QString text = "PROGRAM P;\nBEGIN\n  VOR;\n  NIMM_AUF\nEND.";
        TZelkPage* page = newPage(text);
        PutCaret(page, 1, 3);
        QTest::keyClick(page, Qt::Key_F5);
        QCOMPARE(editorWindow()->BreakpointLines(0), std::vector<int>{1});

        auto* gutter = Find<QWidget>(page, "Zeilennummern");
        const std::vector<TGutterLine> shown = page->VisibleLines();
        QVERIFY(shown.size() >= 5);
        QTest::mouseClick(gutter, Qt::LeftButton, {}, shown[3].rect.center());
        QCOMPARE(editorWindow()->BreakpointLines(0), (std::vector<int>{1, 3}));
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(gutter);
        QCOMPARE(Description(access, 3), QStringLiteral("Haltepunkt"));
        QCOMPARE(Description(access, 2), QString());
        QTest::mouseClick(gutter, Qt::LeftButton, {}, shown[1].rect.center());
        QCOMPARE(editorWindow()->BreakpointLines(0), std::vector<int>{3});
        QCOMPARE(Description(access, 1), QString());

        // The text, its caret, its modified flag and its undo are as before.
        QCOMPARE(PageText(page), text);
        QCOMPARE(page->textCursor().blockNumber(), 1);
        QCOMPARE(page->textCursor().positionInBlock(), 3);
        QVERIFY(!page->document()->isModified());
        QVERIFY(!page->document()->isUndoAvailable());
    }
};

QTEST_MAIN(BreakpointsTest)
#include "breakpoints_test.moc"
