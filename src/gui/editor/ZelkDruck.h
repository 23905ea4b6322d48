#pragma once
// "&Drucken": the text of an editor page as one print job. Qt's own document
// printing adds margins and page numbers; a program text goes onto paper as
// it is, so the lines are laid out here over the whole printable area.
#include <QString>

class QColor;
class QFont;
class QPlainTextEdit;
class QPrinter;
class QWidget;

// The print command: the print dialog through the dialog service, then the
// whole text of editor as one job named titel. Cancelling prints nothing; a
// printer that cannot start or finish the job is reported in an error box.
// Returns true when the job was printed.
bool DateiDrucken(QWidget* owner, QPlainTextEdit* editor, const QString& titel);

// Prints text on printer, which the caller has set up: the lines in font and
// colour, top to bottom over the printable area of each page, a line too wide
// for the page wrapped onto the next line, tabs every tabStop screen pixels.
// A font sized in pixels keeps its size on paper as at 96 pixels per inch.
// false when the printer could not start or finish the job.
bool DruckeText(QPrinter& printer, const QString& text, const QFont& font, const QColor& colour,
                qreal tabStop);
