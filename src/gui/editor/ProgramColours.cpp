#include "editor/ProgramColours.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <string_view>
#include <vector>

#include "editor/ReadableColours.h"
#include "settings/ZelkSettings.h"

namespace {

// Longer lines stay plain: no learner writes them, and a megabyte of one
// line would otherwise be scanned again at every blink of the caret.
constexpr int LongestColouredLine = 20000;

std::vector<TProgramColours*>& LivePages()
{
    static std::vector<TProgramColours*> pages;
    return pages;
}

// A coloured part of a line, in QString positions.
struct Span {
    int from, to;
    TLexKind kind;
};

bool IsColoured(TLexKind kind) { return kind != TLexKind::Identifier; }

// The line as the scanner's rules read it in the editor: its UTF-16 units,
// whose columns are the line's own positions.
std::u16string_view Utf16(const QString& text)
{
    return std::u16string_view(QStringView(text).utf16(), std::size_t(text.size()));
}

// The wanted hues, made readable on the page's background.
QTextCharFormat FormatOf(TLexKind kind, const QColor& background)
{
    QColor hue;
    switch (kind) {
    case TLexKind::Keyword: hue = QColor(0x00, 0x33, 0xB3); break;    // blue
    case TLexKind::RobotWord: hue = QColor(0x87, 0x10, 0x94); break;  // purple
    case TLexKind::Comment: hue = QColor(0x3F, 0x7F, 0x3F); break;    // green
    case TLexKind::Number: hue = QColor(0xA0, 0x52, 0x2D); break;     // brown
    case TLexKind::Identifier: return QTextCharFormat();  // plain
    }
    QTextCharFormat format;
    format.setForeground(Readable(hue, background, TextContrast));
    return format;
}

bool IsBlank(QChar c) { return c == ' ' || c == '\t'; }

// Qt shapes a line piece by piece, a piece ending wherever a colour begins
// or ends, and every piece costs. Blanks show no colour, so a span takes the
// blanks around it, and spans of one colour with only blanks between them
// become one: "    WHILE VORNE_FREI DO BEGIN" is three pieces, not eight.
void Merge(const QString& text, std::vector<Span>& spans)
{
    const int n = int(text.size());
    std::vector<Span> merged;
    for (Span s : spans) {
        while (s.to < n && IsBlank(text.at(s.to)))
            ++s.to;
        const int blanksFrom = merged.empty() ? 0 : merged.back().to;
        int from = s.from;
        while (from > blanksFrom && IsBlank(text.at(from - 1)))
            --from;
        if (!merged.empty() && from == blanksFrom && merged.back().kind == s.kind)
            merged.back().to = s.to;
        else
            merged.push_back({merged.empty() ? from : s.from, s.to, s.kind});
    }
    spans = std::move(merged);
}

QList<QTextLayout::FormatRange> Formats(const std::vector<Span>& spans, const QColor& background)
{
    // Made again only for another background, not for every line.
    static QRgb madeFor = 0;
    static QTextCharFormat formats[int(TLexKind::Comment) + 1];
    if (formats[0].isEmpty() || madeFor != background.rgba()) {
        madeFor = background.rgba();
        for (int k = 0; k <= int(TLexKind::Comment); ++k)
            formats[k] = FormatOf(TLexKind(k), background);
    }
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(spans.size()));
    for (const Span& s : spans)
        ranges.push_back({s.from, s.to - s.from, formats[int(s.kind)]});
    return ranges;
}

}  // namespace

TProgramColours::TProgramColours(QPlainTextEdit* page) : QObject(page), page(page)
{
    LivePages().push_back(this);
    page->viewport()->installEventFilter(this);
    connect(page->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int) { TextChanged(position); });
}

TProgramColours::~TProgramColours()
{
    auto& pages = LivePages();
    pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
}

bool TProgramColours::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == page->viewport())
        ColourVisibleLines();
    return QObject::eventFilter(watched, event);
}

void TProgramColours::TextChanged(int position)
{
    statesKnownBefore = std::min(statesKnownBefore, page->document()->findBlock(position).blockNumber());
}

void TProgramColours::ColourVisibleLines()
{
    const bool on = Syntaxfarben;
    const QAbstractTextDocumentLayout* layout = page->document()->documentLayout();
    const qreal height = page->viewport()->height();
    qreal y = 0;
    for (QTextBlock line = page->cursorForPosition(QPoint(0, 0)).block(); line.isValid() && y <= height;
         line = line.next()) {
        y += layout->blockBoundingRect(line).height();
        ColourLine(line, on);
    }
}

void TProgramColours::ColourLine(const QTextBlock& line, bool on)
{
    QTextLayout* layout = line.layout();
    // Typing through an input method shows its own marks in the line.
    if (!layout || !layout->preeditAreaText().isEmpty())
        return;
    QList<QTextLayout::FormatRange> wanted;
    if (on && line.length() <= LongestColouredLine) {
        const QString text = line.text();
        LexLine(Utf16(text), StateAtStart(line), &lexed);
        std::vector<Span> spans;
        for (const TLexSpan& s : lexed)
            if (IsColoured(s.Kind))
                spans.push_back({s.Start, s.Start + s.Length, s.Kind});
        Merge(text, spans);
        wanted = Formats(spans, page->palette().color(QPalette::Base));
    }
    if (layout->formats() == wanted)
        return;
    layout->setFormats(wanted);
    // Lays the line out again with its colours, as the document does after
    // any change, but without counting as one.
    page->document()->markContentsDirty(line.position(), line.length());
}

TCommentState TProgramColours::StateAtStart(const QTextBlock& line)
{
    const int number = line.blockNumber();
    if (number == 0)
        return TCommentState::None;
    LearnStatesBefore(number);
    return TCommentState(line.previous().userState());
}

void TProgramColours::LearnStatesBefore(int line)
{
    if (line <= statesKnownBefore)
        return;
    QTextBlock block = page->document()->findBlockByNumber(statesKnownBefore);
    TCommentState state =
        statesKnownBefore == 0 ? TCommentState::None : TCommentState(block.previous().userState());
    for (int n = statesKnownBefore; n < line && block.isValid(); ++n, block = block.next()) {
        state = LexLine(Utf16(block.text()), state, nullptr);
        block.setUserState(int(state));
    }
    statesKnownBefore = line;
}

void RecolourProgramTexts()
{
    for (TProgramColours* colours : LivePages())
        colours->ColourVisibleLines();
}
