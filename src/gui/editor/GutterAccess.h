#pragma once
// The line number gutter as assistive technology sees it: a list named
// "Zeilennummern" whose items are the lines on the screen, each named
// "Zeile N" and described as "Haltepunkt" when it holds one. A screen reader
// thus tells the breakpoints that a seeing user finds as red dots.
#include <QAccessibleWidget>
#include <QRect>
#include <functional>
#include <vector>

// One line as the gutter shows it.
struct TGutterLine {
    int number;       // from 0
    QRect rect;       // in the gutter's coordinates
    bool breakpoint;
};

using TGutterLines = std::function<std::vector<TGutterLine>()>;

class TGutterAccess : public QAccessibleWidget {
public:
    TGutterAccess(QWidget* gutter, TGutterLines lines);
    ~TGutterAccess() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The line shown at index, if there is one.
    bool LineAt(int index, TGutterLine& line) const;
    QWidget* Gutter() const { return widget(); }

private:
    TGutterLines lines;
    // The items, made when first asked for and owned by Qt's cache.
    mutable std::vector<QAccessible::Id> items;
};
