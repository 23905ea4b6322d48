#include "editor/BreakpointMarks.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

class TBreakpointMark : public QTextBlockUserData {
public:
    explicit TBreakpointMark(std::shared_ptr<int> live) : live(std::move(live)) { ++*this->live; }
    ~TBreakpointMark() override { --*live; }

private:
    std::shared_ptr<int> live;
};

}  // namespace

TBreakpointMarks::TBreakpointMarks(QTextDocument* document)
    : QObject(document), document(document), blocksBefore(document->blockCount())
{
    setObjectName(QStringLiteral("Haltepunkte"));
    connect(document, &QTextDocument::contentsChange, this, &TBreakpointMarks::Follow);
}

TBreakpointMarks* TBreakpointMarks::Of(QTextDocument* document)
{
    auto* found = document->findChild<TBreakpointMarks*>(QString(), Qt::FindDirectChildrenOnly);
    return found ? found : new TBreakpointMarks(document);
}

bool TBreakpointMarks::At(const QTextBlock& block)
{
    return block.isValid() && dynamic_cast<TBreakpointMark*>(block.userData()) != nullptr;
}

bool TBreakpointMarks::AtLine(int line) const
{
    return *live > 0 && line >= 0 && At(document->findBlockByNumber(line));
}

void TBreakpointMarks::Toggle(const QTextBlock& block)
{
    if (!block.isValid() || block.document() != document)
        return;
    QTextBlock line = block;
    line.setUserData(At(line) ? nullptr : new TBreakpointMark(live));
    liveBefore = *live;
    emit Changed();
}

std::vector<int> TBreakpointMarks::Lines() const
{
    std::vector<int> lines;
    if (*live == 0)
        return lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        if (At(block))
            lines.push_back(block.blockNumber());
    return lines;
}

// The document keeps a block's mark with the block's first character. A
// line break typed or pasted at the very start of a marked line leaves the
// mark on the new empty line above; it belongs to the text that moved down.
void TBreakpointMarks::Follow(int position, int removed, int added)
{
    const QTextBlock first = document->findBlock(position);
    if (removed == 0 && added > 0 && first.position() == position && At(first)) {
        QTextBlock moved = document->findBlock(position + added);
        if (moved.isValid() && moved != first && !At(moved)) {
            QTextBlock(first).setUserData(nullptr);
            moved.setUserData(new TBreakpointMark(live));
        }
    }
    const int blocks = document->blockCount();
    const bool shifted = blocks != blocksBefore && *live > 0;
    const bool lost = *live != liveBefore;
    blocksBefore = blocks;
    liveBefore = *live;
    if (shifted || lost)
        emit Changed();
}
