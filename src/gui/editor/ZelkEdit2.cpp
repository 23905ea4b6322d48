#include "editor/ZelkEdit2.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFile>
#include <QKeyEvent>
#include <QMdiArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "platform/Colors.h"
#include "editor/BreakpointMarks.h"
#include "editor/EditPositions.h"
#include "editor/ProgramColours.h"
#include "execution/Breakpoints.h"
#include "execution/ZelkCode.h"
#include "platform/Einstellungen.h"
#include "platform/Hints.h"
#include "settings/ZelkSettings.h"
#include "text/AsciiNames.h"

bool PageSwitching = false;

namespace {

// Marks a page switch for its whole duration, even when it is left early.
class PageSwitchGuard {
public:
    PageSwitchGuard() : old_(PageSwitching) { PageSwitching = true; }
    ~PageSwitchGuard() { PageSwitching = old_; }
    PageSwitchGuard(const PageSwitchGuard&) = delete;
    PageSwitchGuard& operator=(const PageSwitchGuard&) = delete;

private:
    bool old_;
};

class FixedHeightTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        return QSize(QTabBar::tabSizeHint(index).width(), TZelkTabControl::TabHeight);
    }
    QSize minimumTabSizeHint(int index) const override
    {
        return QSize(QTabBar::minimumTabSizeHint(index).width(), TZelkTabControl::TabHeight);
    }
};

// A '&' in a tab text would mark an access key instead of showing itself.
QString TabText(const QString& name)
{
    QString text = name;
    return text.replace(QChar('&'), QStringLiteral("&&"));
}

// The settings give the height in pixels; negative and positive both.
int PixelHeight(std::int32_t height)
{
    const long long h = std::llabs(static_cast<long long>(height));
    return h == 0 ? 13 : static_cast<int>(std::min<long long>(h, 500));
}

QFont FontFromSettings()
{
    QFont font(QString::fromStdString(Fontname));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(PixelHeight(Fontheight));
    return font;
}

void ApplySettingsFont(TZelkPage* page)
{
    page->SetPageFont(FontFromSettings(), ToQColor(Fontcolor), Fontcharset);
    QPalette palette = page->palette();
    // Single steps select the executing line while the editor is disabled;
    // it must stay as visible as a selection in a focused editor.
    for (auto group : {QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(group, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
    }
    page->setPalette(palette);
}

bool IsEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Shift+Tab comes as Backtab, without text; it types a tab all the same.
bool IsTabKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

// Alt or the Windows key with a character is a command; when no menu took it
// as its access key it reaches the editor, which would type the character.
// AltGr still types: Qt reports it as the group switch, or as Ctrl+Alt where
// the keyboard sends that.
bool IsUnusedCommandCharacter(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers m = event->modifiers();
    if (!(m & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    if (m & (Qt::GroupSwitchModifier | Qt::ControlModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

QString LeadingBlanks(const QString& line)
{
    int n = 0;
    while (n < line.size() && (line.at(n) == QChar(' ') || line.at(n) == QChar('\t')))
        ++n;
    return line.left(n);
}

}  // namespace

// --- pages and tabs ---------------------------------------------------------

TZelkPage::TZelkPage(QWidget* parent) : TGutterEdit(parent)
{
    new TProgramColours(this);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    ApplySettingsFont(this);
}

void TZelkPage::SetPageFont(const QFont& font, const QColor& colour, int charset)
{
    Fontcharset = charset >= 0 && charset <= 255 ? charset : 0;
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, colour);
    setPalette(palette);
}

TZelkTabControl::TZelkTabControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedHeightTabBar(this));
}

void TZelkTabControl::tabInserted(int index)
{
    QTabWidget::tabInserted(index);
    emit SeitenGeaendert();
}

void TZelkTabControl::tabRemoved(int index)
{
    QTabWidget::tabRemoved(index);
    emit SeitenGeaendert();
}

EditWindowPlace ReadEditWindowPlace(QSize mainSize)
{
    // The default place keeps the default size clear of the main window's
    // right edge and bottom. Qt has no platform default size for a new MDI
    // child (an empty window's size hint is a few pixels, which would push
    // the window out of the main window), so the default size is the one
    // the window gets here.
    // The keys "edit_left", "edit_top", "edit_width", "edit_height".
    const int width = 500;
    const int height = mainSize.height() - 130;
    const QRect p = GelesenerPlatz(
        PlaceOf::Editor, QRect(mainSize.width() - width - 30, mainSize.height() - height - 110, width, height));
    EditWindowPlace place;
    place.width = p.width();
    place.height = p.height();
    place.left = p.left();
    place.top = p.top();
    return place;
}

QString PageNameFromName(const QString& name)
{
    return QString::fromStdString(PageNameOf(name.toStdString()));
}

QString PageNameFromPath(const QString& path)
{
    return PageNameFromName(QFileInfo(path).completeBaseName());
}

QString PageText(const QPlainTextEdit* editor) { return JoinedLines(editor, QStringLiteral("\n")); }

// --- the window --------------------------------------------------------------

TZelkEdit::TZelkEdit(QWidget* parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowTitle(QStringLiteral("ZelkEdit"));
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    TabControl1 = new TZelkTabControl(client);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    layout->addWidget(TabControl1, 1);
    layout->addWidget(StatusBar1);
    setWidget(client);

    connect(TabControl1, &QTabWidget::currentChanged, this, &TZelkEdit::TabControl1Change);
    connect(TabControl1, &TZelkTabControl::SeitenGeaendert, this, &TZelkEdit::SeitenGeaendert);
}

TZelkEdit::~TZelkEdit()
{
    // The pages go with the tab control after this window is no TZelkEdit
    // any more: nobody may hear of them then.
    TabControl1->disconnect(this);
    for (int i = 0; i < PageCount(); ++i) {
        PageEditor(i)->removeEventFilter(this);
        PageEditor(i)->document()->disconnect(this);
        PageEditor(i)->Breakpoints()->disconnect(this);
    }
    if (sourcePages() == this)
        setSourcePages(nullptr);
}

TZelkPage* TZelkEdit::Editor() const
{
    return qobject_cast<TZelkPage*>(TabControl1->currentWidget());
}

TZelkPage* TZelkEdit::PageEditor(int index) const
{
    return qobject_cast<TZelkPage*>(TabControl1->widget(index));
}

// A screen reader names a page as its tab does.
void TZelkEdit::DescribePage(QWidget* page, const QString& name)
{
    Describe(page, QStringLiteral("Programmtext der Seite ") + name, name);
}

void TZelkEdit::AddPage(const QString& name)
{
    PageSwitchGuard guard;
    auto* page = new TZelkPage(TabControl1);
    page->installEventFilter(this);
    connect(page->document(), &QTextDocument::contentsChanged, this, [this] { ForgetLineCache(); });
    connect(page->Breakpoints(), &TBreakpointMarks::Changed, this, &TZelkEdit::BreakpointsChanged);
    const int index = TabControl1->addTab(page, TabText(name));
    TabControl1->tabBar()->setTabData(index, name);
    DescribePage(page, name);
    TabControl1->setCurrentIndex(index);
    ShowSelectedPage();
}

void TZelkEdit::RenameCurrentPage(const QString& name)
{
    const int index = TabControl1->currentIndex();
    if (index < 0)
        return;
    TabControl1->setTabText(index, TabText(name));
    TabControl1->tabBar()->setTabData(index, name);
    DescribePage(TabControl1->widget(index), name);
}

void TZelkEdit::CloseCurrentPage()
{
    const int index = TabControl1->currentIndex();
    if (index < 0)
        return;
    PageSwitchGuard guard;
    QWidget* page = TabControl1->widget(index);
    TabControl1->removeTab(index);
    delete page;
    ForgetLineCache();
    emit BreakpointsChanged();  // gone with the page, and the pages after it renumbered
    if (TabControl1->count() > 0)
        TabControl1->setCurrentIndex(index > 0 ? index - 1 : 0);
    ShowSelectedPage();
}

bool TZelkEdit::IsModified() const
{
    const TZelkPage* editor = Editor();
    return editor && editor->document()->isModified();
}

QString TZelkEdit::PageCaption(int index) const
{
    return index >= 0 && index < PageCount() ? TabControl1->tabBar()->tabData(index).toString() : QString();
}

QString TZelkEdit::CurrentPageCaption() const { return PageCaption(SelectedPage()); }

QString TZelkEdit::CurrentPagePath() const { return PagePath(SelectedPage()); }

bool TZelkEdit::PageModified(int index) const
{
    const TZelkPage* page = PageEditor(index);
    return page && page->document()->isModified();
}

QString TZelkEdit::PagePath(int index) const
{
    const TZelkPage* page = PageEditor(index);
    return page ? page->FilePath : QString();
}

void TZelkEdit::TabControl1Change(int index)
{
    (void)index;
    if (PageSwitching)
        return;
    PageSwitchGuard guard;
    ShowSelectedPage();
}

void TZelkEdit::ShowSelectedPage()
{
    // Editor is the selected tab's control before anything else happens, so
    // it is right even when the focus cannot be given.
    TZelkPage* editor = Editor();
    if (!editor)
        return;
    editor->raise();
    editor->setFocus();
}

// --- files ---------------------------------------------------------------------

bool TZelkEdit::LoadInto(TZelkPage* page, const QString& path, QString* error)
{
    const TextFileResult file = ReadTextFile(path);
    if (!file.ok) {
        if (error)
            *error = file.error;
        return false;
    }
    page->SetWholeText(file.text);
    page->moveCursor(QTextCursor::Start);
    page->document()->setModified(false);
    page->FilePath = QFileInfo(path).absoluteFilePath();
    page->Encoding = file.encoding;
    return true;
}

bool TZelkEdit::LoadFile(const QString& path, QString* error)
{
    AddPage(PageNameFromPath(path));
    return LoadInto(Editor(), path, error);
}

bool TZelkEdit::SaveCurrentPage(const QString& path, QString* error)
{
    TZelkPage* page = Editor();
    if (!page) {
        if (error)
            *error = QStringLiteral("Keine Seite geöffnet.");
        return false;
    }
    TextEncoding encoding = page->Encoding;
    if (!WriteTextFile(path, PageText(page), &encoding, error))
        return false;
    page->Encoding = encoding;
    page->document()->setModified(false);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute != page->FilePath) {
        page->FilePath = absolute;
        RenameCurrentPage(PageNameFromPath(path));
    }
    return true;
}

// --- window place and frame ----------------------------------------------------

void TZelkEdit::ApplyWindowPlace()
{
    placed_ = true;
    const QWidget* main = mdiArea() ? mdiArea()->window() : nullptr;
    if (!main)
        return;
    const EditWindowPlace place = ReadEditWindowPlace(main->size());
    // Width, height, left, top; a place left of or above the MDI area would
    // leave the window out of reach.
    resize(place.width, place.height);
    move(std::max(0, place.left), std::max(0, place.top));
}

void TZelkEdit::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    if (!placed_ && mdiArea())
        ApplyWindowPlace();
}

void TZelkEdit::closeEvent(QCloseEvent* event)
{
    // The window lives as long as the program; its frame only minimises it.
    event->ignore();
    showMinimized();
}

// --- SourcePages -------------------------------------------------------------------

int TZelkEdit::PageIndex(const TZelkPage* page) const
{
    return TabControl1->indexOf(const_cast<TZelkPage*>(page));
}

int TZelkEdit::PageCount() const { return TabControl1->count(); }

int TZelkEdit::SelectedPage() const { return TabControl1->currentIndex(); }

void TZelkEdit::SelectPage(int index)
{
    if (PageSwitching || index < 0 || index >= PageCount())
        return;
    PageSwitchGuard guard;
    TabControl1->setCurrentIndex(index);
    ShowSelectedPage();
}

std::string TZelkEdit::PageName(int index) const { return PageCaption(index).toStdString(); }

std::string TZelkEdit::CurrentPageName() const { return CurrentPageCaption().toStdString(); }

int TZelkEdit::IndexOfPage(const std::string& name) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (EqualIgnoringAsciiCase(PageName(i), name))
            return i;
    return -1;
}

bool TZelkEdit::AddPage(const std::string& name, const std::string& path)
{
    const int before = SelectedPage();
    AddPage(QString::fromStdString(name));
    if (LoadInto(Editor(), QFile::decodeName(QByteArray::fromStdString(path)), nullptr))
        return true;
    // An empty page of the unit's name would stand in for the unit in every
    // later translation, and saving it would overwrite the unreadable file.
    CloseCurrentPage();
    if (before >= 0)
        SelectPage(before);
    return false;
}

int TZelkEdit::LineCount() const
{
    const TZelkPage* editor = Editor();
    return editor ? editor->document()->blockCount() : 0;
}

std::string TZelkEdit::Line(int index) const
{
    const TZelkPage* editor = Editor();
    if (!editor || index < 0 || index >= LineCount())
        return std::string();
    const QTextDocument* doc = editor->document();
    if (doc != cachedDoc_ || index != cachedIndex_) {
        cachedLine_ = ToWindows1252(doc->findBlockByNumber(index).text());
        cachedDoc_ = doc;
        cachedIndex_ = index;
    }
    return cachedLine_;
}

void TZelkEdit::ForgetLineCache() const
{
    cachedDoc_ = nullptr;
    cachedIndex_ = -1;
    cachedLine_.clear();
}

void TZelkEdit::HighlightLine(int line)
{
    TZelkPage* editor = Editor();
    if (!editor)
        return;
    const QTextDocument* doc = editor->document();
    const QTextBlock block = doc->findBlockByNumber(std::clamp(line, 0, doc->blockCount() - 1));
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

// --- what a run shows ---------------------------------------------------------------

void TZelkPage::KeepTranslatedLines(const std::vector<int>& lines)
{
    translated_.clear();
    QTextDocument* doc = document();
    for (const int line : lines) {
        const QTextBlock block = doc->findBlockByNumber(line);
        if (block.isValid())
            translated_.emplace(line, QTextCursor(block));
    }
}

int TZelkPage::LineNow(int translatedLine) const
{
    const auto it = translated_.find(translatedLine);
    return it == translated_.end() ? translatedLine : it->second.blockNumber();
}

std::vector<int> TZelkPage::TranslatedBreakpointLines() const
{
    if (translated_.empty())
        return Breakpoints()->Lines();
    std::vector<int> lines;
    for (const auto& [line, cursor] : translated_)
        if (Breakpoints()->AtLine(cursor.blockNumber()))
            lines.push_back(line);
    return lines;
}

void TZelkEdit::Translated()
{
    std::vector<std::vector<int>> lines(static_cast<std::size_t>(PageCount()));
    for (int i = 0; i < CodeCount; ++i) {
        const TInstruction& instruction = Code[i];
        if (instruction.Page < 0 || instruction.Page >= PageCount())
            continue;
        lines[std::size_t(instruction.Page)].push_back(instruction.Line);
        if (instruction.WordLine >= 0)
            lines[std::size_t(instruction.Page)].push_back(instruction.WordLine);
    }
    for (int page = 0; page < PageCount(); ++page)
        PageEditor(page)->ForgetTranslatedLines();
    for (const int page : TranslatedPages) {
        if (page < 0 || page >= PageCount())
            continue;
        PageEditor(page)->KeepTranslatedLines(lines[std::size_t(page)]);
        MoveBreakpointsToStopLines(page);
    }
}

void TZelkEdit::MoveBreakpointsToStopLines(int page)
{
    TZelkPage* editor = PageEditor(page);
    TBreakpointMarks* breakpoints = editor->Breakpoints();
    const std::vector<int> stopLines = StopLines(page);
    QTextDocument* doc = editor->document();
    for (const int line : breakpoints->Lines()) {
        const int target = StopLineFrom(stopLines, line);
        if (target == line)
            continue;
        breakpoints->Toggle(doc->findBlockByNumber(line));
        if (target >= 0 && !breakpoints->AtLine(target))
            breakpoints->Toggle(doc->findBlockByNumber(target));
    }
}

void TZelkEdit::ShowRunLine(int page, int line)
{
    TZelkPage* editor = PageEditor(page);
    if (!editor)
        return;
    SelectPage(page);
    HighlightLine(editor->LineNow(line));
}

void TZelkEdit::ShowExecutionMark(int page, int line, bool announce)
{
    const TZelkPage* editor = PageEditor(page);
    if (!editor) {
        ClearExecutionMark();
        return;
    }
    SetExecutionMark(page, editor->LineNow(line), announce);
}

// --- breakpoints ---------------------------------------------------------------------

void TZelkEdit::ToggleBreakpoint()
{
    if (TZelkPage* page = Editor())
        page->ToggleBreakpoint(page->textCursor().blockNumber());
}

void TZelkEdit::ToggleBreakpoint(int page, int line)
{
    if (TZelkPage* editor = PageEditor(page))
        editor->ToggleBreakpoint(line);
}

bool TZelkEdit::HasBreakpoint(int page, int line) const
{
    const TZelkPage* editor = PageEditor(page);
    return editor && editor->Breakpoints()->AtLine(line);
}

std::vector<int> TZelkEdit::BreakpointLines(int page) const
{
    const TZelkPage* editor = PageEditor(page);
    return editor ? editor->Breakpoints()->Lines() : std::vector<int>();
}

std::vector<int> TZelkEdit::TranslatedBreakpointLines(int page) const
{
    const TZelkPage* editor = PageEditor(page);
    return editor ? editor->TranslatedBreakpointLines() : std::vector<int>();
}

void TZelkEdit::SetExecutionMark(int page, int line, bool announce)
{
    for (int i = 0; i < PageCount(); ++i)
        PageEditor(i)->SetExecutionMark(i == page ? line : -1, announce && i == page);
}

void TZelkEdit::ClearExecutionMark() { SetExecutionMark(-1, -1, false); }

// --- keys ----------------------------------------------------------------------------

bool TZelkEdit::eventFilter(QObject* watched, QEvent* event)
{
    auto* page = qobject_cast<TZelkPage*>(watched);
    if (page && event->type() == QEvent::KeyPress)
        return EditorKeyPress(page, static_cast<QKeyEvent*>(event));
    if (page && event->type() == QEvent::KeyRelease)
        EditorKeyUp(page, static_cast<QKeyEvent*>(event));
    return QMdiSubWindow::eventFilter(watched, event);
}

bool TZelkEdit::EditorKeyPress(TZelkPage* editor, QKeyEvent* event)
{
    if (editor->isReadOnly())
        return false;
    if (IsUnusedCommandCharacter(event))
        return true;
    const bool commandKey = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (IsTabKey(event) && !commandKey) {
        if (Tabset == -1 && event->key() == Qt::Key_Tab)
            return false;  // the control inserts the tab character itself
        editor->insertPlainText(Tabset == -1 ? QStringLiteral("\t")
                                             : QString(std::max(0, int(Tabset)), QChar(' ')));
        return true;
    }
    if (IsEnterKey(event) && !commandKey) {
        enterTyped_ = true;
        // Shift+Enter would put a line separator inside a line, which the
        // scanner cannot read and the file would not keep; make it a line break.
        if (event->modifiers() & Qt::ShiftModifier) {
            editor->insertPlainText(QStringLiteral("\n"));
            return true;
        }
    }
    return false;
}

void TZelkEdit::EditorKeyUp(TZelkPage* editor, QKeyEvent* event)
{
    // A held Enter repeats press and release; only the real release indents.
    if (!IsEnterKey(event) || event->isAutoRepeat())
        return;
    // Only after a line break typed with this key: Enter with Ctrl or Alt
    // types none, and indenting then would put blanks inside the line.
    const bool lineBreakTyped = enterTyped_;
    enterTyped_ = false;
    if (!lineBreakTyped || !Autoindent || editor->isReadOnly())
        return;
    const QTextCursor cursor = editor->textCursor();
    const QTextBlock block = cursor.block();
    const int column = cursor.positionInBlock();
    // The line before the caret up to the character before the line break:
    // at a line start the whole previous line, otherwise this line up to two
    // characters before the caret (the break would have been those two).
    QString before;
    if (column == 0)
        before = block.previous().isValid() ? block.previous().text() : QString();
    else
        before = block.text().left(std::max(0, column - 2));
    const QString indent = LeadingBlanks(before);
    if (!indent.isEmpty())
        editor->insertPlainText(indent);
}
