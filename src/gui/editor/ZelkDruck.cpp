#include "editor/ZelkDruck.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include "platform/DialogService.h"
#include "editor/ZelkEdit2.h"
#include "ports/Messages.h"

namespace {

// Font sizes of the settings are screen pixels at 96 per inch; on paper the
// same font needs its size in points.
constexpr qreal PixelsPerInch = 96.0;

QFont PaperFont(const QFont& font)
{
    QFont paper(font);
    if (font.pixelSize() > 0)
        paper.setPointSizeF(font.pixelSize() * 72.0 / PixelsPerInch);
    return paper;
}

// Lays one line of text out in as many printed lines as the page width needs.
void LayOut(QTextLayout& layout, qreal width)
{
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
}

// The whole paper but what the printer cannot reach: no margins of our own.
void UseFullPrintableArea(QPrinter& printer)
{
    const QPageLayout page = printer.pageLayout();
    printer.setPageMargins(page.minimumMargins(), page.units());
    printer.setFullPage(false);
}

}  // namespace

bool DruckeText(QPrinter& printer, const QString& text, const QFont& font, const QColor& colour,
                qreal tabStop)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont paperFont = PaperFont(font);
    painter.setFont(paperFont);
    painter.setPen(colour);
    const qreal width = printer.width();
    const qreal height = printer.height();
    const qreal spacing = QFontMetricsF(paperFont, &printer).lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(tabStop * printer.logicalDpiX() / PixelsPerInch);

    qreal y = 0;
    for (const QString& source : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(source, paperFont, &printer);
        layout.setTextOption(option);
        LayOut(layout, width);
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const qreal lineHeight = qMax(spacing, line.height());
            // A line that does not fit below the last starts the next page;
            // one taller than a page is printed all the same.
            if (y > 0 && y + lineHeight > height) {
                printer.newPage();
                y = 0;
            }
            line.draw(&painter, QPointF(0, y));
            y += lineHeight;
        }
    }
    return painter.end();
}

bool DateiDrucken(QWidget* owner, QPlainTextEdit* editor, const QString& titel)
{
    // A run may close or switch pages while the dialog waits; the page that
    // was asked for is printed, or nothing when it is gone.
    const QPointer<QPlainTextEdit> page = editor;
    if (!page)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs().GetPrinter(owner, printer) || !page)
        return false;
    printer.setDocName(titel);
    UseFullPrintableArea(printer);
    const QColor colour = page->palette().color(QPalette::Text);
    if (!DruckeText(printer, PageText(page), page->font(), colour, page->tabStopDistance())) {
        ShowError("Der Druckauftrag ist fehlgeschlagen.");
        return false;
    }
    return true;
}
