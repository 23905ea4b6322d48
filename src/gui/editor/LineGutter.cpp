#include "editor/LineGutter.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

#include "editor/BreakpointMarks.h"
#include "editor/ReadableColours.h"

namespace {

QAccessibleInterface* GutterAccessFactory(const QString&, QObject* object)
{
    auto* gutter = qobject_cast<TLineGutter*>(object);
    if (!gutter)
        return nullptr;
    return new TGutterAccess(gutter, {[gutter] { return gutter->Lines(); },
                                      [gutter](int line) { gutter->ToggleBreakpoint(line); },
                                      [gutter] { return gutter->Ansage(); }});
}

// The gutter's colours, from the page's own: a background a shade off the
// text's, and numbers that are muted yet readable on it. The arrow is a
// warm yellow, set off from the red dot beneath it and from any background
// by its dark edge.
struct GutterColours {
    QColor background, number, caretNumber, dot, arrow, arrowEdge;

    explicit GutterColours(const QPalette& page)
    {
        const QColor text = page.color(QPalette::Text);
        background = Mixed(page.color(QPalette::Base), text, 0.05);
        number = Readable(Mixed(text, background, 0.5), background, TextContrast);
        caretNumber = text;
        dot = Readable(QColor(0xD0, 0x10, 0x10), background, ShapeContrast);
        arrow = QColor(0xF0, 0xA8, 0x00);
        arrowEdge = Readable(QColor(0x50, 0x30, 0x00), background, ShapeContrast);
    }
};

// A triangle pointing right in the dot's cell, slimmer than the dot, whose
// red stays in sight above and below it and round its tip.
QPolygonF Arrow(const QRectF& cell)
{
    const qreal h = cell.height();
    const qreal y = cell.center().y();
    return QPolygonF({QPointF(cell.left() + 0.2 * h, y - 0.22 * h), QPointF(cell.left() + 0.9 * h, y),
                      QPointF(cell.left() + 0.2 * h, y + 0.22 * h)});
}

}  // namespace

// --- the edit control -----------------------------------------------------------

TGutterEdit::TGutterEdit(QWidget* parent)
    : QPlainTextEdit(parent), gutter(new TLineGutter(this)), breakpoints(TBreakpointMarks::Of(document()))
{
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TGutterEdit::FitGutter);
    connect(this, &QPlainTextEdit::updateRequest, this, &TGutterEdit::FollowScrolling);
    // The caret's line number stands out.
    connect(this, &QPlainTextEdit::cursorPositionChanged, gutter, qOverload<>(&QWidget::update));
    connect(breakpoints, &TBreakpointMarks::Changed, gutter, qOverload<>(&QWidget::update));
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int) { FollowExecutionMark(position, removed); });
    FitGutter();
}

TGutterEdit::~TGutterEdit()
{
    // The document goes after this part of the control, with the widget's
    // children: what it reports then must not reach the execution mark.
    document()->disconnect(this);
}

void TGutterEdit::ToggleBreakpoint(int line)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    breakpoints->Toggle(block);
    gutter->Ansagen((TBreakpointMarks::At(block) ? QStringLiteral("Haltepunkt in Zeile %1 gesetzt")
                                             : QStringLiteral("Haltepunkt in Zeile %1 entfernt"))
                        .arg(line + 1));
}

void TGutterEdit::SetExecutionMark(int line, bool announce)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    // A run halting again and again on the same line (a loop) is told each
    // time; the ticks of a running program leave an unchanged gutter alone.
    if (!announce && ExecutionMark() == (block.isValid() ? line : -1))
        return;
    executionMark = block.isValid() ? QTextCursor(block) : QTextCursor();
    RememberMarkedLine();
    gutter->update();
    if (announce && block.isValid())
        gutter->Ansagen(QStringLiteral("Ausführung hält in Zeile %1").arg(line + 1));
}

int TGutterEdit::ExecutionMark() const { return executionMark.isNull() ? -1 : executionMark.blockNumber(); }

void TGutterEdit::RememberMarkedLine()
{
    markedBlocks = blockCount();
    if (executionMark.isNull())
        return;
    const QTextBlock block = executionMark.block();
    markedStart = block.position();
    markedLength = block.length();
}

// The cursor moves with the text by itself. A change that took the marked
// line, all its text and a line break beside it, takes the mark too: it
// would stand on whatever line moved into the place. An edit block reports
// all its changes as one range, which may span the line without taking it
// (replacing all of a word, say); only a change that also took lines can
// have taken it.
void TGutterEdit::FollowExecutionMark(int position, int removed)
{
    if (executionMark.isNull())
        return;
    const int end = position + removed;
    const int textEnd = markedStart + markedLength - 1;
    const bool tookText = position <= markedStart && end >= textEnd;
    const bool tookBreak = position < markedStart || end > textEnd;
    if (removed > 0 && tookText && tookBreak && blockCount() < markedBlocks) {
        executionMark = QTextCursor();
        gutter->update();
    }
    RememberMarkedLine();
}

void TGutterEdit::SetWholeText(const QString& text)
{
    // Also while the old text is gone and the new one not yet in.
    linesComing = int(text.count(QLatin1Char('\n'))) + 1;
    FitGutter();
    setPlainText(text);
    linesComing = 0;
    FitGutter();
}

int TGutterEdit::GutterWidth(int lines) const
{
    const QFontMetrics metrics(font());
    const int digits = std::max<int>(2, int(QString::number(lines).size()));
    return gutter->DotWidth() + metrics.horizontalAdvance(QLatin1Char('9')) * digits +
           metrics.horizontalAdvance(QLatin1Char(' '));
}

void TGutterEdit::FitGutter()
{
    const int width = GutterWidth(std::max(blockCount(), linesComing));
    if (viewportMargins().left() != width)
        setViewportMargins(width, 0, 0, 0);
    const QRect area = contentsRect();
    gutter->setGeometry(area.left(), area.top(), width, area.height());
}

void TGutterEdit::FollowScrolling(const QRect& rect, int dy)
{
    if (dy != 0)
        gutter->scroll(0, dy);
    else
        gutter->update(0, rect.y(), gutter->width(), rect.height());
}

void TGutterEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    FitGutter();
}

void TGutterEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitGutter();
}

std::vector<TGutterLine> TGutterEdit::VisibleLines() const
{
    std::vector<TGutterLine> lines;
    const int marked = ExecutionMark();
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int bottom = viewport()->height();
    for (; block.isValid() && top <= bottom; block = block.next(), ++number) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible())
            lines.push_back({number, QRect(0, qRound(top), gutter->width(), qRound(height)),
                             TBreakpointMarks::At(block), number == marked});
        top += height;
    }
    return lines;
}

// --- the gutter -------------------------------------------------------------------

TLineGutter::TLineGutter(TGutterEdit* edit) : QWidget(edit), edit(edit)
{
    setObjectName(QStringLiteral("Zeilennummern"));
    static const bool factory = (QAccessible::installFactory(GutterAccessFactory), true);
    (void)factory;
}

QSize TLineGutter::sizeHint() const { return QSize(width(), 0); }

// Qt 6.4 has no announcement event; a screen reader hears a change of the
// list's description, as it hears the work field's.
void TLineGutter::Ansagen(const QString& text)
{
    ansage = text;
    QAccessibleEvent told(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&told);
}

int TLineGutter::DotWidth() const { return fontMetrics().height(); }

void TLineGutter::paintEvent(QPaintEvent* event)
{
    const GutterColours colours(edit->palette());
    QPainter painter(this);
    painter.fillRect(event->rect(), colours.background);
    painter.setRenderHint(QPainter::Antialiasing);
    const int caretLine = edit->textCursor().blockNumber();
    const int lineHeight = fontMetrics().height();
    const int diameter = std::max(4, lineHeight * 3 / 5);
    for (const TGutterLine& line : edit->VisibleLines()) {
        const QRect dotCell(0, line.rect.top(), DotWidth(), lineHeight);
        if (line.breakpoint) {
            QRect dot(0, 0, diameter, diameter);
            dot.moveCenter(dotCell.center());
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.dot);
            painter.drawEllipse(dot);
        }
        if (line.executionMark) {
            painter.setPen(QPen(colours.arrowEdge, std::max(1.0, lineHeight / 16.0), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
            painter.setBrush(colours.arrow);
            painter.drawPolygon(Arrow(QRectF(dotCell)));
        }
        painter.setPen(line.number == caretLine ? colours.caretNumber : colours.number);
        const int right = width() - fontMetrics().horizontalAdvance(QLatin1Char(' ')) / 2;
        painter.drawText(QRect(DotWidth(), line.rect.top(), right - DotWidth(), lineHeight),
                         Qt::AlignRight | Qt::AlignTop, QString::number(line.number + 1));
    }
}

bool TLineGutter::LineAt(int y, TGutterLine& line) const
{
    for (const TGutterLine& shown : edit->VisibleLines())
        if (y >= shown.rect.top() && y <= shown.rect.bottom()) {
            line = shown;
            return true;
        }
    return false;
}

void TLineGutter::mousePressEvent(QMouseEvent* event)
{
    TGutterLine line;
    if (event->button() != Qt::LeftButton || !LineAt(event->position().toPoint().y(), line))
        return;
    edit->ToggleBreakpoint(line.number);
}

bool TLineGutter::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    TGutterLine line;
    if (LineAt(help->pos().y(), line) && (line.breakpoint || line.executionMark))
        QToolTip::showText(help->globalPos(), GutterLineDescription(line), this, line.rect);
    else
        QToolTip::hideText();
    return true;
}
