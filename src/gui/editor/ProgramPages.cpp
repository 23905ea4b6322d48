#include "editor/ProgramPages.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "editor/Search.h"
#include "editor/ZelkDruck.h"
#include "editor/ZelkEdit2.h"
#include "platform/Colors.h"
#include "platform/DialogService.h"
#include "ports/Messages.h"
#include "text/ProgramFile.h"

namespace {

// The filter of the file dialogs, in the program's own notation.
const QString ProgramFilter =
    QStringLiteral("Programmdateien (*.PAS) |*.PAS|Alle Dateien (*.*)|*.*");

// Names the file, and below it the reason when one is known.
void ShowFileError(const QString& path, bool writing, const QString& reason)
{
    const std::string text = FileFailureText(QDir::toNativeSeparators(path).toStdString(), writing,
                                             reason.toStdString());
    ShowError(text);
}

// A run that selects its lines brings the page of each line to the front at
// every tick, also while a box or a file dialog waits for the user. A
// command that asked about one page selects it again before acting on it;
// false when that page is gone.
bool BackToPage(TZelkEdit* editorWindow, const QPointer<TZelkPage>& page)
{
    if (!page || !editorWindow)
        return false;
    const int index = editorWindow->PageIndex(page);
    if (index < 0)
        return false;
    if (editorWindow->SelectedPage() != index)
        editorWindow->SelectPage(index);
    return editorWindow->Editor() == page;
}

// The dialogs stay open beside the editor until the user closes them.
void ShowModeless(QWidget* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

MsgAnswer AskToSave()
{
    return messages().Show(MsgIcon::Warning, "Warning", "Text wurde geändert. Speichern?",
                           MsgButtons::YesNoCancel);
}

}  // namespace

TProgramPages::TProgramPages(QWidget* owner, QString& fileName)
    : QObject(owner), owner(owner), fileName(fileName),
      FontDialog1(10)  // Courier New 10, 13 pixels on a common screen
{
    FindDialog1 = new TFindDialog(owner);
    connect(FindDialog1, &TFindDialog::Find, this, [this] { FindNext(); });
    ReplaceDialog1 = new TReplaceDialog(owner);
    connect(ReplaceDialog1, &TReplaceDialog::Replace, this, [this] { ReplaceNext(); });
}

bool TProgramPages::HasPage() const { return editorWindow && editorWindow->PageCount() > 0; }

void TProgramPages::MakeWindowIfNone(bool& made)
{
    made = !editorWindow;
    if (!made)
        return;
    editorWindow = MakeEditorWindow();
    connect(editorWindow, &QObject::destroyed, this, [this] { editorWindow = nullptr; });
}

// ------------------------------------------------------- program files

void TProgramPages::New()
{
    bool made = false;
    MakeWindowIfNone(made);
    editorWindow->AddPage(QStringLiteral("neu"));
    if (made)
        editorWindow->show();
}

void TProgramPages::Open()
{
    const QString path =
        dialogs().GetOpenFileName(owner, QString(), ProgramFilter, QDir::currentPath());
    if (!path.isEmpty())
        Open(path);
}

void TProgramPages::Open(const QString& path)
{
    QDir::setCurrent(QFileInfo(path).absolutePath());
    bool made = false;
    MakeWindowIfNone(made);
    fileName = QFileInfo(path).absoluteFilePath();
    QString reason;
    if (!editorWindow->LoadFile(fileName, &reason))
        ShowFileError(fileName, false, reason);
    if (made)
        editorWindow->show();
}

bool TProgramPages::SaveCurrentPageTo(const QString& path)
{
    QString reason;
    if (!editorWindow->SaveCurrentPage(path, &reason)) {
        ShowFileError(path, true, reason);
        return false;
    }
    fileName = path;
    return true;
}

bool TProgramPages::Save()
{
    if (!HasPage())
        return false;
    // The page writes back to the file it came from; a page never saved
    // has no file yet.
    const QString path = editorWindow->CurrentPagePath();
    if (path.isEmpty())
        return SaveAs();
    return SaveCurrentPageTo(path);
}

bool TProgramPages::SaveAs()
{
    if (!HasPage())
        return false;
    const QPointer<TZelkPage> page = editorWindow->Editor();
    const QString preset =
        QDir::current().absoluteFilePath(editorWindow->CurrentPageCaption() + ".pas");
    const QString path =
        dialogs().GetSaveFileName(owner, QString(), ProgramFilter, QStringLiteral("pas"), preset, true);
    if (path.isEmpty() || !BackToPage(editorWindow, page))
        return false;
    const QString full = QFileInfo(path).absoluteFilePath();
    QDir::setCurrent(QFileInfo(full).absolutePath());
    return SaveCurrentPageTo(full);
}

void TProgramPages::ClosePage()
{
    if (!HasPage())
        return;
    const QPointer<TZelkPage> page = editorWindow->Editor();
    if (editorWindow->IsModified()) {
        const MsgAnswer answer = AskToSave();
        if (answer == MsgAnswer::Cancel || !BackToPage(editorWindow, page))
            return;
        // A save that failed or whose dialog was cancelled keeps the page:
        // closing it would lose the text the user wanted to keep.
        if (answer == MsgAnswer::Yes && !Save())
            return;
        if (!BackToPage(editorWindow, page))
            return;
    }
    editorWindow->CloseCurrentPage();
}

bool TProgramPages::QueryClose()
{
    if (!editorWindow)
        return true;
    // Every modified page is asked about, not only the selected one.
    for (int i = 0; i < editorWindow->PageCount(); ++i) {
        if (!editorWindow->PageModified(i))
            continue;
        editorWindow->SelectPage(i);
        const QPointer<TZelkPage> page = editorWindow->PageEditor(i);
        const MsgAnswer answer = AskToSave();
        if (answer == MsgAnswer::Cancel)
            return false;
        if (answer == MsgAnswer::Yes && (!BackToPage(editorWindow, page) || !Save()))
            return false;
    }
    return true;
}

void TProgramPages::Print()
{
    if (HasPage())
        DateiDrucken(owner, editorWindow->Editor(), fileName);
}

// ------------------------------------------------------------------ font

void TProgramPages::ChooseFont()
{
    if (!editorWindow) {
        messages().Show(MsgIcon::Warning, "Warning", "Kein Editorfenster vorhanden.",
                        MsgButtons::Ok);
        return;
    }
    // Only the page that was current when asked changes, and only while it
    // is open; without a page the dialog still keeps the chosen font. The
    // colour is part of the font: a colour dialog follows the font dialog.
    // Cancelling it leaves the page in its own colour, in the chosen font.
    const QPointer<TZelkPage> page = editorWindow->Editor();
    bool farbe = false;
    if (!FontDialog1.ExecuteWithColor(owner, &farbe) || !page)
        return;
    const QColor colour = farbe ? ToQColor(FontDialog1.Color) : page->palette().color(QPalette::Text);
    page->SetPageFont(FontDialog1.Font, colour, FontDialog1.Charset);
}

// ------------------------------------------------------------ clipboard

void TProgramPages::Cut()
{
    if (HasPage() && editorWindow->Editor())
        editorWindow->Editor()->cut();
}

void TProgramPages::Copy()
{
    if (HasPage() && editorWindow->Editor())
        editorWindow->Editor()->copy();
}

void TProgramPages::Paste()
{
    if (HasPage() && editorWindow->Editor())
        editorWindow->Editor()->paste();
}

// ------------------------------------------------- find and replace

void TProgramPages::ShowFind()
{
    if (editorWindow)
        ShowModeless(FindDialog1);
}

void TProgramPages::FindAgain()
{
    if (editorWindow)
        FindNext();
}

void TProgramPages::ShowReplace()
{
    if (editorWindow)
        ShowModeless(ReplaceDialog1);
}

void TProgramPages::FindNext()
{
    if (HasPage() && editorWindow->Editor())
        FindInEditor(editorWindow->Editor(), FindDialog1->FindText(), FindDialog1->Options());
}

void TProgramPages::ReplaceNext()
{
    if (HasPage() && editorWindow->Editor())
        ReplaceInEditor(editorWindow->Editor(), ReplaceDialog1->FindText(),
                        ReplaceDialog1->ReplaceText(), ReplaceDialog1->Options(),
                        ReplaceDialog1->ReplaceAll());
}
