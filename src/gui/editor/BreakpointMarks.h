#pragma once
// The breakpoints of one program text. A breakpoint is a mark in its line's
// text block, so it belongs to the line: it moves down when lines are put
// above it and is gone with its line. The marks are no part of the text:
// neither the modified flag, nor undo, nor a saved or printed file sees them.
#include <QObject>
#include <memory>
#include <vector>

class QTextBlock;
class QTextDocument;

class TBreakpointMarks : public QObject {
    Q_OBJECT
public:
    // The breakpoints of document, made on first use as its child.
    static TBreakpointMarks* Of(QTextDocument* document);

    static bool At(const QTextBlock& block);
    // Line counts from 0; false for a line the text does not have.
    bool AtLine(int line) const;
    void Toggle(const QTextBlock& block);
    // The lines that hold one, from 0, in ascending order.
    std::vector<int> Lines() const;
    int Count() const { return *live; }

signals:
    // A breakpoint came or went, or one may stand on another line now.
    void Changed();

private:
    explicit TBreakpointMarks(QTextDocument* document);
    void Follow(int position, int removed, int added);

    QTextDocument* document;
    // Counted by the marks themselves, which go with their blocks, also
    // after this object during the document's destruction.
    std::shared_ptr<int> live = std::make_shared<int>(0);
    int liveBefore = 0;
    int blocksBefore = 0;
};
