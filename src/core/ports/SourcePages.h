#pragma once
// The source pages port: the editor window as the translator and the
// interpreter see it. Pages are numbered from 0 in tab order; lines from 0.
#include <string>

class SourcePages {
public:
    virtual ~SourcePages() = default;
    virtual int PageCount() const = 0;
    virtual int SelectedPage() const = 0;       // -1 when there is no page
    virtual void SelectPage(int index) = 0;     // makes that page's control Editor
    virtual std::string PageName(int index) const = 0;  // caption: file name without folder and extension
    virtual std::string CurrentPageName() const = 0;
    // First page whose name equals name without regard to case; -1 if none.
    virtual int IndexOfPage(const std::string& name) const = 0;
    // Creates a page named name, loads the text file at path into it with the
    // cursor at the start and selects it. False when the file cannot be read
    // (the page may then exist, empty).
    virtual bool AddPage(const std::string& name, const std::string& path) = 0;
    // The lines of Editor (the selected page), each encoded in Windows-1252:
    // the scanner reads bytes.
    virtual int LineCount() const = 0;
    virtual std::string Line(int index) const = 0;
    // Selects one whole line of Editor.
    virtual void HighlightLine(int line) = 0;

    // What a run shows refers to the text as the translation read it. An
    // editor that lets the learner type during a pause carries those lines
    // to where they stand now; these defaults show them as they are.
    //
    // A translation read TranslatedPages without error.
    virtual void Translated() {}
    // Brings page to the front and selects the line of its translated text.
    virtual void ShowRunLine(int page, int line)
    {
        SelectPage(page);
        HighlightLine(line);
    }
    // The execution mark on a line of the translated text (page -1: none).
    // announce: tell assistive technology; never on a running program's ticks.
    virtual void ShowExecutionMark(int page, int line, bool announce) { (void)page; (void)line; (void)announce; }
};

// nullptr when no editor window exists yet.
SourcePages* sourcePages();
void setSourcePages(SourcePages* pages);
