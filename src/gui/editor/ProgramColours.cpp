#include "editor/ProgramColours.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <string>
#include <vector>

#include "editor/ReadableColours.h"
#include "language/ZelkKey.h"
#include "settings/ZelkSettings.h"

namespace {

enum CommentState { NoComment = 0, InBraces = 1, InParenStar = 2 };
enum class WordClass { Keyword, RobotWord, Comment, Number };

// Longer lines stay plain: no learner writes them, and a megabyte of one
// line would otherwise be scanned again at every blink of the caret.
constexpr int LongestColouredLine = 20000;

std::vector<TProgramColours*>& LivePages()
{
    static std::vector<TProgramColours*> pages;
    return pages;
}

constexpr int LongestKeyword()
{
    int longest = 0;
    for (const TRobotWord& w : RobotWords) {
        int n = 0;
        while (w.WithUnderscore[n])
            ++n;
        longest = std::max(longest, n);
    }
    return longest;
}

bool IsLetter(QChar c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(QChar c) { return c >= '0' && c <= '9'; }
bool IsWordChar(QChar c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// The commands and tests of the robot; every other keyword is the language's.
bool IsRobotWord(TTokenKind kind)
{
    if (TestNumber(kind) != KeinTest)
        return true;
    switch (kind) {
    case VOR: case DREHE_LINKS: case NIMM_AUF: case GIB_AB: case ABSCHALTEN: case ARBEITSFELD:
        return true;
    default:
        return false;
    }
}

// What the translator makes of the word text[from, to): a keyword, a robot
// word, or nothing to colour (false).
bool ClassOfWord(const QString& text, int from, int to, WordClass& wordClass)
{
    if (to - from > LongestKeyword())
        return false;
    std::string word;
    for (int i = from; i < to; ++i) {
        const char ch = char(text.at(i).unicode());  // a word holds ASCII only
        word += ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
    }
    TTokenKind kind = ERROR;
    if (!KeyTable.Lookup(word, kind))
        return false;
    wordClass = IsRobotWord(kind) ? WordClass::RobotWord : WordClass::Keyword;
    return true;
}

struct Span {
    int from, to;
    WordClass wordClass;
};

// From inside a comment at from: the position after its end, or the line's
// length when it goes on in the next line; state becomes NoComment at an end.
int CommentEnd(const QString& text, int from, int& state)
{
    const bool braces = state == InBraces;
    const int end = braces ? text.indexOf(QLatin1Char('}'), from) : text.indexOf(QLatin1String("*)"), from);
    if (end < 0)
        return int(text.size());
    state = NoComment;
    return end + (braces ? 1 : 2);
}

// One line from the comment state at its start: the state at its end, and
// with spans the coloured parts. "(*)" opens a comment and does not close it.
int ScanLine(const QString& text, int state, std::vector<Span>* spans)
{
    const int n = int(text.size());
    auto add = [spans](int from, int to, WordClass c) {
        if (spans && to > from)
            spans->push_back({from, to, c});
    };
    int i = 0;
    if (state != NoComment) {
        i = CommentEnd(text, 0, state);
        add(0, i, WordClass::Comment);
    }
    while (i < n) {
        const QChar c = text.at(i);
        const bool paren = c == '(' && i + 1 < n && text.at(i + 1) == '*';
        if (c == '{' || paren) {
            const int from = i;
            state = paren ? InParenStar : InBraces;
            i = CommentEnd(text, i + (paren ? 2 : 1), state);
            add(from, i, WordClass::Comment);
        } else if (IsLetter(c)) {
            const int from = i;
            while (i < n && IsWordChar(text.at(i)))
                ++i;
            WordClass wordClass;
            if (spans && ClassOfWord(text, from, i, wordClass))
                add(from, i, wordClass);
        } else if (IsWordChar(c)) {
            // Digits or an underscore cannot begin a word: the digits are a
            // number, and the rest is no word the translator would take.
            const int from = i;
            while (i < n && IsDigit(text.at(i)))
                ++i;
            add(from, i, WordClass::Number);
            while (i < n && IsWordChar(text.at(i)))
                ++i;
        } else {
            ++i;
        }
    }
    return state;
}

// The wanted hues, made readable on the page's background.
QTextCharFormat FormatOf(WordClass c, const QColor& background)
{
    QColor hue;
    switch (c) {
    case WordClass::Keyword: hue = QColor(0x00, 0x33, 0xB3); break;    // blue
    case WordClass::RobotWord: hue = QColor(0x87, 0x10, 0x94); break;  // purple
    case WordClass::Comment: hue = QColor(0x3F, 0x7F, 0x3F); break;    // green
    case WordClass::Number: hue = QColor(0xA0, 0x52, 0x2D); break;     // brown
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
        if (!merged.empty() && from == blanksFrom && merged.back().wordClass == s.wordClass)
            merged.back().to = s.to;
        else
            merged.push_back({merged.empty() ? from : s.from, s.to, s.wordClass});
    }
    spans = std::move(merged);
}

QList<QTextLayout::FormatRange> Formats(const std::vector<Span>& spans, const QColor& background)
{
    // Made again only for another background, not for every line.
    static QRgb madeFor = 0;
    static QTextCharFormat formats[4];
    if (formats[0].isEmpty() || madeFor != background.rgba()) {
        madeFor = background.rgba();
        for (int c = 0; c < 4; ++c)
            formats[c] = FormatOf(WordClass(c), background);
    }
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(spans.size()));
    for (const Span& s : spans)
        ranges.push_back({s.from, s.to - s.from, formats[int(s.wordClass)]});
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
    if (on)
        KeyTable.EnsureCurrent();
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
        std::vector<Span> spans;
        const QString text = line.text();
        ScanLine(text, StateAtStart(line), &spans);
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

int TProgramColours::StateAtStart(const QTextBlock& line)
{
    const int number = line.blockNumber();
    if (number == 0)
        return NoComment;
    LearnStatesBefore(number);
    return line.previous().userState();
}

void TProgramColours::LearnStatesBefore(int line)
{
    if (line <= statesKnownBefore)
        return;
    QTextBlock block = page->document()->findBlockByNumber(statesKnownBefore);
    int state = statesKnownBefore == 0 ? NoComment : block.previous().userState();
    for (int n = statesKnownBefore; n < line && block.isValid(); ++n, block = block.next()) {
        state = ScanLine(block.text(), state, nullptr);
        block.setUserState(state);
    }
    statesKnownBefore = line;
}

void RecolourProgramTexts()
{
    for (TProgramColours* colours : LivePages())
        colours->ColourVisibleLines();
}
