#pragma once
// The line number gutter as assistive technology sees it: a list named
// "Zeilennummern" whose items are the lines on the screen, each named
// "Zeile N" (counted from 1, as the translator's messages count) and
// described as "Haltepunkt" when it holds one and "Ausführungsmarke" where
// a run stands. A screen reader thus tells the breakpoints and the arrow
// that a seeing user finds in the gutter. Each item is checked while its
// line holds a breakpoint, and its toggle action sets or removes it, as a
// click does. The list's description is the last thing the gutter told
// (a breakpoint set or removed, a run halting), raised as a change of it.
#include <QAccessibleWidget>
#include <QRect>
#include <functional>
#include <vector>

// One line as the gutter shows it.
struct TGutterLine {
    int number;       // from 0
    QRect rect;       // in the gutter's coordinates
    bool breakpoint;
    bool executionMark;
};

// What the gutter says of a line: its tooltip, and its item's description.
QString GutterLineDescription(const TGutterLine& line);

// What the accessible side asks of the gutter and does with it, handed in
// by the gutter, so this side needs nothing else of the gutter's.
struct TGutterModel {
    std::function<std::vector<TGutterLine>()> visibleLines;
    std::function<void(int line)> toggleBreakpoint;
    // The last thing told to a screen reader.
    std::function<QString()> lastAnnouncement;
};

class TGutterAccess : public QAccessibleWidget {
public:
    TGutterAccess(QWidget* gutter, TGutterModel model);
    ~TGutterAccess() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The line shown at index, if there is one.
    bool LineAt(int index, TGutterLine& line) const;
    QWidget* Gutter() const { return widget(); }
    // Sets or removes the breakpoint of a line (from 0).
    void ToggleBreakpoint(int number) const;

private:
    std::vector<TGutterLine> Lines() const;

    TGutterModel model;
    // The items, made when first asked for and owned by Qt's cache.
    mutable std::vector<QAccessible::Id> items;
};
