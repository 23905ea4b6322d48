#pragma once
// The info window "Zelk Info": the robot's position and supply, the speed
// control, and the two timers that clock a run and a teach-in replay.
#include <QMdiSubWindow>
#include <QRect>

class QFrame;
class QLabel;
class QScrollBar;
class QTimer;

// Where the info window stands inside the main window (left, top, outer width
// and height), as the section "Fenster" of the settings keeps it.
QRect InfoFensterPlatz();

class TZelkMeldung : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TZelkMeldung(QWidget* parent = nullptr);
    ~TZelkMeldung() override;

    void ZeigePosition(int x, int y);
    void ZeigeMaterial(int n);
    // The run control switches the interpreter's step timer.
    void SetTimer1Enabled(bool on);
    // The teach-in recorder switches its replay timer.
    void SetTimer2Enabled(bool on);
    // The editing mode of the work field enables the supply bar, starting
    // from the supply the robot has.
    void ScrollMaterialFreigeben(bool editing);

    // Handlers that tests and tools drive as the user's scrolling and the
    // timers' ticks would.
    void ScrollGeschwScroll(int position);
    void Timer1Timer();
    void Timer2Timer();

signals:
    // A tick of Timer1: one step of the run.
    void Timer1Abgelaufen();
    // A tick of Timer2: one step of the teach-in replay.
    void Timer2Abgelaufen();
    // The supply bar in the editing mode: one drag is one edit of the field,
    // each position reached sets the supply.
    void VorratBearbeitungAnfang();
    void VorratBearbeitungEnde();
    void VorratEingestellt(int vorrat);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FormActivate();
    void ScrollGeschwEnter();
    void ScrollMaterialScroll(int position);
    // Sets a bar's position as the window itself does: no scroll.
    void SelbstGesetzt(QScrollBar* bar, int position);
    QLabel* NeuesLabel(const char* name, const QString& text, int left, int top);
    void ZustandGeaendert(Qt::WindowStates alt, Qt::WindowStates neu);
    void ZeigeWiederherstellen(bool minimiert);
    bool AufTitel(QPoint punkt) const;  // on the title bar's text

    // Components with their form names, which are also their object names.
    // Null until the constructor creates them: the event filter already sees
    // the events of the children created before them.
    QWidget* client = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LabelXpos = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LabelYpos = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LabelMaterial = nullptr;
    QScrollBar* ScrollMaterial = nullptr;
    QLabel* Geschwindigkeit = nullptr;
    QLabel* LabelGeschw = nullptr;
    QScrollBar* ScrollGeschw = nullptr;
    QTimer* Timer1 = nullptr;  // one interpreter step per tick
    QTimer* Timer2 = nullptr;  // one teach-in replay step per tick
    bool vorratBearbeiten = false;  // the editing mode has freed the supply bar
    bool aktiv = false;             // active and not minimised, as last reported
    bool selbstGesetzt = false;     // a bar's position is being set by this window
};
