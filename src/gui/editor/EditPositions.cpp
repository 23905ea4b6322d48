#include "editor/EditPositions.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

// Where block n starts when every earlier break counts twice.
int CrlfStart(const QTextBlock& block) { return block.position() + block.blockNumber(); }

QString WithCrlf(QString text)
{
    // A QTextCursor's selection separates blocks with U+2029.
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

}  // namespace

int ToCrlfPosition(const QPlainTextEdit* editor, int qtPosition)
{
    const QTextDocument* doc = editor->document();
    const int last = doc->characterCount() - 1;  // characterCount counts a final separator
    qtPosition = std::clamp(qtPosition, 0, std::max(0, last));
    return qtPosition + doc->findBlock(qtPosition).blockNumber();
}

int FromCrlfPosition(const QPlainTextEdit* editor, int crlfPosition)
{
    const QTextDocument* doc = editor->document();
    if (crlfPosition <= 0)
        return 0;
    // The last block whose CR LF start is not beyond the position.
    int low = 0, high = doc->blockCount() - 1;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (CrlfStart(doc->findBlockByNumber(mid)) <= crlfPosition)
            low = mid;
        else
            high = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int offset = std::min(crlfPosition - CrlfStart(block), block.length() - 1);
    return block.position() + offset;
}

int CaretPosition(const QPlainTextEdit* editor)
{
    return ToCrlfPosition(editor, editor->textCursor().position());
}

int SelStart(const QPlainTextEdit* editor)
{
    return ToCrlfPosition(editor, editor->textCursor().selectionStart());
}

int SelLength(const QPlainTextEdit* editor)
{
    const QTextCursor cursor = editor->textCursor();
    return ToCrlfPosition(editor, cursor.selectionEnd()) - ToCrlfPosition(editor, cursor.selectionStart());
}

void SetSelection(QPlainTextEdit* editor, int start, int length)
{
    const int from = FromCrlfPosition(editor, start);
    const int to = FromCrlfPosition(editor, start + std::max(0, length));
    QTextCursor cursor(editor->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

QString JoinedLines(const QPlainTextEdit* editor, const QString& lineBreak)
{
    QString text;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockNumber() > 0)
            text += lineBreak;
        text += block.text();
    }
    return text;
}

QString FullText(const QPlainTextEdit* editor) { return JoinedLines(editor, QStringLiteral("\r\n")); }

QString SelectedText(const QPlainTextEdit* editor)
{
    return WithCrlf(editor->textCursor().selectedText());
}

int TextLength(const QPlainTextEdit* editor)
{
    const QTextDocument* doc = editor->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}
