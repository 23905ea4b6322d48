#include "mainwindow/ZelkMain.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "mainwindow/RunController.h"
#include "platform/DialogService.h"
#include "platform/Einstellungen.h"
#include "platform/Hints.h"
#include "platform/Titel.h"
#include "editor/ProgramColours.h"
#include "editor/ProgramPages.h"
#include "dialogs/ZelkAbout.h"
#include "editor/ZelkEdit2.h"
#include "dialogs/ZelkGauge.h"
#include "dialogs/ZelkHilfe.h"
#include "dialogs/ZelkParameter.h"
#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/RunControl.h"
#include "ports/SourcePages.h"
#include "ports/WorldDisplay.h"
#include "workfield/ArbeitsfeldDokument.h"
#include "world/ZelkDatei.h"
#include "workfield/GuiWorldDisplay.h"
#include "workfield/ZelkGrafik.h"
#include "workfield/ZelkHandsteuerung.h"
#include "workfield/ZelkInfo.h"
#include "workfield/ZelkTeachin.h"

// The pictures live in the static GUI library; the linker keeps them only
// when something names them.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut, const QString& hint)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    // Qt sends the status tip to the window while the item is highlighted;
    // event() routes it to the status line, so an item without a hint
    // clears it.
    item->setStatusTip(LongHint(hint));
    return item;
}

// A 25 x 25 picture button of the tool bar. Its command, the action it
// shares with the menu item, gives it its enabled and checked state and is
// triggered by a click; the picture and the hint stay the button's own, so
// every change of the action puts them back.
class SpeedButton : public QToolButton {
public:
    SpeedButton(const QIcon& picture, const QString& hint, bool withTip, QWidget* parent)
        : QToolButton(parent), picture(picture), hint(hint), withTip(withTip)
    {
    }

    void SetCommand(QAction* command)
    {
        setDefaultAction(command);
        KeepOwnLook();
    }

protected:
    void actionEvent(QActionEvent* e) override
    {
        QToolButton::actionEvent(e);
        KeepOwnLook();
    }

private:
    // The menu item's status tip would reach the status line in place of
    // the button's own long hint, which eventFilter shows.
    void KeepOwnLook()
    {
        setIcon(picture);
        SetHint(this, hint, withTip);
    }

    QIcon picture;
    QString hint;
    bool withTip;
};

}  // namespace

TZelkForm::TZelkForm(QWidget* parent)
    : QMainWindow(parent)
{
    InitIcons();
    setObjectName(QStringLiteral("ZelkForm"));
    setWindowTitle(ProgrammTitel());
    setWindowIcon(QIcon(QStringLiteral(":/icons/zelk.svg")));
    MdiArea = new QMdiArea(this);
    // Children moved or left outside a small frame stay within reach.
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);
    // The commands' states follow the models' signals into UpdateActions:
    // the run's state and history, the editing mode, and the pages (see
    // CreateEditorWindow).
    runController = new TRunController(this);
    connect(runController, &TRunController::StateChanged, this, [this] { UpdateActions(); });
    connect(runController, &TRunController::HistoryChanged, this, [this] { UpdateActions(); });
    FeldDokument = new TArbeitsfeldDokument(this);
    connect(FeldDokument, &TArbeitsfeldDokument::VeraendernGeschaltet, this, [this] { UpdateActions(); });
    runController->SetFeldPanelAnzeige([this] { return FeldDokument->FeldPanelText().toStdString(); });
    connect(runController, &TRunController::Stopped, this, [this] {
        if (EditorWindow() && EditorWindow()->Editor())
            EditorWindow()->Editor()->setEnabled(true);
    });
    Programme = new TProgramPages(this, FileName);
    Programme->MakeEditorWindow = [this] { return CreateEditorWindow(); };
    CreateMenu();
    CreateSpeedBar();
    CreateStatusBar();
    UpdateActions();
    Statusline->setText(ProgrammTitel());
    // No settings store yet: "Netzwerk" keeps its default.
    NetzwerkFlag = GelesenesNetzwerk();
}

TZelkForm::~TZelkForm()
{
    // The ports must not outlive the windows they point at.
    setRunControl(nullptr);
    setWorldDisplay(nullptr);
    setCompileProgress(nullptr);
    setSourcePages(nullptr);
    if (dialogs().parentWidget == this)
        dialogs().parentWidget = nullptr;
    // The child windows go first, while the windows they report to are
    // still whole.
    delete MdiArea;
    MdiArea = nullptr;
    FeldFlaeche = nullptr;
    ZelkMeldung = nullptr;
    TeachinWindow = nullptr;
    HandsteuerungWindow = nullptr;
    delete CompilerDlg;
    CompilerDlg = nullptr;
}

void TZelkForm::CreateChildWindows()
{
    FeldFlaeche = new TFeldFlaeche();
    MdiArea->addSubWindow(FeldFlaeche);
    FeldFlaeche->show();
    ZelkMeldung = new TZelkMeldung();
    MdiArea->addSubWindow(ZelkMeldung);
    ZelkMeldung->show();
    AboutBox = CreateAboutBox(this);
    CompilerDlg = new TCompilerDlg(this);
    CompilerDlg->hide();
    OptionenDlg = CreateOptionenDlg(this);  // reads the "Optionen"
    WeltfensterVerbinden();
    FeldDokument->FensterSetzen(FeldFlaeche, ZelkMeldung);
    // The view drew its picture when it was made, before the colours of
    // the walls and barriers were read: it shows them from its first paint.
    FeldFlaeche->RepaintAll();

    worldDisplayPort = std::make_unique<GuiWorldDisplay>(FeldFlaeche, ZelkMeldung);
    worldDisplayPort->FeldPanel = [this](const std::string& text) {
        FeldDokument->SetFeldPanelText(QString::fromStdString(text));
    };
    setWorldDisplay(worldDisplayPort.get());
    worldDisplayPort->WeltVeraendert = [this] { runController->WeltGeaendert(); };
    connect(runController, &TRunController::Timer1Switched, ZelkMeldung,
            &TZelkMeldung::SetTimer1Enabled);
    connect(ZelkMeldung, &TZelkMeldung::Timer1Abgelaufen, runController, &TRunController::Tick);
    // Where a run paused or stopped is told at once, however fast it ran.
    connect(runController, &TRunController::StateChanged, FeldFlaeche,
            [this](TRunController::RunState state) {
                if (state != TRunController::RunState::Running)
                    FeldFlaeche->JetztAnsagen();
            });
    setRunControl(&runController->Port());
    setCompileProgress(CompilerDlg);
    // The core's boxes go through the same service as the window's own.
    setMessages(&dialogs());
    dialogs().parentWidget = this;
}

// The view and the info window know nothing of each other: the supply bar
// belongs to the info window, the undo history of the field to the view.
void TZelkForm::WeltfensterVerbinden()
{
    connect(FeldFlaeche, &TFeldFlaeche::VorratFreigeben, ZelkMeldung,
            &TZelkMeldung::ScrollMaterialFreigeben);
    connect(ZelkMeldung, &TZelkMeldung::VorratBearbeitungAnfang, FeldFlaeche,
            [this] { FeldFlaeche->BearbeitungAnfang(true); });
    connect(ZelkMeldung, &TZelkMeldung::VorratBearbeitungEnde, FeldFlaeche,
            &TFeldFlaeche::BearbeitungEnde);
    connect(ZelkMeldung, &TZelkMeldung::VorratEingestellt, FeldFlaeche,
            &TFeldFlaeche::VorratEinstellen);
    connect(OptionenDlg, &TOptionenDlg::FarbenGeaendert, FeldFlaeche, &TFeldFlaeche::RepaintAll);
    connect(OptionenDlg, &TOptionenDlg::ProgrammtextFarbenGeaendert, this, [] { RecolourProgramTexts(); });
}

TZelkForm* CreateZelkForm()
{
    // No application display name: Qt would append it to the title of every
    // other top-level window ("Error — Zelk - der Roboter"). The main window
    // carries the program's title itself.
    auto* form = new TZelkForm();
    // The program icon, also for child windows without a picture of their own.
    QApplication::setWindowIcon(form->windowIcon());
    form->CreateChildWindows();
    return form;
}

// ---------------------------------------------------------------- menu

void TZelkForm::CreateMenu()
{
    const QKeySequence none;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    // Each item is its command's one action: the tool button of the same
    // command shows it too, so it is connected here once.
    auto item = [this](QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut, const QString& hint, auto handler) {
        QAction* action = AddItem(menu, name, caption, shortcut, hint);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* Datei1 = AddMenu(bar, "Datei1", QStringLiteral("&Datei"));
    FileNewItem = item(Datei1, "FileNewItem", "Datei neu", QKeySequence("Ctrl+N"), "",
                       [this] { FileNewItemClick(); });
    FileOpenItem = item(Datei1, "FileOpenItem", "&Datei öffnen...", QKeySequence("Ctrl+O"),
                        "Eine neue Datei dem Projekt hinzufügen", [this] { FileOpenItemClick(); });
    FileSaveItem = item(Datei1, "FileSaveItem", "Datei speiche&rn", QKeySequence("Ctrl+S"),
                        "Aktuelle Datei speichern", [this] { FileSaveItemClick(); });
    FileSaveAsItem = item(Datei1, "FileSaveAsItem", "Datei speichern un&ter...", none,
                          "Aktuelle Datei unter neuem Namen speichern", [this] { FileSaveAsItemClick(); });
    FileCloseItem = item(Datei1, "FileCloseItem", "Datei s&chließen", none, "Datein schließen",
                         [this] { FileCloseItemClick(); });
    Datei1->addSeparator();
    FilePrintItem = item(Datei1, "FilePrintItem", "&Drucken", QKeySequence("Ctrl+D"),
                         "Aktuelle Datei drucken", [this] { FilePrintItemClick(); });
    Datei1->addSeparator();
    item(Datei1, "FileExitItem", "&Beenden", QKeySequence("Alt+F4"), "Diese Anwendung beenden",
         [this] { FileExitItemClick(); });

    QMenu* Bearbeiten1 = AddMenu(bar, "Bearbeiten1", QStringLiteral("Bearbeiten"));
    CutItem = item(Bearbeiten1, "CutItem", "&Ausschneiden", QKeySequence("Ctrl+X"),
                   "Markiertes Element löschen", [this] { CutItemClick(); });
    CopyItem = item(Bearbeiten1, "CopyItem", "&Kopieren", QKeySequence("Ctrl+C"),
                    "Markiertes Element in Zwischenablage kopieren", [this] { CopyItemClick(); });
    PasteItem = item(Bearbeiten1, "PasteItem", "&Einfügen", QKeySequence("Ctrl+V"),
                     "Inhalt der Zwischenablage einfügen", [this] { PasteItemClick(); });
    Bearbeiten1->addSeparator();
    Suchen1 = item(Bearbeiten1, "Suchen1", "&Suchen...", QKeySequence("Ctrl+F"), "",
                   [this] { Suchen1Click(); });
    SucheWiederholen1 = item(Bearbeiten1, "SucheWiederholen1", "Suche &wiederholen",
                             QKeySequence("F3"), "", [this] { SucheWiederholen1Click(); });
    Ersetzen1 = item(Bearbeiten1, "Ersetzen1", "Ersetzen...", QKeySequence("Ctrl+R"), "",
                     [this] { Ersetzen1Click(); });
    Bearbeiten1->addSeparator();
    item(Bearbeiten1, "Schriftart1", "Schriftart", none, "", [this] { Schriftart1Click(); });

    Start1 = AddMenu(bar, "Start1", QStringLiteral("Sta&rt"));
    // A world changed by hand since the last step leaves nothing to go back to.
    RunItem = item(Start1, "RunItem", "Sta&rt", QKeySequence("F9"),
                   "Programm übersetzen und starten", [this] { RunItemClick(); });
    item(Start1, "Compilieren1", "Compilieren", QKeySequence("Ctrl+F9"), "",
         [this] { Compilieren1Click(); });
    Einzelschritt1 = item(Start1, "Einzelschritt1", "&Einzelschritt", QKeySequence("F7"), "",
                          [this] { StepBtnClick(); });
    Haltepunkt1 = item(Start1, "Haltepunkt1", "Haltepunkt ein/aus", QKeySequence("F5"),
                       "Haltepunkt in der Zeile der Schreibmarke setzen oder entfernen", [this] {
                           if (EditorWindow())
                               EditorWindow()->ToggleBreakpoint();
                       });
    SchrittZurueck1 = item(Start1, "SchrittZurueck1", "Schritt zurück", QKeySequence("Shift+F7"),
                           "Die zuletzt ausgeführte Anweisung zurücknehmen",
                           [this] { runController->SchrittZurueck(); });
    Unterbrechen1 = item(Start1, "Unterbrechen1", "Unterbrechen", QKeySequence("F6"),
                         "Programmablauf unterbrechen", [this] { PauseBtnClick(); });
    Anhalten1 = item(Start1, "Anhalten1", "Anhalten", QKeySequence("Ctrl+F2"),
                     "Programmablauf anhalten", [this] { StopBtnClick(); });
    Start1->addSeparator();
    Handsteuerung1 = item(Start1, "Handsteuerung1", "Handsteuerung", none, "",
                          [this] { Handsteuerung1Click(); });
    Handsteuerung1->setCheckable(true);
    TeachinModus1 = item(Start1, "TeachinModus1", "Teachin Modus", none, "",
                         [this] { TeachinModus1Click(); });
    TeachinModus1->setCheckable(true);
    Start1->addSeparator();
    item(Start1, "Optionen1", "Optionen", none, "", [this] { ShowOptionenDlg(OptionenDlg); });

    Arbeitsfeld1 = AddMenu(bar, "Arbeitsfeld1", QStringLiteral("&Arbeitsfeld"));
    item(Arbeitsfeld1, "FeldNeu1", "&Neu", none, "", [this] { FeldNeu1Click(); });
    item(Arbeitsfeld1, "Zuruecksetzen1", "&Zurücksetzen", none, "",
         [this] { Zuruecksetzen1Click(); });
    Veraendern1 = item(Arbeitsfeld1, "Veraendern1", "&Verändern", none, "",
                       [this] { FeldChangeBtnClick(); });
    Veraendern1->setCheckable(true);
    Arbeitsfeld1->addSeparator();
    item(Arbeitsfeld1, "ArbeitsfeldOeffnen1", "Arbeitsfeld &öffnen", none, "",
         [this] { ArbeitsfeldOeffnen1Click(); });
    item(Arbeitsfeld1, "ArbeitsfeldSpeichern1", "Arbeitsfeld &speichern", none, "",
         [this] { ArbeitsfeldSpeichern1Click(); });

    QMenu* Hilfe1 = AddMenu(bar, "Hilfe1", QStringLiteral("&Hilfe"));
    Inhalt1 = item(Hilfe1, "Inhalt1", "&Inhalt", QKeySequence(Qt::Key_F1),
                   "Inhaltsübersicht der Hilfe anzeigen", [this] { HilfeInhaltZeigen(this); });
    Hilfe1->addSeparator();
    item(Hilfe1, "Info1", "Inf&o...", none, "Programminformationen anzeigen",
         [this] { ShowAboutBox(AboutBox); });
}

// ------------------------------------------------------------- tool bar

void TZelkForm::CreateSpeedBar()
{
    auto* dock = new QToolBar(QStringLiteral("SpeedBar"), this);
    dock->setObjectName(QStringLiteral("SpeedBarDock"));
    dock->setMovable(false);
    dock->setFloatable(false);
    dock->setContextMenuPolicy(Qt::PreventContextMenu);
    dock->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
    dock->layout()->setContentsMargins(0, 0, 0, 0);
    addToolBar(Qt::TopToolBarArea, dock);

    auto* SpeedBar = new QWidget(dock);
    SpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    SpeedBar->setFixedHeight(33);
    SpeedBar->setMinimumWidth(370);
    SpeedBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The tool bar's font; its buttons show pictures only.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(true);
    SpeedBar->setFont(font);
    dock->addWidget(SpeedBar);

    // The button's command differs from "&Verändern" in its text and in its
    // enabled state; every other button shows its menu item's action.
    FeldChangeCommand = new QAction(this);
    FeldChangeCommand->setCheckable(true);
    connect(FeldChangeCommand, &QAction::triggered, this, [this] { FeldChangeBtnClick(); });

    auto addButton = [this, SpeedBar](const char* name, int left, const QString& hint,
                                      const QString& icon, bool twoState, QAction* command) {
        QIcon picture(QStringLiteral(":/icons/%1.svg").arg(icon));
        if (twoState)
            picture.addFile(QStringLiteral(":/icons/%1_disabled.svg").arg(icon), QSize(),
                            QIcon::Disabled);
        // The help button alone shows no tooltip.
        const bool withTip = qstrcmp(name, "SpeedButton8") != 0;
        auto* button = new SpeedButton(picture, hint, withTip, SpeedBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 4, 25, 25);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(16, 16));
        // The hint goes to the status line through eventFilter.
        button->installEventFilter(this);
        button->SetCommand(command);
    };
    addButton("SpeedButton1", 8, "Neu|", "new", true, FileNewItem);
    addButton("FileOpenBtn", 32, "Öffnen|", "open", true, FileOpenItem);
    addButton("FileSaveBtn", 56, "Speichern|", "save", true, FileSaveItem);
    addButton("SpeedButton4", 80, "Drucken|", "print", true, FilePrintItem);
    addButton("SpeedButton5", 108, "Ausschneiden|", "cut", true, CutItem);
    addButton("SpeedButton6", 132, "Kopieren|", "copy", true, CopyItem);
    addButton("SpeedButton7", 156, "Einfügen|", "paste", true, PasteItem);
    addButton("StartBtn", 186, "Start", "start", false, RunItem);
    addButton("PauseBtn", 210, "Unterbrechen", "pause", false, Unterbrechen1);
    addButton("StepBtn", 234, "Einzelschritt", "step", false, Einzelschritt1);
    addButton("StopBtn", 258, "Anhalten", "stop", false, Anhalten1);
    addButton("FeldChangeBtn", 288, "Feld ändern", "feld", false, FeldChangeCommand);
    addButton("SpeedButton8", 338, "Hilfeinhalt|", "help", true, Inhalt1);
}

// ------------------------------------------------------------ status bar

void TZelkForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(19);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QPalette black = bar->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    auto makePanel = [&](const char* name) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setFont(font);
        panel->setPalette(black);
        return panel;
    };
    Statusline = makePanel("Statusline");
    FeldPanel = makePanel("FeldPanel");
    FeldPanel->setFixedWidth(231);
    bar->addWidget(Statusline, 1);
    bar->addPermanentWidget(FeldPanel);
    connect(FeldDokument, &TArbeitsfeldDokument::FeldPanelTextGeaendert, FeldPanel, &QLabel::setText);
}

// ----------------------------------------------------------------- hints

void TZelkForm::DisplayHint(const QString& hint) { Statusline->setText(LongHint(hint)); }

bool TZelkForm::event(QEvent* e)
{
    if (e->type() == QEvent::StatusTip) {
        // Menu items send their (long) hint here while highlighted.
        Statusline->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

bool TZelkForm::eventFilter(QObject* watched, QEvent* e)
{
    // The native window, watched while its frame is awaited.
    if (watched == windowHandle() && e->type() == QEvent::Expose)
        Platzierung.RahmenNachtragen();
    // A tool button under the mouse shows its hint, also an empty long part.
    if (e->type() == QEvent::Enter)
        DisplayHint(watched->property("hint").toString());
    else if (e->type() == QEvent::Leave)
        DisplayHint(QString());
    return QMainWindow::eventFilter(watched, e);
}

void TZelkForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    Platzierung.Gezeigt();
}

// ---------------------------------------------------------- run control

// A replay of the teach-in window would go on driving Zelk between the
// program's steps, from a world the program has just reset.
void TZelkForm::ReplayBeenden()
{
    if (TeachinWindow)
        TeachinWindow->ReplayBeenden();
}

void TZelkForm::RunItemClick()
{
    ReplayBeenden();
    HaltepunkteUebernehmen();
    runController->Start();
}

void TZelkForm::StepBtnClick()
{
    ReplayBeenden();
    HaltepunkteUebernehmen();
    runController->Einzelschritt();
}
void TZelkForm::PauseBtnClick() { runController->Unterbrechen(); }
void TZelkForm::StopBtnClick() { runController->Anhalten(); }
void TZelkForm::Compilieren1Click() { runController->Compilieren(); }

// Every command's state follows from the program's state alone: the run
// state, whether a step can be taken back, whether a page is open, and the
// editing mode.
//   Run commands: idle: Start, Einzelschritt; running: Anhalten,
//   Unterbrechen; interrupted: all four. Editing the field disables Start
//   and Einzelschritt, and the whole menu "Sta&rt".
//   Page commands need a page. Copy does not: it copies the work field's
//   picture too; nor does "Schriftart", which says when there is no editor.
void TZelkForm::UpdateActions()
{
    const TRunController::RunState state = runController->State();
    const bool idle = state == TRunController::RunState::Idle;
    const bool running = state == TRunController::RunState::Running;
    const bool editing = FeldDokument->VeraendernAn();
    const bool canStart = runController->KannStarten() && !editing;
    RunItem->setEnabled(canStart);         // and StartBtn
    Einzelschritt1->setEnabled(canStart);  // and StepBtn
    Anhalten1->setEnabled(runController->KannAnhalten());      // and StopBtn
    Unterbrechen1->setEnabled(runController->KannAnhalten());  // and PauseBtn
    SchrittZurueck1->setEnabled(runController->KannZurueck());
    Arbeitsfeld1->menuAction()->setEnabled(!running);
    TeachinModus1->setEnabled(idle && !editing);
    // "&Verändern" stays usable while a run is interrupted, its button not;
    // both show the one editing mode.
    FeldChangeCommand->setEnabled(idle);
    FeldChangeCommand->setChecked(editing);
    Veraendern1->setChecked(editing);
    Start1->menuAction()->setEnabled(!editing);

    const bool page = Programme->HasPage();
    for (QAction* command : {FileSaveItem, FileSaveAsItem, FileCloseItem, FilePrintItem, CutItem,
                             PasteItem, Suchen1, SucheWiederholen1, Ersetzen1, Haltepunkt1})
        command->setEnabled(page);

    if (TeachinWindow)
        TeachinWindow->ProgrammLaeuft(running);
}

// ------------------------------------------------------- program files

TZelkEdit* TZelkForm::CreateEditorWindow()
{
    auto* editorWindow = new TZelkEdit();
    connect(editorWindow, &TZelkEdit::SeitenGeaendert, this, [this] { UpdateActions(); });
    connect(editorWindow, &TZelkEdit::BreakpointsChanged, this, [this] { HaltepunkteUebernehmen(); });
    MdiArea->addSubWindow(editorWindow);
    setSourcePages(editorWindow);
    return editorWindow;
}

TZelkEdit* TZelkForm::EditorWindow() const { return Programme->EditorWindow(); }

// The run pauses where the editor shows a breakpoint, on whichever page.
void TZelkForm::HaltepunkteUebernehmen()
{
    TBreakpoints& haltepunkte = runController->Breakpoints();
    haltepunkte.Clear();
    if (!EditorWindow())
        return;
    for (int page = 0; page < EditorWindow()->PageCount(); ++page)
        haltepunkte.SetPage(page, EditorWindow()->TranslatedBreakpointLines(page));
}

// Files named on the command line, as a file manager passes them: work
// fields by their extension, everything else as a program, each exactly as
// its confirmed Open command would open it.
void TZelkForm::OpenFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (IstArbeitsfeldDatei(path.toStdString()))
            OpenWorkField(path);
        else
            OpenProgramFile(path);
    }
}

void TZelkForm::FileNewItemClick() { Programme->New(); }
void TZelkForm::FileOpenItemClick() { Programme->Open(); }
void TZelkForm::OpenProgramFile(const QString& path) { Programme->Open(path); }
bool TZelkForm::FileSaveItemClick() { return Programme->Save(); }
bool TZelkForm::FileSaveAsItemClick() { return Programme->SaveAs(); }
void TZelkForm::FileCloseItemClick() { Programme->ClosePage(); }
void TZelkForm::FileExitItemClick() { close(); }
void TZelkForm::FilePrintItemClick() { Programme->Print(); }
void TZelkForm::Schriftart1Click() { Programme->ChooseFont(); }
void TZelkForm::CutItemClick() { Programme->Cut(); }
void TZelkForm::PasteItemClick() { Programme->Paste(); }
void TZelkForm::Suchen1Click() { Programme->ShowFind(); }
void TZelkForm::SucheWiederholen1Click() { Programme->FindAgain(); }
void TZelkForm::Ersetzen1Click() { Programme->ShowReplace(); }
void TZelkForm::FindDialog1Find() { Programme->FindNext(); }
void TZelkForm::ReplaceDialog1Replace() { Programme->ReplaceNext(); }

// Copy takes the work field's picture too, while the view has the focus.
void TZelkForm::CopyItemClick()
{
    Programme->Copy();
    FeldDokument->Kopieren();
}

void TZelkForm::closeEvent(QCloseEvent* e)
{
    if (!Programme->QueryClose()) {
        e->ignore();
        return;
    }
    runController->SetTimer1Enabled(false);
    // Everything the file keeps, as one value: the core writes it at once.
    SettingsValue einstellungen;
    einstellungen.places = Platzierung.ZumSpeichern(EditorWindow(), ZelkMeldung);
    einstellungen.options = CurrentOptions();
    einstellungen.netzwerk = NetzwerkFlag;
    EinstellungenSchreiben(einstellungen);
    e->accept();
}

// ------------------------------------------------------ work field

void TZelkForm::FeldNeu1Click() { FeldDokument->Neu(); }
void TZelkForm::Zuruecksetzen1Click() { FeldDokument->Zuruecksetzen(); }
void TZelkForm::FeldChangeBtnClick() { FeldDokument->VeraendernUmschalten(); }
bool TZelkForm::EditingMode() const { return FeldDokument->VeraendernAn(); }
void TZelkForm::ArbeitsfeldOeffnen1Click() { FeldDokument->Oeffnen(); }
void TZelkForm::OpenWorkField(const QString& path) { FeldDokument->Oeffnen(path); }
void TZelkForm::ArbeitsfeldSpeichern1Click() { FeldDokument->Speichern(); }

// The two toggles open a fresh window each time and close the open one. A
// window closed by its own close box has the same end state: the item loses
// its check mark and the window is forgotten.
template <class Fenster>
void TZelkForm::ToggleWindow(Fenster*& offen, QAction* item)
{
    if (offen) {
        offen->close();
        return;
    }
    auto* fenster = new Fenster;
    MdiArea->addSubWindow(fenster);
    connect(fenster, &Fenster::Geschlossen, this, [&offen, item, fenster] {
        if (offen == fenster)
            offen = nullptr;
        item->setChecked(false);
    });
    // Also when the main window goes with the window still open.
    connect(fenster, &QObject::destroyed, this, [&offen, fenster] {
        if (offen == fenster)
            offen = nullptr;
    });
    Verbinden(fenster);
    offen = fenster;
    fenster->show();
    item->setChecked(true);
}

void TZelkForm::Verbinden(TTeachin* teachin)
{
    connect(ZelkMeldung, &TZelkMeldung::Timer2Abgelaufen, teachin, &TTeachin::Timer2Abgelaufen);
    connect(teachin, &TTeachin::ReplayTimerSchalten, ZelkMeldung, &TZelkMeldung::SetTimer2Enabled);
    // A replay starts from the start state: in the editing mode the supply
    // bar moves to its supply.
    connect(teachin, &TTeachin::ReplayGestartet, this, [this] {
        if (FeldFlaeche->Veraendern)
            ZelkMeldung->ScrollMaterialFreigeben(true);
    });
    connect(teachin, &TTeachin::ReplayGeendet, FeldFlaeche, &TFeldFlaeche::JetztAnsagen);
}

void TZelkForm::Handsteuerung1Click() { ToggleWindow(HandsteuerungWindow, Handsteuerung1); }
void TZelkForm::TeachinModus1Click() { ToggleWindow(TeachinWindow, TeachinModus1); }
