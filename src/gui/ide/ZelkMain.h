#pragma once
// The frame window of the environment: menus, tool bar, status line, the
// program and work field file commands, and the run control that starts,
// steps, pauses and stops programs. It owns every other window.
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolButton;
class QWidget;
class GuiWorldDisplay;
class TRunController;

class TZelkForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TZelkForm(QWidget* parent = nullptr);
    ~TZelkForm() override;

    // Start-up step 3: the work field view and the info window as visible
    // children, then the compile progress dialog hidden; installs the ports.
    void CreateChildWindows();

    // --- Components, with their form names ---
    QMdiArea* MdiArea = nullptr;
    QWidget* SpeedBar = nullptr;
    QToolButton* SpeedButton1 = nullptr;   // Neu
    QToolButton* FileOpenBtn = nullptr;
    QToolButton* FileSaveBtn = nullptr;
    QToolButton* SpeedButton4 = nullptr;   // Drucken
    QToolButton* SpeedButton5 = nullptr;   // Ausschneiden
    QToolButton* SpeedButton6 = nullptr;   // Kopieren
    QToolButton* SpeedButton7 = nullptr;   // Einfügen
    QToolButton* StartBtn = nullptr;
    QToolButton* PauseBtn = nullptr;
    QToolButton* StepBtn = nullptr;
    QToolButton* StopBtn = nullptr;
    QToolButton* FeldChangeBtn = nullptr;
    QToolButton* SpeedButton8 = nullptr;   // Hilfeinhalt
    QLabel* Statusline = nullptr;
    QLabel* FeldPanel = nullptr;

    QMenu* Datei1 = nullptr;
    QAction* FileNewItem = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* FileSaveItem = nullptr;
    QAction* FileSaveAsItem = nullptr;
    QAction* FileCloseItem = nullptr;
    QAction* FilePrintItem = nullptr;
    QAction* FileExitItem = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QAction* CutItem = nullptr;
    QAction* CopyItem = nullptr;
    QAction* PasteItem = nullptr;
    QAction* Suchen1 = nullptr;
    QAction* SucheWiederholen1 = nullptr;
    QAction* Ersetzen1 = nullptr;
    QAction* Schriftart1 = nullptr;
    QMenu* Start1 = nullptr;
    QAction* RunItem = nullptr;
    QAction* Compilieren1 = nullptr;
    QAction* Einzelschritt1 = nullptr;
    QAction* Handsteuerung1 = nullptr;
    QAction* TeachinModus1 = nullptr;
    QAction* Optionen1 = nullptr;
    QMenu* Arbeitsfeld1 = nullptr;
    QAction* FeldNeu1 = nullptr;
    QAction* Zuruecksetzen1 = nullptr;
    QAction* Veraendern1 = nullptr;
    QAction* ArbeitsfeldOeffnen1 = nullptr;
    QAction* ArbeitsfeldSpeichern1 = nullptr;
    QMenu* Hilfe1 = nullptr;
    QAction* Inhalt1 = nullptr;
    QAction* Info1 = nullptr;

    // The program file most recently opened or saved (full path); the title
    // of a print job.
    QString FileName;
    bool NetzwerkFlag = false;

    // The filters of the file dialogs, in the program's own notation.
    static const QString ProgramFilter;
    static const QString OpenFeldFilter;
    static const QString SaveFeldFilter;

    // Status line: the long part of a hint ("short|long"); a text without a
    // bar is both parts.
    void DisplayHint(const QString& hint);
    static QString ShortHint(const QString& hint);
    static QString LongHint(const QString& hint);

    // --- Program file commands ---
    void FileNewItemClick();
    void FileOpenItemClick();
    bool FileSaveItemClick();    // true when the text was written
    bool FileSaveAsItemClick();  // true when the text was written
    void FileCloseItemClick();
    void FileExitItemClick();
    void CutItemClick();
    void CopyItemClick();
    void PasteItemClick();

    // --- Work field commands ---
    void FeldNeu1Click();
    void Zuruecksetzen1Click();
    void FeldChangeBtnClick();  // "&Verändern" and the tool button
    void ArbeitsfeldOeffnen1Click();
    void ArbeitsfeldSpeichern1Click();
    bool EditingMode() const { return editing; }

    // --- Run control, carried out by the run controller ---
    void RunItemClick();
    void StepBtnClick();
    void PauseBtnClick();
    void StopBtnClick();
    void Compilieren1Click();
    // The run state: Paused, Ready and idle, running or interrupted.
    const TRunController& Run() const { return *runController; }

    // Close query: asks about every modified page; false keeps the program.
    bool FormCloseQuery();

    // Where the window goes when it is first activated: the settings'
    // "Fenster" place (defaults until a settings store exists).
    QRect FensterPlatz() const;
    void FormActivate();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void CreateMenu();
    void CreateSpeedBar();
    void CreateStatusBar();
    QToolButton* AddSpeedButton(const char* name, int left, const QString& hint,
                                const QString& icon, bool twoState);
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, const QString& hint);
    void CreateEditorWindow();
    bool HasPage() const;
    bool SaveCurrentPageTo(const QString& path);
    void UpdateRunControls();
    void SetFeldPanelText(const QString& text);

    bool editing = false;
    bool placed = false;
    TRunController* runController = nullptr;  // a child object of the window
    std::unique_ptr<GuiWorldDisplay> worldDisplayPort;
};

// The one main window, or none before start-up and after shut-down.
extern TZelkForm* ZelkForm;

// Start-up: application title, main window, its child windows. The caller
// shows the window and runs the message loop.
TZelkForm* CreateZelkForm();
