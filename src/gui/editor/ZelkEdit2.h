#pragma once
// The editor window "ZelkEdit": one MDI child with a row of tabs, one page
// per open program text, each page its own plain-text edit control. The
// translator reads the pages through the SourcePages port; the main window's
// file commands load and save them.
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QString>
#include <QTabWidget>
#include <QTextCursor>
#include <map>
#include <vector>

#include "editor/LineGutter.h"
#include "editor/TextFile.h"
#include "ports/SourcePages.h"

class QStatusBar;
class QKeyEvent;
class QTextDocument;

// One page's edit control, with what the page knows about its file; line
// numbers, breakpoints and colours come with it.
class TZelkPage : public TGutterEdit {
    Q_OBJECT
public:
    explicit TZelkPage(QWidget* parent = nullptr);
    QString FilePath;                                // full path; empty for a page never saved
    TextEncoding Encoding = TextEncoding::Windows1252;  // the file's encoding, kept on saving
    int Fontcharset = 0;                             // kept with the font, no effect on Qt fonts

    // The page's font, text colour and character set (0..255, else 0): from
    // the settings when the page is made, from the font command afterwards.
    void SetPageFont(const QFont& font, const QColor& colour, int charset);

    // The lines of the text as the last translation read it, carried to
    // where they stand now while the learner types during a pause: a line
    // put above moves them down, and the lines of a deleted line stand where
    // the deletion was.
    void KeepTranslatedLines(const std::vector<int>& lines);
    void ForgetTranslatedLines() { translated_.clear(); }
    // Where translated line stands now; a line not kept stays as it is.
    int LineNow(int translatedLine) const;
    // The kept translated lines whose line now holds a breakpoint; without
    // a translation, the breakpoints' own lines.
    std::vector<int> TranslatedBreakpointLines() const;

private:
    std::map<int, QTextCursor> translated_;
};

// The tab control whose tabs are exactly TabHeight pixels high.
class TZelkTabControl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int TabHeight = 20;
    explicit TZelkTabControl(QWidget* parent = nullptr);

signals:
    // A page came or went.
    void SeitenGeaendert();

protected:
    void tabInserted(int index) override;
    void tabRemoved(int index) override;
};

// Where the editor window goes in the MDI area.
struct EditWindowPlace {
    int left, top, width, height;
};
// The "edit_" entries of section "Fenster", with their defaults derived from
// the main window's size. A settings store replaces this one function.
EditWindowPlace ReadEditWindowPlace(QSize mainSize);

// Page name of a file: its name without folder and extension, lower case
// with the first letter upper case, changing only the letters A-Z and a-z.
QString PageNameFromPath(const QString& path);
QString PageNameFromName(const QString& name);

class TZelkEdit : public QMdiSubWindow, public SourcePages {
    Q_OBJECT
public:
    explicit TZelkEdit(QWidget* parent = nullptr);
    ~TZelkEdit() override;

    // The selected page's edit control, or nullptr without a page.
    TZelkPage* Editor() const;
    TZelkPage* PageEditor(int index) const;
    // The index of a page's edit control; -1 when it is no page of this window.
    int PageIndex(const TZelkPage* page) const;

    // Page operations.
    void AddPage(const QString& name);
    void RenameCurrentPage(const QString& name);
    void CloseCurrentPage();
    bool IsModified() const;
    QString PageCaption(int index) const;
    QString CurrentPageCaption() const;
    QString CurrentPagePath() const;
    bool PageModified(int index) const;
    QString PagePath(int index) const;

    // File commands of the main window. LoadFile adds a page named after the
    // file; when the file cannot be read the page stays, empty and without
    // a path, so that saving it asks for a name instead of overwriting the
    // file. SaveCurrentPage writes the selected page to path, clears its
    // modified flag, and on a new path remembers it and renames the page.
    bool LoadFile(const QString& path, QString* error = nullptr);
    bool SaveCurrentPage(const QString& path, QString* error = nullptr);

    // SourcePages, the translator's view.
    int PageCount() const override;
    int SelectedPage() const override;
    void SelectPage(int index) override;
    std::string PageName(int index) const override;
    std::string CurrentPageName() const override;
    int IndexOfPage(const std::string& name) const override;
    bool AddPage(const std::string& name, const std::string& path) override;
    int LineCount() const override;
    std::string Line(int index) const override;
    void HighlightLine(int line) override;
    // What a run shows, on the lines of the text as it was translated.
    void Translated() override;
    void ShowRunLine(int page, int line) override;
    void ShowExecutionMark(int page, int line, bool announce) override;

    // Breakpoints, marks on the lines of a page (lines from 0) that move with
    // their lines; never saved. The run control asks HasBreakpoint at every
    // step, or keeps BreakpointLines until BreakpointsChanged.
    void ToggleBreakpoint();  // on the caret's line of the current page
    void ToggleBreakpoint(int page, int line);
    bool HasBreakpoint(int page, int line) const;
    std::vector<int> BreakpointLines(int page) const;
    // The breakpoints of a page as lines of its translated text, the lines
    // a run pauses at.
    std::vector<int> TranslatedBreakpointLines(int page) const;

    // The execution mark, the arrow in the gutter on the line where a run
    // stands (page and line from 0): on that page's line, and off every
    // other page; page -1 takes it off everywhere. With announce a screen
    // reader hears "Ausführung hält in Zeile N"; the ticks of a running
    // program pass false. Each page's own: TGutterEdit::ExecutionMark().
    void SetExecutionMark(int page, int line, bool announce);
    void ClearExecutionMark();

signals:
    // A page came or went: the commands that need a page follow.
    void SeitenGeaendert();
    // A breakpoint was set or removed, lines moved under breakpoints, or a
    // page was closed, which renumbers the pages after it.
    void BreakpointsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void TabControl1Change(int index);

private:
    // Place from the settings, applied once when the window is first shown
    // in an MDI area.
    void ApplyWindowPlace();
    static void DescribePage(QWidget* page, const QString& name);
    // Key handlers of every page's edit control; true when the key was
    // handled here and the control must not see it.
    bool EditorKeyPress(TZelkPage* editor, QKeyEvent* event);
    void EditorKeyUp(TZelkPage* editor, QKeyEvent* event);
    void ShowSelectedPage();
    bool LoadInto(TZelkPage* page, const QString& path, QString* error);
    void ForgetLineCache() const;
    // After a translation a breakpoint stands on a line where a run can
    // pause: one on a line without an instruction's word moves to the next
    // such line of its page, and goes where none follows.
    void MoveBreakpointsToStopLines(int page);

    TZelkTabControl* TabControl1;
    QStatusBar* StatusBar1;
    bool placed_ = false;
    // An Enter press has typed a line break since the last release of Enter.
    bool enterTyped_ = false;
    // The last line handed to the scanner: it asks for the same line once
    // per character, and encoding it anew each time would make a long line
    // cost its length squared.
    mutable const QTextDocument* cachedDoc_ = nullptr;
    mutable int cachedRevision_ = -1;
    mutable int cachedIndex_ = -1;
    mutable std::string cachedLine_;
};

// Set while a page switch is under way; a selection asked for meanwhile is
// ignored.
extern bool PageSwitching;

// The text of an edit control with '\n' between its lines, every character
// as it stands (QPlainTextEdit::toPlainText turns no-break spaces into
// blanks).
QString PageText(const QPlainTextEdit* editor);
