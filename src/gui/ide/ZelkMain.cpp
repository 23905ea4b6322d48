#include "ide/ZelkMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include "execution/RunController.h"
#include "ide/DialogService.h"
#include "ide/ZelkEdit2.h"
#include "ide/ZelkGauge.h"
#include "ports/CompileProgress.h"
#include "ports/Messages.h"
#include "ports/RunControl.h"
#include "ports/SourcePages.h"
#include "ports/WorldDisplay.h"
#include "text/AsciiNames.h"
#include "world/GuiWorldDisplay.h"
#include "world/ZelkFeld.h"
#include "world/ZelkGrafik.h"
#include "world/ZelkInfo.h"

TZelkForm* ZelkForm = nullptr;

// The pictures live in the static GUI library; the linker keeps them only
// when something names them.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

const QString TZelkForm::ProgramFilter =
    QStringLiteral("Programmdateien (*.PAS) |*.PAS|Alle Dateien (*.*)|*.*");
const QString TZelkForm::OpenFeldFilter = QStringLiteral("Arbeitsfeld (*.ROB)|*.ROB");
const QString TZelkForm::SaveFeldFilter = QStringLiteral("Arbeitsfeld|*.rob");

namespace {

const QString Title = QStringLiteral("Zelk - der Roboter");

// FeldPanel names a work field file without its folder, in lower case as
// names are (umlauts keep their case).
QString FeldPanelText(const QString& path)
{
    const std::string name = QFileInfo(path).fileName().toStdString();
    return QStringLiteral("Arbeitsfeld: ") + QString::fromStdString(LowerAscii(name));
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Names the file, and below it the reason when one is known.
void ShowFileError(const QString& path, bool writing, const QString& reason)
{
    QString text = writing ? QStringLiteral("Datei \"%1\" kann nicht geschrieben werden.")
                           : QStringLiteral("Datei \"%1\" kann nicht gelesen werden.");
    text = text.arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    ShowError(text.toStdString());
}

// A run that selects its lines brings the page of each line to the front at
// every tick, also while a box or a file dialog waits for the user. A
// command that asked about one page selects it again before acting on it;
// false when that page is gone.
bool BackToPage(const QPointer<TZelkPage>& page)
{
    if (!page || !EditorWindow)
        return false;
    const int index = EditorWindow->TabControl1->indexOf(page);
    if (index < 0)
        return false;
    if (EditorWindow->SelectedPage() != index)
        EditorWindow->SelectPage(index);
    return EditorWindow->Editor() == page;
}

}  // namespace

TZelkForm::TZelkForm(QWidget* parent) : QMainWindow(parent)
{
    InitIcons();
    setObjectName(QStringLiteral("ZelkForm"));
    setWindowTitle(Title);
    setWindowIcon(QIcon(QStringLiteral(":/icons/zelk.svg")));
    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);
    runController = new TRunController(this);
    connect(runController, &TRunController::StateChanged, this, [this] { UpdateRunControls(); });
    connect(runController, &TRunController::Stopped, this, [] {
        if (EditorWindow && EditorWindow->Editor())
            EditorWindow->Editor()->setEnabled(true);
    });
    CreateMenu();
    CreateSpeedBar();
    CreateStatusBar();
    UpdateRunControls();
    Statusline->setText(Title);
    // No settings store yet: "Netzwerk" keeps its default.
    NetzwerkFlag = false;
    ZelkForm = this;
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
    delete MdiArea;  // the child windows go first, while the globals are still valid
    MdiArea = nullptr;
    FeldFlaeche = nullptr;
    ZelkMeldung = nullptr;
    EditorWindow = nullptr;
    delete CompilerDlg;
    CompilerDlg = nullptr;
    if (ZelkForm == this)
        ZelkForm = nullptr;
}

void TZelkForm::CreateChildWindows()
{
    FeldFlaeche = new TFeldFlaeche();
    MdiArea->addSubWindow(FeldFlaeche);
    FeldFlaeche->show();
    ZelkMeldung = new TZelkMeldung();
    MdiArea->addSubWindow(ZelkMeldung);
    ZelkMeldung->show();
    CompilerDlg = new TCompilerDlg(this);
    CompilerDlg->hide();

    worldDisplayPort = std::make_unique<GuiWorldDisplay>();
    worldDisplayPort->FeldPanel = [this](const std::string& text) {
        SetFeldPanelText(QString::fromStdString(text));
    };
    setWorldDisplay(worldDisplayPort.get());
    connect(runController, &TRunController::Timer1Switched, ZelkMeldung,
            &TZelkMeldung::SetTimer1Enabled);
    setRunControl(runController);
    setCompileProgress(CompilerDlg);
    // The core's boxes go through the same service as the window's own.
    setMessages(&dialogs());
    dialogs().parentWidget = this;
}

TZelkForm* CreateZelkForm()
{
    QGuiApplication::setApplicationDisplayName(Title);
    auto* form = new TZelkForm();
    // The program icon, also for child windows without a picture of their own.
    QApplication::setWindowIcon(form->windowIcon());
    form->CreateChildWindows();
    return form;
}

// ---------------------------------------------------------------- menu

QAction* TZelkForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                            const QKeySequence& shortcut, const QString& hint)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    item->setProperty("hint", hint);
    // Qt sends the status tip to the window while the item is highlighted;
    // event() routes it to the status line, so an item without a hint
    // clears it.
    item->setStatusTip(LongHint(hint));
    return item;
}

void TZelkForm::CreateMenu()
{
    const QKeySequence none;
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    Datei1 = bar->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    FileNewItem = AddItem(Datei1, "FileNewItem", "Datei neu", QKeySequence("Ctrl+N"), "");
    FileOpenItem = AddItem(Datei1, "FileOpenItem", "&Datei öffnen...", QKeySequence("Ctrl+O"),
                           "Eine neue Datei dem Projekt hinzufügen");
    FileSaveItem = AddItem(Datei1, "FileSaveItem", "Datei speiche&rn", QKeySequence("Ctrl+S"),
                           "Aktuelle Datei speichern");
    FileSaveAsItem = AddItem(Datei1, "FileSaveAsItem", "Datei speichern un&ter...", none,
                             "Aktuelle Datei unter neuem Namen speichern");
    FileCloseItem = AddItem(Datei1, "FileCloseItem", "Datei s&chließen", none, "Datein schließen");
    Datei1->addSeparator();
    FilePrintItem = AddItem(Datei1, "FilePrintItem", "&Drucken", QKeySequence("Ctrl+D"),
                            "Aktuelle Datei drucken");
    Datei1->addSeparator();
    FileExitItem = AddItem(Datei1, "FileExitItem", "&Beenden", QKeySequence("Alt+F4"),
                           "Diese Anwendung beenden");

    Bearbeiten1 = bar->addMenu(QStringLiteral("Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    CutItem = AddItem(Bearbeiten1, "CutItem", "&Ausschneiden", QKeySequence("Ctrl+X"),
                      "Markiertes Element löschen");
    CopyItem = AddItem(Bearbeiten1, "CopyItem", "&Kopieren", QKeySequence("Ctrl+C"),
                       "Markiertes Element in Zwischenablage kopieren");
    PasteItem = AddItem(Bearbeiten1, "PasteItem", "&Einfügen", QKeySequence("Ctrl+V"),
                        "Inhalt der Zwischenablage einfügen");
    Bearbeiten1->addSeparator();
    Suchen1 = AddItem(Bearbeiten1, "Suchen1", "&Suchen...", QKeySequence("Ctrl+F"), "");
    SucheWiederholen1 = AddItem(Bearbeiten1, "SucheWiederholen1", "Suche &wiederholen",
                                QKeySequence("F3"), "");
    Ersetzen1 = AddItem(Bearbeiten1, "Ersetzen1", "Ersetzen...", QKeySequence("Ctrl+R"), "");
    Bearbeiten1->addSeparator();
    Schriftart1 = AddItem(Bearbeiten1, "Schriftart1", "Schriftart", none, "");

    Start1 = bar->addMenu(QStringLiteral("Sta&rt"));
    Start1->setObjectName(QStringLiteral("Start1"));
    RunItem = AddItem(Start1, "RunItem", "Sta&rt", QKeySequence("F9"),
                      "Programm übersetzen und starten");
    Compilieren1 = AddItem(Start1, "Compilieren1", "Compilieren", QKeySequence("Ctrl+F9"), "");
    Einzelschritt1 = AddItem(Start1, "Einzelschritt1", "&Einzelschritt", QKeySequence("F7"), "");
    Start1->addSeparator();
    Handsteuerung1 = AddItem(Start1, "Handsteuerung1", "Handsteuerung", none, "");
    TeachinModus1 = AddItem(Start1, "TeachinModus1", "Teachin Modus", none, "");
    Start1->addSeparator();
    Optionen1 = AddItem(Start1, "Optionen1", "Optionen", none, "");

    Arbeitsfeld1 = bar->addMenu(QStringLiteral("&Arbeitsfeld"));
    Arbeitsfeld1->setObjectName(QStringLiteral("Arbeitsfeld1"));
    FeldNeu1 = AddItem(Arbeitsfeld1, "FeldNeu1", "&Neu", none, "");
    Zuruecksetzen1 = AddItem(Arbeitsfeld1, "Zuruecksetzen1", "&Zurücksetzen", none, "");
    Veraendern1 = AddItem(Arbeitsfeld1, "Veraendern1", "&Verändern", none, "");
    Veraendern1->setCheckable(true);
    Arbeitsfeld1->addSeparator();
    ArbeitsfeldOeffnen1 = AddItem(Arbeitsfeld1, "ArbeitsfeldOeffnen1", "Arbeitsfeld &öffnen", none, "");
    ArbeitsfeldSpeichern1 =
        AddItem(Arbeitsfeld1, "ArbeitsfeldSpeichern1", "Arbeitsfeld &speichern", none, "");

    Hilfe1 = bar->addMenu(QStringLiteral("&Hilfe"));
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Inhalt1 = AddItem(Hilfe1, "Inhalt1", "&Inhalt", none, "Inhaltsübersicht der Hilfe anzeigen");
    Hilfe1->addSeparator();
    Info1 = AddItem(Hilfe1, "Info1", "Inf&o...", none, "Programminformationen anzeigen");

    connect(FileNewItem, &QAction::triggered, this, [this] { FileNewItemClick(); });
    connect(FileOpenItem, &QAction::triggered, this, [this] { FileOpenItemClick(); });
    connect(FileSaveItem, &QAction::triggered, this, [this] { FileSaveItemClick(); });
    connect(FileSaveAsItem, &QAction::triggered, this, [this] { FileSaveAsItemClick(); });
    connect(FileCloseItem, &QAction::triggered, this, [this] { FileCloseItemClick(); });
    connect(FileExitItem, &QAction::triggered, this, [this] { FileExitItemClick(); });
    connect(CutItem, &QAction::triggered, this, [this] { CutItemClick(); });
    connect(CopyItem, &QAction::triggered, this, [this] { CopyItemClick(); });
    connect(PasteItem, &QAction::triggered, this, [this] { PasteItemClick(); });
    connect(RunItem, &QAction::triggered, this, [this] { RunItemClick(); });
    connect(Compilieren1, &QAction::triggered, this, [this] { Compilieren1Click(); });
    connect(Einzelschritt1, &QAction::triggered, this, [this] { StepBtnClick(); });
    connect(FeldNeu1, &QAction::triggered, this, [this] { FeldNeu1Click(); });
    connect(Zuruecksetzen1, &QAction::triggered, this, [this] { Zuruecksetzen1Click(); });
    connect(Veraendern1, &QAction::triggered, this, [this] { FeldChangeBtnClick(); });
    connect(ArbeitsfeldOeffnen1, &QAction::triggered, this, [this] { ArbeitsfeldOeffnen1Click(); });
    connect(ArbeitsfeldSpeichern1, &QAction::triggered, this, [this] { ArbeitsfeldSpeichern1Click(); });
    // Drucken, Suchen, Ersetzen, Schriftart, Handsteuerung, Teachin Modus,
    // Optionen, Inhalt and Info get their windows later; they do nothing yet.
}

// ------------------------------------------------------------- tool bar

QToolButton* TZelkForm::AddSpeedButton(const char* name, int left, const QString& hint,
                                       const QString& icon, bool twoState)
{
    auto* button = new QToolButton(SpeedBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 4, 25, 25);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QIcon picture(QStringLiteral(":/icons/%1.svg").arg(icon));
    if (twoState)
        picture.addFile(QStringLiteral(":/icons/%1_disabled.svg").arg(icon), QSize(), QIcon::Disabled);
    button->setIcon(picture);
    button->setIconSize(QSize(16, 16));
    button->setProperty("hint", hint);
    button->installEventFilter(this);
    return button;
}

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

    SpeedBar = new QWidget(dock);
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

    SpeedButton1 = AddSpeedButton("SpeedButton1", 8, "Neu|", "new", true);
    FileOpenBtn = AddSpeedButton("FileOpenBtn", 32, "Öffnen|", "open", true);
    FileSaveBtn = AddSpeedButton("FileSaveBtn", 56, "Speichern|", "save", true);
    SpeedButton4 = AddSpeedButton("SpeedButton4", 80, "Drucken|", "print", true);
    SpeedButton5 = AddSpeedButton("SpeedButton5", 108, "Ausschneiden|", "cut", true);
    SpeedButton6 = AddSpeedButton("SpeedButton6", 132, "Kopieren|", "copy", true);
    SpeedButton7 = AddSpeedButton("SpeedButton7", 156, "Einfügen|", "paste", true);
    StartBtn = AddSpeedButton("StartBtn", 186, "Start", "start", false);
    PauseBtn = AddSpeedButton("PauseBtn", 210, "Unterbrechen", "pause", false);
    StepBtn = AddSpeedButton("StepBtn", 234, "Einzelschritt", "step", false);
    StopBtn = AddSpeedButton("StopBtn", 258, "Anhalten", "stop", false);
    FeldChangeBtn = AddSpeedButton("FeldChangeBtn", 288, "Feld ändern", "feld", false);
    SpeedButton8 = AddSpeedButton("SpeedButton8", 338, "Hilfeinhalt|", "help", true);
    FeldChangeBtn->setCheckable(true);

    for (QToolButton* b : {SpeedButton1, FileOpenBtn, FileSaveBtn, SpeedButton4, SpeedButton5,
                           SpeedButton6, SpeedButton7, StartBtn, PauseBtn, StepBtn, StopBtn,
                           FeldChangeBtn})
        b->setToolTip(ShortHint(b->property("hint").toString()));

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { FileNewItemClick(); });
    connect(FileOpenBtn, &QToolButton::clicked, this, [this] { FileOpenItemClick(); });
    connect(FileSaveBtn, &QToolButton::clicked, this, [this] { FileSaveItemClick(); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { CutItemClick(); });
    connect(SpeedButton6, &QToolButton::clicked, this, [this] { CopyItemClick(); });
    connect(SpeedButton7, &QToolButton::clicked, this, [this] { PasteItemClick(); });
    connect(StartBtn, &QToolButton::clicked, this, [this] { RunItemClick(); });
    connect(PauseBtn, &QToolButton::clicked, this, [this] { PauseBtnClick(); });
    connect(StepBtn, &QToolButton::clicked, this, [this] { StepBtnClick(); });
    connect(StopBtn, &QToolButton::clicked, this, [this] { StopBtnClick(); });
    connect(FeldChangeBtn, &QToolButton::clicked, this, [this] { FeldChangeBtnClick(); });
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
}

void TZelkForm::SetFeldPanelText(const QString& text) { FeldPanel->setText(text); }

// ----------------------------------------------------------------- hints

QString TZelkForm::ShortHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.left(bar);
}

QString TZelkForm::LongHint(const QString& hint)
{
    const int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

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
    // A tool button under the mouse shows its hint, also an empty long part.
    if (e->type() == QEvent::Enter)
        DisplayHint(watched->property("hint").toString());
    else if (e->type() == QEvent::Leave)
        DisplayHint(QString());
    return QMainWindow::eventFilter(watched, e);
}

// ---------------------------------------------------------- window place

QRect TZelkForm::FensterPlatz() const
{
    // Section "Fenster": left, top, width, height; defaults until a settings
    // store reads them.
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
    return QRect(10, 10, g.width() - 20, g.height() - 50);
}

void TZelkForm::FormActivate()
{
    const QRect place = FensterPlatz();
    move(place.left(), place.top());
    resize(place.width(), place.height());
}

void TZelkForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // The place is taken once, when the window first appears; taking it at
    // every activation would throw the window back after each dialog.
    if (!placed) {
        placed = true;
        move(0, 0);
        FormActivate();
    }
}

// ---------------------------------------------------------- run control

void TZelkForm::RunItemClick() { runController->Start(); }
void TZelkForm::StepBtnClick() { runController->Einzelschritt(); }
void TZelkForm::PauseBtnClick() { runController->Unterbrechen(); }
void TZelkForm::StopBtnClick() { runController->Anhalten(); }
void TZelkForm::Compilieren1Click() { runController->Compilieren(); }

// The enabled states follow from the run state and the editing mode:
//   idle: Start, Einzelschritt; running: Anhalten, Unterbrechen;
//   interrupted: all four. Editing the field disables Start and Einzelschritt.
void TZelkForm::UpdateRunControls()
{
    const TRunController::RunState state = runController->State();
    const bool idle = state == TRunController::RunState::Idle;
    const bool running = state == TRunController::RunState::Running;
    const bool canStart = !running && !editing;
    StartBtn->setEnabled(canStart);
    RunItem->setEnabled(canStart);
    StepBtn->setEnabled(canStart);
    Einzelschritt1->setEnabled(canStart);
    StopBtn->setEnabled(!idle);
    PauseBtn->setEnabled(!idle);
    Arbeitsfeld1->menuAction()->setEnabled(!running);
    TeachinModus1->setEnabled(idle && !editing);
    FeldChangeBtn->setEnabled(idle);
    Start1->menuAction()->setEnabled(!editing);
}

// ------------------------------------------------------- program files

void TZelkForm::CreateEditorWindow()
{
    EditorWindow = new TZelkEdit();
    MdiArea->addSubWindow(EditorWindow);
    setSourcePages(EditorWindow);
}

bool TZelkForm::HasPage() const { return EditorWindow && EditorWindow->PageCount() > 0; }

void TZelkForm::FileNewItemClick()
{
    const bool created = !EditorWindow;
    if (created)
        CreateEditorWindow();
    EditorWindow->AddPage(QStringLiteral("neu"));
    if (created)
        EditorWindow->show();
}

void TZelkForm::FileOpenItemClick()
{
    const QString path =
        dialogs().GetOpenFileName(this, QString(), ProgramFilter, QDir::currentPath());
    if (path.isEmpty())
        return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    const bool created = !EditorWindow;
    if (created)
        CreateEditorWindow();
    FileName = QFileInfo(path).absoluteFilePath();
    // A file that cannot be read leaves its page empty and without a path,
    // so that saving it asks for a name instead of overwriting the file.
    QString reason;
    if (!EditorWindow->LoadFile(FileName, &reason))
        ShowFileError(FileName, false, reason);
    if (created)
        EditorWindow->show();
}

bool TZelkForm::SaveCurrentPageTo(const QString& path)
{
    QString reason;
    if (!EditorWindow->SaveCurrentPage(path, &reason)) {
        ShowFileError(path, true, reason);
        return false;
    }
    FileName = path;
    return true;
}

bool TZelkForm::FileSaveItemClick()
{
    if (!HasPage())
        return false;
    // The page writes back to the file it came from; a page never saved
    // has no file yet.
    const QString path = EditorWindow->CurrentPagePath();
    if (path.isEmpty())
        return FileSaveAsItemClick();
    return SaveCurrentPageTo(path);
}

bool TZelkForm::FileSaveAsItemClick()
{
    if (!HasPage())
        return false;
    const QPointer<TZelkPage> page = EditorWindow->Editor();
    const QString preset =
        QDir::current().absoluteFilePath(EditorWindow->CurrentPageCaption() + ".pas");
    const QString path =
        dialogs().GetSaveFileName(this, QString(), ProgramFilter, QStringLiteral("pas"), preset);
    if (path.isEmpty() || !BackToPage(page))
        return false;
    const QString full = QFileInfo(path).absoluteFilePath();
    QDir::setCurrent(QFileInfo(full).absolutePath());
    return SaveCurrentPageTo(full);
}

void TZelkForm::FileCloseItemClick()
{
    if (!HasPage())
        return;
    const QPointer<TZelkPage> page = EditorWindow->Editor();
    if (EditorWindow->IsModified()) {
        const MsgAnswer answer = messages().Show(MsgIcon::Warning, "Warning",
                                                 "Text wurde geändert. Speichern?",
                                                 MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel || !BackToPage(page))
            return;
        // A save that failed or whose dialog was cancelled keeps the page:
        // closing it would lose the text the user wanted to keep.
        if (answer == MsgAnswer::Yes && !FileSaveItemClick())
            return;
        if (!BackToPage(page))
            return;
    }
    EditorWindow->CloseCurrentPage();
}

void TZelkForm::FileExitItemClick() { close(); }

bool TZelkForm::FormCloseQuery()
{
    if (!EditorWindow)
        return true;
    // Every modified page is asked about, not only the selected one.
    for (int i = 0; i < EditorWindow->PageCount(); ++i) {
        if (!EditorWindow->PageModified(i))
            continue;
        EditorWindow->SelectPage(i);
        const QPointer<TZelkPage> page = EditorWindow->PageEditor(i);
        const MsgAnswer answer = messages().Show(MsgIcon::Warning, "Warning",
                                                 "Text wurde geändert. Speichern?",
                                                 MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel)
            return false;
        if (answer == MsgAnswer::Yes && (!BackToPage(page) || !FileSaveItemClick()))
            return false;
    }
    return true;
}

void TZelkForm::closeEvent(QCloseEvent* e)
{
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    runController->SetTimer1Enabled(false);
    // The settings are written here once a settings store exists.
    e->accept();
}

// ------------------------------------------------------------ clipboard

void TZelkForm::CutItemClick()
{
    if (HasPage() && EditorWindow->Editor())
        EditorWindow->Editor()->cut();
}

void TZelkForm::CopyItemClick()
{
    if (HasPage() && EditorWindow->Editor())
        EditorWindow->Editor()->copy();
    if (!FeldFlaeche)
        return;
    // The work field view has the focus when the keyboard focus lies in it;
    // a tool button takes no focus, so this also holds for SpeedButton6.
    QWidget* focus = QApplication::focusWidget();
    const bool feldFocused = focus ? (focus == FeldFlaeche || FeldFlaeche->isAncestorOf(focus))
                                   : MdiArea->activeSubWindow() == FeldFlaeche;
    if (feldFocused)
        FeldFlaeche->CopyToClipboard();
}

void TZelkForm::PasteItemClick()
{
    if (HasPage() && EditorWindow->Editor())
        EditorWindow->Editor()->paste();
}

// ------------------------------------------------------ work field

void TZelkForm::FeldNeu1Click()
{
    Welt.Loeschen();
    Welt.Grundstellung();
    if (FeldFlaeche)
        FeldFlaeche->RepaintAll();
    if (ZelkMeldung) {
        ZelkMeldung->ZeigeMaterial(Roboter.Vorrat);
        ZelkMeldung->ZeigePosition(Roboter.X, Roboter.Y);
    }
    SetFeldPanelText(QStringLiteral("Arbeitsfeld: "));
}

void TZelkForm::Zuruecksetzen1Click()
{
    if (Welt.Zuruecksetzen() && FeldFlaeche)
        FeldFlaeche->RepaintAll();
}

void TZelkForm::FeldChangeBtnClick()
{
    editing = !editing;
    if (FeldFlaeche)
        FeldFlaeche->Veraendern = editing;
    FeldChangeBtn->setChecked(editing);
    if (ZelkMeldung) {
        // The supply bar starts from the supply the robot has, not from
        // wherever it was left.
        if (editing)
            ZelkMeldung->ScrollMaterial->setValue(Roboter.Vorrat);
        ZelkMeldung->ScrollMaterial->setEnabled(editing);
    }
    Veraendern1->setChecked(editing);
    UpdateRunControls();
    if (!editing)
        Welt.Uebernehmen();  // the edited world is the new start state
}

void TZelkForm::ArbeitsfeldOeffnen1Click()
{
    const QString path =
        dialogs().GetOpenFileName(this, QString(), OpenFeldFilter, QDir::currentPath());
    if (path.isEmpty())
        return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (!Welt.Oeffnen(LocalPath(path)))
        return;  // Oeffnen has shown why
    if (FeldFlaeche)
        FeldFlaeche->RepaintAll();
    SetFeldPanelText(FeldPanelText(path));
}

void TZelkForm::ArbeitsfeldSpeichern1Click()
{
    const QString path = dialogs().GetSaveFileName(this, QString(), SaveFeldFilter,
                                                   QStringLiteral("rob"), QDir::currentPath());
    if (path.isEmpty())
        return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (editing)
        FeldChangeBtnClick();  // takes the edited world over as the start state
    bool geschrieben = false;
    if (!Welt.Speichern(LocalPath(path), geschrieben))
        ShowError("Arbeitsfeld konnte nicht gespeichert werden!");
    else if (geschrieben)
        // A declined overwrite wrote nothing: the panel keeps naming the
        // file the world came from.
        SetFeldPanelText(FeldPanelText(path));
}
