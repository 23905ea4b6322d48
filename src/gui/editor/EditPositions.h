#pragma once
// Text positions in an editor as the program counts them: every line break
// counts as two characters (CR LF), as it does in the text of a saved file.
// Qt's documents count one. Everything that reads or sets a caret or a
// selection in these terms (search and replace, auto-indent) goes through
// here, so the two ways of counting meet in one place only.
#include <QString>

class QPlainTextEdit;

// Qt position -> position counting CR LF.
int ToCrlfPosition(const QPlainTextEdit* editor, int qtPosition);
// Position counting CR LF -> Qt position. A position between the CR and the
// LF of a break, or beyond the end, is moved back to the nearest line end.
int FromCrlfPosition(const QPlainTextEdit* editor, int crlfPosition);

int CaretPosition(const QPlainTextEdit* editor);
int SelStart(const QPlainTextEdit* editor);
int SelLength(const QPlainTextEdit* editor);
// Selects length characters from start, the caret at the end.
void SetSelection(QPlainTextEdit* editor, int start, int length);

// The text of an edit control with lineBreak between its lines, every
// character as it stands (QPlainTextEdit::toPlainText turns no-break spaces
// into blanks).
QString JoinedLines(const QPlainTextEdit* editor, const QString& lineBreak);

// The whole text and the selected text with CR LF line breaks, so that the
// positions above index into them.
QString FullText(const QPlainTextEdit* editor);
QString SelectedText(const QPlainTextEdit* editor);
int TextLength(const QPlainTextEdit* editor);
