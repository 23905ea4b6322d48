#pragma once
// An edit control with a gutter on its left, as code editors have: the line
// numbers from 1, in the control's font and a muted colour, a red dot on
// each line that holds a breakpoint, and an arrow over the dots' column on
// the line where a run stands. A click in a line's gutter sets or removes
// its breakpoint. The gutter lies beside the text: the text, its
// positions, the selection and the modified flag are the control's as
// before, and printing prints only the text.
#include <QPlainTextEdit>
#include <QTextCursor>
#include <vector>

#include "editor/GutterAccess.h"

class TBreakpointMarks;
class TLineGutter;

class TGutterEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TGutterEdit(QWidget* parent = nullptr);
    ~TGutterEdit() override;

    TBreakpointMarks* Breakpoints() const { return breakpoints; }
    // Sets or removes the breakpoint of a line (from 0), and tells a screen
    // reader "Haltepunkt in Zeile N gesetzt" or "... entfernt".
    void ToggleBreakpoint(int line);

    // The execution mark: the arrow on the line where a run stands (from 0;
    // -1, or a line the text lacks, removes it). It belongs to its line as
    // a breakpoint does: lines put above it move it down, and it goes with
    // its line. With announce a screen reader hears "Ausführung hält in
    // Zeile N"; the ticks of a running program pass false, and nothing is
    // said. Only the gutter is repainted.
    void SetExecutionMark(int line, bool announce);
    int ExecutionMark() const;
    // Replaces the whole text, with the gutter made wide enough for it
    // first: once the lines are in, a wider gutter narrows the text area,
    // and Qt then makes a layout for every line of the text.
    void SetWholeText(const QString& text);
    // The lines on the screen, top to bottom, placed as the gutter shows them.
    std::vector<TGutterLine> VisibleLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int GutterWidth(int lines) const;
    void FitGutter();
    void FollowScrolling(const QRect& rect, int dy);
    void FollowExecutionMark(int position, int removed);
    void RememberMarkedLine();

    TLineGutter* gutter;
    TBreakpointMarks* breakpoints;
    // At the start of the marked line, so that the document moves it with
    // the text; null without a mark. The line's place and length before the
    // latest change tell whether the change took the whole line.
    QTextCursor executionMark;
    int markedStart = 0;
    int markedLength = 0;
    int markedBlocks = 0;
    // While a whole text comes in, the gutter is as wide as it needs.
    int linesComing = 0;
};

class TLineGutter : public QWidget {
    Q_OBJECT
public:
    explicit TLineGutter(TGutterEdit* edit);

    QSize sizeHint() const override;
    // The width of the dot column left of the numbers.
    int DotWidth() const;

    // What the gutter's accessible side asks for and does.
    std::vector<TGutterLine> Lines() const { return edit->VisibleLines(); }
    void ToggleBreakpoint(int line) { edit->ToggleBreakpoint(line); }
    // The last thing told to a screen reader; Ansagen tells it anew, also
    // when it is the same as before.
    QString Ansage() const { return ansage; }
    void Ansagen(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The line shown at height y; false below the last line.
    bool LineAt(int y, TGutterLine& line) const;

    TGutterEdit* edit;
    QString ansage;
};
