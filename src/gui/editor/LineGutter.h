#pragma once
// An edit control with a gutter on its left, as code editors have: the line
// numbers from 1, in the control's font and a muted colour, and a red dot
// on each line that holds a breakpoint. A click in a line's gutter sets or
// removes its breakpoint. The gutter lies beside the text: the text, its
// positions, the selection and the modified flag are the control's as
// before, and printing prints only the text.
#include <QPlainTextEdit>
#include <vector>

#include "editor/GutterAccess.h"

class THaltepunkte;
class TLineGutter;

class TGutterEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TGutterEdit(QWidget* parent = nullptr);

    THaltepunkte* Breakpoints() const { return breakpoints; }
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

    TLineGutter* gutter;
    THaltepunkte* breakpoints;
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The line shown at height y; false below the last line.
    bool LineAt(int y, TGutterLine& line) const;

    TGutterEdit* edit;
};
