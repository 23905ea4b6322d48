#pragma once
// The program pages as documents, after Qt's MDI example: opening, saving,
// closing, printing and the font of the pages of the editor window, the
// clipboard commands and find and replace in them are the pages' own work.
// The main window keeps the menu items and tool buttons and forwards their
// handlers here; it creates the editor window when the first page needs it.
#include <QObject>
#include <QString>
#include <functional>

#include "dialogs/FontDialog.h"

class QWidget;
class TFindDialog;
class TReplaceDialog;
class TZelkEdit;

class TProgramPages : public QObject {
    Q_OBJECT
public:
    // owner: the main window, parent of every box and dialog the commands
    // show, the find and replace dialogs among them. fileName: the main
    // window's FileName, the title of a print job, which opening and saving
    // keep current.
    TProgramPages(QWidget* owner, QString& fileName);

    // Makes the editor window in the main window's work area, hidden; the
    // main window, which creates every window, sets it. The first New or
    // Open calls it and shows the window once its first page is in.
    std::function<TZelkEdit*()> MakeEditorWindow;
    // nullptr before the first New or Open and after the window is gone.
    TZelkEdit* EditorWindow() const { return editorWindow; }
    bool HasPage() const;

    void New();  // a page "neu"
    void Open();  // asks for the file, then opens it
    // The confirmed Open without its dialog. A file that cannot be read
    // leaves its page empty and without a path, so that saving it asks for
    // a name instead of overwriting the file.
    void Open(const QString& path);
    bool Save();    // true when the text was written
    bool SaveAs();  // true when the text was written
    // Closes the current page, after asking about a modified one.
    void ClosePage();
    // At shut-down: asks about every modified page; false keeps the program.
    bool QueryClose();
    // The current page as one job titled FileName; nothing without a page.
    void Print();
    // The current page's font and colour from FontDialog1, which keeps the
    // font and colour last chosen in it.
    void ChooseFont();

    void Cut();
    void Copy();  // the current page's selection
    void Paste();

    void ShowFind();
    void FindAgain();  // the find dialog's text and options, unshown
    void ShowReplace();
    void FindNext();
    void ReplaceNext();

private:
    void MakeWindowIfNone(bool& made);
    bool SaveCurrentPageTo(const QString& path);

    QWidget* owner;
    QString& fileName;
    TZelkEdit* editorWindow = nullptr;
    TFindDialog* FindDialog1;
    TReplaceDialog* ReplaceDialog1;
    TFontDialog FontDialog1;
};
