#include "workfield/ZelkTeachin.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "platform/DialogService.h"
#include "platform/Hints.h"
#include "ports/Messages.h"
#include "ports/WorldDisplay.h"
#include "world/TeachinSequenz.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkHandsteuerung.h"

namespace {

const QString Filter = QStringLiteral("Teachin-Sequenz|*.tip");

QString NurName(const QString& path) { return QFileInfo(path).fileName(); }

// A confirmed file dialog makes the chosen folder the current one, as every
// file dialog of the program does.
void OrdnerWechseln(const QString& path) { QDir::setCurrent(QFileInfo(path).absolutePath()); }

}  // namespace

TTeachin::TTeachin(QWidget* parent) : TMenuFenster(QStringLiteral("Teachin"), parent)
{
    setObjectName(QStringLiteral("TeachinWindow"));
    auto* client = new QWidget(this);
    QFont schrift(QStringLiteral("Sans Serif"), 8);
    schrift.setBold(true);
    client->setFont(schrift);
    setWidget(client);

    RecordBtn = NeuerKnopf("RecordBtn", QRect(4, 2, 158, 22), QStringLiteral("Sequenz &aufzeichnen"),
                           QStringLiteral("Beginnt eine neue Aufzeichnung der Befehle oder beendet sie"));
    vorBtn = NeuerKnopf("vorBtn", QRect(4, 26, 77, 22), QStringLiteral("&vor"), BefehlsHinweis('V'));
    drehelinksBtn = NeuerKnopf("drehelinksBtn", QRect(85, 26, 77, 22), QStringLiteral("&drehe links"),
                               BefehlsHinweis('D'));
    gibabBtn = NeuerKnopf("gibabBtn", QRect(4, 50, 77, 22), QStringLiteral("&gib ab"), BefehlsHinweis('G'));
    nimmaufBtn = NeuerKnopf("nimmaufBtn", QRect(85, 50, 77, 22), QStringLiteral("&nimm auf"),
                            BefehlsHinweis('N'));
    DateiNameLabel = new QLabel(client);
    DateiNameLabel->setObjectName(QStringLiteral("DateiNameLabel"));
    DateiNameLabel->setAlignment(Qt::AlignCenter);
    DateiNameLabel->setGeometry(4, 74, 158, 14);
    StartStopBtn = NeuerKnopf("StartStopBtn", QRect(4, 90, 158, 22), QStringLiteral("Sequenz &starten"),
                              QStringLiteral("Spielt die Sequenz vom Anfangszustand des Arbeitsfelds ab "
                                             "oder hält sie an"));
    OpenBtn = NeuerKnopf("OpenBtn", QRect(4, 116, 77, 22), QStringLiteral("&Öffnen"),
                         QStringLiteral("Öffnet eine Teachin-Sequenz aus einer Datei"));
    SaveBtn = NeuerKnopf("SaveBtn", QRect(85, 116, 77, 22), QStringLiteral("S&peichern"),
                         QStringLiteral("Speichert die Sequenz in einer Teachin-Datei"));

    connect(RecordBtn, &QPushButton::clicked, this, &TTeachin::RecordBtnClick);
    connect(vorBtn, &QPushButton::clicked, this, &TTeachin::vorBtnClick);
    connect(drehelinksBtn, &QPushButton::clicked, this, &TTeachin::drehelinksBtnClick);
    connect(gibabBtn, &QPushButton::clicked, this, &TTeachin::gibabBtnClick);
    connect(nimmaufBtn, &QPushButton::clicked, this, &TTeachin::nimmaufBtnClick);
    connect(StartStopBtn, &QPushButton::clicked, this, &TTeachin::StartStopBtnClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TTeachin::OpenBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TTeachin::SaveBtnClick);

    FormShow();
}

TTeachin::~TTeachin()
{
    // Also when the main window goes with its children still open.
    if (Replaying)
        SetReplayTimer(false);
}

// A closed window is destroyed only later, when a new one may already drive
// the replay timer: only a window that replays answers its ticks.
void TTeachin::Timer2Abgelaufen()
{
    if (!Replaying)
        return;
    // A replay step that fails in any way ends the replay silently.
    bool weiter = false;
    try {
        weiter = ReplayStep();
    } catch (...) {
        weiter = false;
    }
    if (!weiter)
        SetReplayTimer(false);
}

QPushButton* TTeachin::NeuerKnopf(const char* name, const QRect& platz, const QString& text,
                                  const QString& hint)
{
    auto* knopf = new QPushButton(text, widget());
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setGeometry(platz);
    SetHint(knopf, hint);
    return knopf;
}

void TTeachin::FormShow()
{
    setFixedSize(174, 170);
    move(450, 220);
    // The window starts idle. Shown again, a recording or replay in progress
    // ends through its own button, so that the captions, the buttons and
    // the replay timer say what holds; the sequence is kept.
    if (Recording)
        RecordBtnClick();
    ReplayBeenden();
    SetCommandButtonsEnabled(false);
    DateiNameLabel->clear();
}

void TTeachin::FormClose()
{
    // A running replay ends first, so that its timer never reaches a closed
    // window.
    ReplayBeenden();
}

void TTeachin::SetCommandButtonsEnabled(bool enabled)
{
    for (QPushButton* b : {vorBtn, drehelinksBtn, gibabBtn, nimmaufBtn})
        b->setEnabled(enabled);
}

void TTeachin::UpdateFileButtons()
{
    for (QPushButton* b : {RecordBtn, OpenBtn, SaveBtn})
        b->setEnabled(!Replaying);
    StartStopBtn->setEnabled(Replaying || !programmLaeuft);
}

void TTeachin::ProgrammLaeuft(bool laeuft)
{
    programmLaeuft = laeuft;
    if (laeuft)
        ReplayBeenden();
    UpdateFileButtons();
}

void TTeachin::ReplayBeenden()
{
    if (Replaying)
        StartStopBtnClick();
}

void TTeachin::SetReplayTimer(bool on) { emit ReplayTimerSchalten(on); }

std::string TTeachin::Sequence() const
{
    std::string s;
    for (int i = 0; i < MaxTeachinBefehle && Commands[i] != TeachinEndeMarke; ++i)
        s += Commands[i];
    return s;
}

// The action first, on the world as it stands; it is recorded even when it
// failed, so a replay ends at the same command.
void TTeachin::Befehl(char letter)
{
    FuehreTeachinBefehlAus(letter);
    AddCommand(letter);
}

void TTeachin::vorBtnClick() { Befehl('V'); }
void TTeachin::drehelinksBtnClick() { Befehl('D'); }
void TTeachin::nimmaufBtnClick() { Befehl('N'); }
void TTeachin::gibabBtnClick() { Befehl('G'); }

void TTeachin::AddCommand(char letter)
{
    if (Index < MaxTeachinBefehle && Index >= 0) {
        Commands[Index] = letter;
        ++Index;
        Commands[Index] = TeachinEndeMarke;
        return;
    }
    ShowError("Es sind nur 300 Befehle im Teachin-Modus möglich !");
}

void TTeachin::RecordBtnClick()
{
    if (Recording) {
        SetCommandButtonsEnabled(false);
        Recording = false;
        RecordBtn->setText(QStringLiteral("Sequenz &aufzeichnen"));
        return;
    }
    DateiNameLabel->clear();
    SetCommandButtonsEnabled(true);
    Index = 0;
    Commands[0] = TeachinEndeMarke;
    Recording = true;
    RecordBtn->setText(QStringLiteral("Aufzeichung beenden"));
}

void TTeachin::StartStopBtnClick()
{
    if (Recording)
        RecordBtnClick();
    if (Replaying) {
        Replaying = false;
        SetReplayTimer(false);
        StartStopBtn->setText(QStringLiteral("Sequenz &starten"));
        // Where the replay left Zelk is told at once, as for a program run.
        emit ReplayGeendet();
    } else {
        Replaying = true;
        // A replay starts from the start state, not from where the
        // recording began.
        Welt.Zuruecksetzen();
        worldDisplay().RepaintAll();
        // The start state replaced the edited world as a whole: in the
        // editing mode the supply bar stands at its supply, as after
        // "Zurücksetzen".
        emit ReplayGestartet();
        Welt.AbbruchLoeschen();
        Index = 0;
        SetReplayTimer(true);
        StartStopBtn->setText(QStringLiteral("Sequenz &anhalten"));
    }
    UpdateFileButtons();
}

bool TTeachin::ReplayStep()
{
    if (!Replaying)
        return false;
    if (Welt.Abbruch) {
        StartStopBtnClick();
        return false;
    }
    bool weiter = false;
    if (Index >= 0 && Index < MaxTeachinBefehle && Commands[Index] != TeachinEndeMarke) {
        const char letter = Commands[Index];
        ++Index;
        // A failing action shows its box here; ticks arriving meanwhile find
        // Abbruch set and end the replay above.
        FuehreTeachinBefehlAus(letter);
        weiter = !Welt.Abbruch;
    }
    if (!weiter && Replaying)
        StartStopBtnClick();
    return weiter;
}

void TTeachin::OpenBtnClick()
{
    if (Recording)
        RecordBtnClick();
    const QString name = dialogs().GetOpenFileName(this, QStringLiteral("Teachin-Sequenz öffnen"), Filter,
                                                   QDir::currentPath());
    if (name.isEmpty())
        return;
    OrdnerWechseln(name);
    if (LoadSequence(name))
        DateiNameLabel->setText(NurName(name));
}

void TTeachin::SaveBtnClick()
{
    if (Recording)
        RecordBtnClick();
    const QString name = dialogs().GetSaveFileName(this, QStringLiteral("Teachin-Sequenz speichern"), Filter,
                                                   QStringLiteral("tip"),
                                                   QDir(QDir::currentPath()).filePath(QStringLiteral("new.tip")),
                                                   false);  // SequenzSpeichern asks itself
    if (name.isEmpty())
        return;
    OrdnerWechseln(name);
    if (SaveSequence(name))
        DateiNameLabel->setText(NurName(name));
}

bool TTeachin::LoadSequence(const QString& fileName)
{
    std::string befehle;
    const bool gelesen = SequenzLaden(fileName.toStdString(), befehle);
    Index = 0;
    for (char c : befehle)
        Commands[Index++] = c;
    Commands[Index] = TeachinEndeMarke;
    return gelesen;
}

bool TTeachin::SaveSequence(const QString& fileName)
{
    return SequenzSpeichern(fileName.toStdString(), Sequence());
}
