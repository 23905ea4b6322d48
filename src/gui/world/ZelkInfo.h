#pragma once
// The info window "Zelk Info": the robot's position and supply, the speed
// control, and the two timers that clock a run and a teach-in replay.
#include <QMdiSubWindow>
#include <QRect>
#include <functional>

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

    // One replay step of the teach-in recorder; false ends the replay.
    std::function<bool()> ReplayStep;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FormActivate();
    void ScrollGeschwEnter();
    void ScrollMaterialScroll(int position);
    QLabel* NeuesLabel(const char* name, const QString& text, int left, int top);
    void ZustandGeaendert(Qt::WindowStates alt, Qt::WindowStates neu);
    void ZeigeWiederherstellen(bool minimiert);
    bool AufTitel(QPoint punkt) const;  // on the title bar's text

    // Components with their form names, which are also their object names.
    QWidget* client;
    QLabel* Label1;
    QFrame* Bevel1;
    QLabel* Label2;
    QLabel* LabelXpos;
    QLabel* Label3;
    QLabel* LabelYpos;
    QLabel* Label4;
    QLabel* LabelMaterial;
    QScrollBar* ScrollMaterial;
    QLabel* Geschwindigkeit;
    QLabel* LabelGeschw;
    QScrollBar* ScrollGeschw;
    QTimer* Timer1;  // one interpreter step per tick
    QTimer* Timer2;  // one teach-in replay step per tick
};

extern TZelkMeldung* ZelkMeldung;
