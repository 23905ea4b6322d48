#include "editor/LineGutter.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

#include "editor/Breakpoints.h"
#include "editor/ReadableColours.h"

namespace {

const QString BreakpointText = QStringLiteral("Haltepunkt");

QAccessibleInterface* GutterAccessFactory(const QString&, QObject* object)
{
    auto* gutter = qobject_cast<TLineGutter*>(object);
    if (!gutter)
        return nullptr;
    auto* edit = static_cast<TGutterEdit*>(gutter->parentWidget());
    return new TGutterAccess(gutter, [edit] { return edit->VisibleLines(); });
}

// The gutter's colours, from the page's own: a background a shade off the
// text's, and numbers that are muted yet readable on it.
struct GutterColours {
    QColor background, number, caretNumber, dot;

    explicit GutterColours(const QPalette& page)
    {
        const QColor text = page.color(QPalette::Text);
        background = Mixed(page.color(QPalette::Base), text, 0.05);
        number = Readable(Mixed(text, background, 0.5), background, TextContrast);
        caretNumber = text;
        dot = Readable(QColor(0xD0, 0x10, 0x10), background, ShapeContrast);
    }
};

}  // namespace

// --- the edit control -----------------------------------------------------------

TGutterEdit::TGutterEdit(QWidget* parent)
    : QPlainTextEdit(parent), gutter(new TLineGutter(this)), breakpoints(THaltepunkte::Of(document()))
{
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TGutterEdit::FitGutter);
    connect(this, &QPlainTextEdit::updateRequest, this, &TGutterEdit::FollowScrolling);
    // The caret's line number stands out.
    connect(this, &QPlainTextEdit::cursorPositionChanged, gutter, qOverload<>(&QWidget::update));
    connect(breakpoints, &THaltepunkte::Changed, gutter, qOverload<>(&QWidget::update));
    FitGutter();
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
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int bottom = viewport()->height();
    for (; block.isValid() && top <= bottom; block = block.next(), ++number) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible())
            lines.push_back({number, QRect(0, qRound(top), gutter->width(), qRound(height)),
                             THaltepunkte::At(block)});
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
        if (line.breakpoint) {
            const QRect dotCell(0, line.rect.top(), DotWidth(), lineHeight);
            QRect dot(0, 0, diameter, diameter);
            dot.moveCenter(dotCell.center());
            painter.setPen(Qt::NoPen);
            painter.setBrush(colours.dot);
            painter.drawEllipse(dot);
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
    edit->Breakpoints()->Toggle(edit->document()->findBlockByNumber(line.number));
}

bool TLineGutter::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    TGutterLine line;
    if (LineAt(help->pos().y(), line) && line.breakpoint)
        QToolTip::showText(help->globalPos(), BreakpointText, this, line.rect);
    else
        QToolTip::hideText();
    return true;
}
