#include "workfield/ZelkInfo.h"

#include "platform/Einstellungen.h"
#include "platform/FormLabel.h"
#include "platform/Hints.h"

#include <algorithm>

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>

#include "execution/Geschwindigkeit.h"
#include "execution/ZelkPreter.h"
#include "world/ZelkFeld.h"


static void LadeInfoBilder() { Q_INIT_RESOURCE(world); }

namespace {

// Client size of the window as laid out.
constexpr int ClientBreite = 137;
constexpr int ClientHoehe = 180;

QScrollBar* NeueScrollBar(QWidget* parent, const char* name, int left, int top, int maximum,
                          int position)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(left, top, 121, 17);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    bar->setValue(position);
    // The bars take the focus by the tab key and by a click, and then follow
    // the arrow keys.
    bar->setFocusPolicy(Qt::StrongFocus);
    // Qt's scroll bars invert their controls for the mouse wheel, which would
    // make the right arrow key lower the value; here right means more.
    bar->setInvertedControls(false);
    return bar;
}

}  // namespace

// Until the settings file is read, the window stands at the defaults of its
// section "Fenster": info_left, info_top, info_width, info_height.
QRect InfoFensterPlatz() { return GelesenerPlatz(PlaceOf::Info, QRect(460, 5, 145, 207)); }

TZelkMeldung::TZelkMeldung(QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint)
{
    LadeInfoBilder();
    setObjectName(QStringLiteral("ZelkMeldung"));
    setWindowTitle(QStringLiteral("Zelk Info"));
    // Drawn from the SVG at whatever size and pixel ratio the frame needs.
    setWindowIcon(QIcon(QStringLiteral(":/world/info.svg")));

    client = new QWidget(this);
    client->resize(ClientBreite, ClientHoehe);
    client->setMinimumSize(0, 0);
    setWidget(client);

    // The frame first, so that the position labels lie on top of it.
    Bevel1 = new QFrame(client);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 24, 121, 25);

    Label1 = NeuesLabel("Label1", QStringLiteral("Zelk Position:"), 8, 8);
    Label2 = NeuesLabel("Label2", QStringLiteral("x= "), 16, 32);
    LabelXpos = NeuesLabel("LabelXpos", QStringLiteral("1"), 40, 32);
    Label3 = NeuesLabel("Label3", QStringLiteral("y= "), 72, 32);
    LabelYpos = NeuesLabel("LabelYpos", QStringLiteral("1"), 96, 32);
    Label4 = NeuesLabel("Label4", QStringLiteral("Material:"), 8, 64);
    LabelMaterial = NeuesLabel("LabelMaterial", QStringLiteral("0"), 64, 64);
    ScrollMaterial = NeueScrollBar(client, "ScrollMaterial", 8, 88, 99, 0);
    ScrollMaterial->setEnabled(false);  // only the editing mode enables it
    SetHint(ScrollMaterial,
            QStringLiteral("Material|Vorrat von Zelk, beim Verändern des Arbeitsfelds einstellbar"));
    Geschwindigkeit = NeuesLabel("Geschwindigkeit", QStringLiteral("Geschwindigkeit:"), 8, 120);
    LabelGeschw = NeuesLabel("LabelGeschw", QString::number(StartGeschwindigkeit), 112, 120);
    ScrollGeschw = NeueScrollBar(client, "ScrollGeschw", 8, 144, GroessteGeschwindigkeit, StartGeschwindigkeit);
    SetHint(ScrollGeschw,
            QStringLiteral("Geschwindigkeit|Geschwindigkeit des Programmablaufs, nach rechts schneller"));

    // Every new position is a scroll: the user's arrows, page steps, drags,
    // keys and wheel, and a value that a screen reader or voice control sets
    // (which comes as a plain setValue, without an action). Only the
    // positions this window sets itself are none; it sets them under
    // SelbstGesetzt.
    connect(ScrollGeschw, &QScrollBar::valueChanged, this, [this](int p) {
        if (!selbstGesetzt)
            ScrollGeschwScroll(p);
    });
    connect(ScrollMaterial, &QScrollBar::valueChanged, this, [this](int p) {
        if (!selbstGesetzt)
            ScrollMaterialScroll(p);
    });
    // One drag of the supply bar is one step of the work field's undo
    // history, however many positions it passes.
    connect(ScrollMaterial, &QScrollBar::sliderPressed, this, [this] {
        if (vorratBearbeiten)
            emit VorratBearbeitungAnfang();
    });
    connect(ScrollMaterial, &QScrollBar::sliderReleased, this, &TZelkMeldung::VorratBearbeitungEnde);
    ScrollGeschw->installEventFilter(this);

    // FormCreate: the intervals stay at these values until the speed bar is
    // first moved, although the bar shows 40.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(StartSchrittIntervall);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TZelkMeldung::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(StartWiedergabeIntervall);
    Timer2->setTimerType(Qt::PreciseTimer);
    connect(Timer2, &QTimer::timeout, this, &TZelkMeldung::Timer2Timer);

    connect(this, &QMdiSubWindow::windowStateChanged, this, &TZelkMeldung::ZustandGeaendert);
    FormActivate();
}

TZelkMeldung::~TZelkMeldung()
{
    // QMdiSubWindow's own destructor still reports a state change, when this
    // window is no TZelkMeldung any more.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
}

QLabel* TZelkMeldung::NeuesLabel(const char* name, const QString& text, int left, int top)
{
    // A narrow sans-serif, so that "Geschwindigkeit:" ends before its value.
    return FormLabel(client, name, text, left, top, FormSchrift(8, true));
}

void TZelkMeldung::ZeigePosition(int x, int y)
{
    LabelXpos->setText(QString::number(x));
    LabelXpos->adjustSize();
    LabelYpos->setText(QString::number(y));
    LabelYpos->adjustSize();
}

void TZelkMeldung::ZeigeMaterial(int n)
{
    // The supply bar keeps its position: it is set only by the user.
    LabelMaterial->setText(QString::number(n));
    LabelMaterial->adjustSize();
}

void TZelkMeldung::FormActivate()
{
    // Moving the window lasts only until it is next activated. The border is
    // fixed: the user cannot change the size.
    const QRect platz = InfoFensterPlatz();
    setFixedSize(platz.size());
    // Left of or above the work area, as in a damaged file, the window would
    // be thrown out of sight again at every activation.
    move(std::max(0, platz.left()), std::max(0, platz.top()));
}

void TZelkMeldung::ZustandGeaendert(Qt::WindowStates alt, Qt::WindowStates neu)
{
    if ((alt ^ neu) & Qt::WindowMinimized)
        ZeigeWiederherstellen(neu & Qt::WindowMinimized);
    // Becoming active, or coming back from minimised while active. A
    // minimised window keeps its minimised place. Qt reports one restore
    // twice, each time from a state without the activation (first 0 to
    // active, then minimised to active): the window's own record of its
    // state lets it read its place once per activation.
    const bool istAktiv = (neu & Qt::WindowActive) && !(neu & Qt::WindowMinimized);
    if (istAktiv && !aktiv)
        FormActivate();
    aktiv = istAktiv;
}

void TZelkMeldung::ZeigeWiederherstellen(bool minimiert)
{
    // Closing minimises the window, and the minimised bar needs a way back:
    // with the minimise hint Qt gives it a restore button and puts
    // "Wiederherstellen" into its window menu (the double-click is ours,
    // below). The normal window keeps only its close box.
    setWindowFlag(Qt::WindowMinimizeButtonHint, minimiert);
}

void TZelkMeldung::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt holds a minimised child window still and ignores a double-click on
    // the bar of a window that cannot move; the bar is all there is of it.
    if (isMinimized() && event->button() == Qt::LeftButton && AufTitel(event->position().toPoint())) {
        showNormal();
        return;
    }
    QMdiSubWindow::mouseDoubleClickEvent(event);
}

bool TZelkMeldung::AufTitel(QPoint punkt) const
{
    // The title text, not one of the buttons or the window menu's icon.
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = windowFlags();
    option.titleBarState = windowState();
    option.text = windowTitle();
    option.icon = windowIcon();
    option.rect = QRect(0, 0, width(), style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, this));
    return style()->hitTestComplexControl(QStyle::CC_TitleBar, &option, punkt, this) ==
           QStyle::SC_TitleBarLabel;
}

void TZelkMeldung::ScrollGeschwScroll(int position)
{
    const int p = GeschwindigkeitImBereich(position);
    LabelGeschw->setText(QString::number(p));
    LabelGeschw->adjustSize();
    Timer1->setInterval(SchrittIntervall(p));
    Timer2->setInterval(WiedergabeIntervall(p));
}

void TZelkMeldung::SelbstGesetzt(QScrollBar* bar, int position)
{
    // A flag rather than blockSignals, which would hide the change from
    // every other listener of the bar too.
    const bool alt = selbstGesetzt;
    selbstGesetzt = true;
    bar->setValue(position);
    selbstGesetzt = alt;
}

void TZelkMeldung::ScrollGeschwEnter()
{
    // Only the thumb goes back to 40; the label and the intervals follow at
    // the next scroll.
    SelbstGesetzt(ScrollGeschw, StartGeschwindigkeit);
}

void TZelkMeldung::ScrollMaterialScroll(int position)
{
    if (vorratBearbeiten) {
        const int p = std::clamp(position, 0, 99);
        LabelMaterial->setText(QString::number(p));
        LabelMaterial->adjustSize();
        emit VorratEingestellt(p);
    } else {
        SelbstGesetzt(ScrollMaterial, Roboter.Vorrat);
    }
}

void TZelkMeldung::SetTimer1Enabled(bool on)
{
    if (on)
        Timer1->start();
    else
        Timer1->stop();
}

void TZelkMeldung::SetTimer2Enabled(bool on)
{
    if (on)
        Timer2->start();
    else
        Timer2->stop();
}

void TZelkMeldung::ScrollMaterialFreigeben(bool editing)
{
    vorratBearbeiten = editing;
    if (editing)
        SelbstGesetzt(ScrollMaterial, Roboter.Vorrat);
    ScrollMaterial->setEnabled(editing);
}

void TZelkMeldung::Timer1Timer()
{
    // One tick, one instruction: the run takes it, where breakpoints and
    // the history of the run are. Without a run nothing steps.
    if (isSignalConnected(QMetaMethod::fromSignal(&TZelkMeldung::Timer1Abgelaufen)))
        emit Timer1Abgelaufen();
    else
        Timer1->stop();
}

void TZelkMeldung::Timer2Timer()
{
    // Without a teach-in window nothing replays.
    if (!isSignalConnected(QMetaMethod::fromSignal(&TZelkMeldung::Timer2Abgelaufen)))
        Timer2->stop();
    else
        emit Timer2Abgelaufen();
}

void TZelkMeldung::closeEvent(QCloseEvent* event)
{
    // The window lives as long as the program: closing only minimises it.
    event->ignore();
    showMinimized();
}

bool TZelkMeldung::eventFilter(QObject* watched, QEvent* event)
{
    // The sub-window filters its client's events from setWidget on, before
    // the speed bar exists.
    if (ScrollGeschw && watched == ScrollGeschw && event->type() == QEvent::FocusIn) {
        // The focus only coming back to the bar after another program, a
        // message box, a menu or a popup had it does not count as entering
        // it; otherwise the thumb would leave the speed after every menu.
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            break;
        default:
            ScrollGeschwEnter();
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}
