#pragma once
// The frame window of the environment: menus, tool bar, status line and the
// handlers of their commands. The program pages (TProgramPages) and the work
// field (TArbeitsfeldDokument) do the work of their commands, the run
// controller that of the run commands; the handlers forward to them. It owns
// every other window.
//
// Its components are its own; tests find them by their form names
// (StartBtn, RunItem, FeldPanel, ...) as object names.
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "mainwindow/Platzierung.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class GuiWorldDisplay;
class TRunController;
class TAboutBox;
class TArbeitsfeldDokument;
class TCompilerDlg;
class TFeldFlaeche;
class THandsteuerung;
class TOptionenDlg;
class TProgramPages;
class TTeachin;
class TZelkEdit;
class TZelkMeldung;

class TZelkForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TZelkForm(QWidget* parent = nullptr);
    ~TZelkForm() override;

    // Start-up: the work field view and the info window as visible children,
    // then the about box, the compile progress dialog and the options dialog
    // hidden (which reads the options); installs the ports.
    void CreateChildWindows();

    // The program file most recently opened or saved (full path); the title
    // of a print job. The program pages keep it current.
    QString FileName;

    // --- Program file commands ---
    void FileNewItemClick();
    void FileOpenItemClick();
    // The confirmed Open commands without their dialogs.
    void OpenProgramFile(const QString& path);
    void OpenWorkField(const QString& path);
    // Programs and work fields (*.rob) named on the command line.
    void OpenFiles(const QStringList& paths);
    bool FileSaveItemClick();    // true when the text was written
    bool FileSaveAsItemClick();  // true when the text was written
    void FileCloseItemClick();
    void FileExitItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();
    // "&Drucken" and its tool button: the current page as one job titled
    // FileName; nothing without a page.
    void FilePrintItemClick();
    // "Schriftart": the current page's font and colour from the font
    // dialog, which keeps the font and colour last chosen in it.
    void Schriftart1Click();

    // --- Find and replace in the current page ---
    void Suchen1Click();
    void SucheWiederholen1Click();  // F3: the find dialog's text and options, unshown
    void Ersetzen1Click();
    void FindDialog1Find();
    void ReplaceDialog1Replace();

    // --- Work field commands ---
    void FeldNeu1Click();
    void Zuruecksetzen1Click();
    void FeldChangeBtnClick();  // "&Verändern" and the tool button
    void ArbeitsfeldOeffnen1Click();
    void ArbeitsfeldSpeichern1Click();
    bool EditingMode() const;

    // --- The manual control and teach-in windows, toggled by their items ---
    void Handsteuerung1Click();
    void TeachinModus1Click();

    // --- Run control, carried out by the run controller ---
    void RunItemClick();
    void StepBtnClick();
    void PauseBtnClick();
    void StopBtnClick();
    void Compilieren1Click();
    // The run state: Paused, Ready and idle, running or interrupted.
    const TRunController& Run() const { return *runController; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void CreateMenu();
    void CreateSpeedBar();
    void CreateStatusBar();
    // The editor window in the work area, wired and hidden, for the
    // program pages when their first page comes.
    TZelkEdit* CreateEditorWindow();
    TZelkEdit* EditorWindow() const;
    void UpdateActions();
    void DisplayHint(const QString& hint);
    template <class Fenster>
    void ToggleWindow(Fenster*& offen, QAction* item);
    void WeltfensterVerbinden();
    void HaltepunkteUebernehmen();
    // A freshly opened teach-in window reaches the view and the info window
    // through the main window.
    void Verbinden(TTeachin* teachin);
    void Verbinden(THandsteuerung*) {}
    void ReplayBeenden();

    // Components with their form names: those the window still changes after
    // building them. The menu items of the commands that have a tool button
    // are that button's action too.
    QMdiArea* MdiArea = nullptr;
    QLabel* Statusline = nullptr;
    QLabel* FeldPanel = nullptr;
    QMenu* Start1 = nullptr;
    QMenu* Arbeitsfeld1 = nullptr;
    QAction* FileNewItem = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* FileSaveItem = nullptr;
    QAction* FileSaveAsItem = nullptr;
    QAction* FileCloseItem = nullptr;
    QAction* FilePrintItem = nullptr;
    QAction* CutItem = nullptr;
    QAction* CopyItem = nullptr;
    QAction* PasteItem = nullptr;
    QAction* Suchen1 = nullptr;
    QAction* SucheWiederholen1 = nullptr;
    QAction* Ersetzen1 = nullptr;
    QAction* RunItem = nullptr;
    QAction* Einzelschritt1 = nullptr;
    QAction* Haltepunkt1 = nullptr;
    QAction* SchrittZurueck1 = nullptr;
    QAction* Unterbrechen1 = nullptr;
    QAction* Anhalten1 = nullptr;
    QAction* Handsteuerung1 = nullptr;
    QAction* TeachinModus1 = nullptr;
    QAction* Veraendern1 = nullptr;
    QAction* Inhalt1 = nullptr;
    // FeldChangeBtn has a command of its own beside "&Verändern": while a
    // run is interrupted the item stays enabled and the button does not.
    QAction* FeldChangeCommand = nullptr;

    // "Netzwerk" as the settings file said at start-up: a failed write at
    // shut-down goes unreported. It travels into the shut-down's settings
    // value, and nowhere else.
    bool NetzwerkFlag = false;
    TPlatzierung Platzierung{this};
    TRunController* runController = nullptr;  // a child object of the window
    // The documents: the work field's commands and its panel text.
    TArbeitsfeldDokument* FeldDokument = nullptr;
    // The program pages' commands; they keep the editor window.
    TProgramPages* Programme = nullptr;
    std::unique_ptr<GuiWorldDisplay> worldDisplayPort;

    // The single windows of the program, each under its own name, which is
    // also its object name. The window creates and owns them all; the editor
    // (EditorWindow, which the program pages keep) comes with the first New
    // or Open, the manual control and teach-in windows live between their
    // menu toggles.
    TFeldFlaeche* FeldFlaeche = nullptr;
    TZelkMeldung* ZelkMeldung = nullptr;
    TTeachin* TeachinWindow = nullptr;
    THandsteuerung* HandsteuerungWindow = nullptr;
    TOptionenDlg* OptionenDlg = nullptr;
    TAboutBox* AboutBox = nullptr;
    TCompilerDlg* CompilerDlg = nullptr;
};

// Start-up: application title, main window, its child windows. The caller
// shows the window and runs the message loop.
TZelkForm* CreateZelkForm();
