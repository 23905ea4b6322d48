#include "workfield/ZelkGrafik.h"

#include <algorithm>
#include <functional>

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "platform/Colors.h"
#include "ports/WorldDisplay.h"
#include "settings/ZelkSettings.h"
#include "workfield/FeldZugang.h"
#include "world/FeldKlick.h"
#include "world/WeltBeschreibung.h"
#include "world/ZelkFeld.h"

// The pictures sit in a static library; naming the resource keeps them linked.
static void LadeWeltBilder() { Q_INIT_RESOURCE(world); }

namespace {

// Squares lie 28 pixels apart; square (x, y) has its top-left grid line
// corner at (ox, oy), row 1 at the bottom.
int Ox(int x) { return 28 * (x - 1) + 6; }
int Oy(int y) { return 28 * (10 - y) + 6; }

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

// Pictures are made for the finest screen of the display, so that they stay
// sharp on a high-resolution screen; their sizes and places stay logical.
qreal BildSchaerfe() { return std::max<qreal>(1, qApp ? qApp->devicePixelRatio() : 1); }

QPixmap SvgBild(const QString& resource, QSize size, qreal schaerfe = BildSchaerfe());

// The cursors of the editing mode, 32 x 32 with the hot spot at (15, 15).
// Drawn at a pixel ratio of 1: X takes the hot spot in the picture's own
// pixels, so on a high-resolution screen a sharper picture would put it at
// half its place.
QCursor EditCursor(const char* name)
{
    return QCursor(SvgBild(QStringLiteral(":/world/%1.svg").arg(QLatin1String(name)), QSize(32, 32), 1),
                   15, 15);
}

// Centre offsets of the nine item marks inside a square: bottom row first,
// middle before left before right.
const int punktDx[9] = {17, 10, 24, 17, 10, 24, 17, 10, 24};
const int punktDy[9] = {24, 24, 24, 17, 17, 17, 10, 10, 10};

// A ring about five pixels across, as the outline of an ellipse in a 5 x 5
// box. Set out pixel by pixel so that it looks the same on every platform.
const char* const ring[5] = {
    ".XXX.",
    "X...X",
    "X...X",
    "X...X",
    ".XXX.",
};

const QColor schwarz(0, 0, 0);
const QColor weiss(255, 255, 255);

QPixmap SvgBild(const QString& resource, QSize size, qreal schaerfe)
{
    QPixmap bild(QSizeF(QSizeF(size) * schaerfe).toSize());
    bild.setDevicePixelRatio(schaerfe);
    bild.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&bild);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return bild;
}

QImage NeueZeichnung(int breite, int hoehe)
{
    const qreal schaerfe = BildSchaerfe();
    QImage bild(QSizeF(QSizeF(breite, hoehe) * schaerfe).toSize(), QImage::Format_RGB32);
    bild.setDevicePixelRatio(schaerfe);
    return bild;
}

// The client area: shows the backing store and passes mouse moves on.
class FeldCanvas : public QWidget {
public:
    FeldCanvas(const QImage& zeichnung, TFeldFlaeche* ansicht)
        : QWidget(ansicht), ansicht(ansicht), zeichnung(zeichnung)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        // "Kopieren" copies the picture when the view has the focus; the tab
        // key brings it there too, for the keys of the editing mode.
        setFocusPolicy(Qt::StrongFocus);
    }

    TFeldFlaeche* const ansicht;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect r = event->rect();
        painter.fillRect(r, weiss);
        // The source rectangle counts the image's own pixels.
        const qreal schaerfe = zeichnung.devicePixelRatio();
        painter.drawImage(QRectF(r), zeichnung,
                          QRectF(QPointF(r.topLeft()) * schaerfe, QSizeF(r.size()) * schaerfe));
    }

private:
    const QImage& zeichnung;
};

// The thin frame around the square that the arrow keys have reached. It lies
// above the robot picture and lets every click through to the view.
class FokusRahmen : public QWidget {
public:
    explicit FokusRahmen(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("FokusRahmen"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // Inside the square's grid lines and around its item marks.
        resize(25, 25);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// The view's drawing area speaks for itself to assistive technology.
QAccessibleInterface* FeldZugangFabrik(const QString&, QObject* object)
{
    auto* canvas = dynamic_cast<FeldCanvas*>(object);
    if (!canvas)
        return nullptr;
    TFeldFlaeche* ansicht = canvas->ansicht;
    return new TFeldZugang(canvas, [ansicht] { return ansicht->Beschreibung(); });
}

}  // namespace

// One robot picture. Clicks and mouse moves go to the view, where the
// editing mode turns the robot and shows its cursor.
class ZelkBild : public QLabel {
    Q_OBJECT
public:
    ZelkBild(const char* name, const QString& resource, QSize size, QWidget* parent);

signals:
    void Geklickt();
    void Ueberfahren();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

ZelkBild::ZelkBild(const char* name, const QString& resource, QSize size, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QString::fromLatin1(name));
    setPixmap(SvgBild(resource, size));
    resize(size);
    setMouseTracking(true);
    hide();
}

// The picture covers the robot's square: a press there is the picture's and
// never reaches the view beneath, so it cannot count as a click on the square.
void ZelkBild::mousePressEvent(QMouseEvent* event) { event->accept(); }

void ZelkBild::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a left press and release on the picture.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Geklickt();
    QLabel::mouseReleaseEvent(event);
}

void ZelkBild::mouseMoveEvent(QMouseEvent* event)
{
    emit Ueberfahren();
    event->accept();  // the view beneath would choose another cursor
}

TFeldFlaeche::TFeldFlaeche(QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      zeichnung(NeueZeichnung(Breite, Hoehe))
{
    LadeWeltBilder();
    setObjectName(QStringLiteral("FeldFlaeche"));
    setWindowTitle(QStringLiteral("Arbeitsfeld"));
    setWindowIcon(QIcon(QStringLiteral(":/world/arbeitsfeld.svg")));
    setAttribute(Qt::WA_DeleteOnClose, false);

    static const bool fabrik = (QAccessible::installFactory(FeldZugangFabrik), true);
    (void)fabrik;
    canvas = new FeldCanvas(zeichnung, this);
    canvas->setMouseTracking(true);
    canvas->installEventFilter(this);
    setWidget(canvas);
    fokusRahmen = new FokusRahmen(canvas);
    ansage = new TFeldAnsage(canvas);
    cursors[1] = EditCursor("CURSOR_W");
    cursors[2] = EditCursor("CURSOR_S");
    cursors[3] = EditCursor("CURSOR_N");
    cursors[4] = EditCursor("CURSOR_P");

    ZelkOst =
        new ZelkBild("ZelkOst", QStringLiteral(":/world/zelk_ost.svg"), QSize(30, 28), canvas);
    ZelkWest =
        new ZelkBild("ZelkWest", QStringLiteral(":/world/zelk_west.svg"), QSize(32, 32), canvas);
    ZelkNord =
        new ZelkBild("ZelkNord", QStringLiteral(":/world/zelk_nord.svg"), QSize(32, 32), canvas);
    ZelkSued =
        new ZelkBild("ZelkSued", QStringLiteral(":/world/zelk_sued.svg"), QSize(32, 32), canvas);
    for (ZelkBild* bild : {ZelkOst, ZelkWest, ZelkNord, ZelkSued}) {
        connect(bild, &ZelkBild::Geklickt, this, &TFeldFlaeche::changeDirection);
        connect(bild, &ZelkBild::Ueberfahren, this, &TFeldFlaeche::changeCursor);
    }
    // A screen reader meets the shown picture as Zelk looking its way.
    for (TRichtung d : {Ost, Nord, West, Sued}) {
        BildFuer(d)->setAccessibleName(QStringLiteral("Zelk"));
        BildFuer(d)->setAccessibleDescription(QString::fromStdString(Blickrichtung(d)));
    }

    move(5, 5);
    resize(Breite, Hoehe);
    RepaintAll();
}

TFeldFlaeche::~TFeldFlaeche()
{
    // The drawing area goes while the view is whole: its accessible object
    // asks the view for the description until the area is gone.
    canvas->removeEventFilter(this);
    delete canvas;
}

void TFeldFlaeche::Rechteck(int left, int top, int right, int bottom, const QColor& farbe)
{
    // Right and bottom are exclusive; filled and outlined in one colour.
    if (right <= left || bottom <= top)
        return;
    QPainter painter(&zeichnung);
    painter.fillRect(QRect(left, top, right - left, bottom - top), farbe);
    canvas->update(left, top, right - left, bottom - top);
}

void TFeldFlaeche::ZeichneFeld()
{
    // The colours may have changed in the options dialog since the last time.
    const QColor wand = ToQColor(Wallcolor);
    for (int i = 0; i <= FeldBreite; ++i)
        Rechteck(28 * i + 6, 6, 28 * i + 9, 289, wand);
    for (int j = 0; j <= FeldHoehe; ++j)
        Rechteck(6, 28 * j + 6, 429, 28 * j + 9, wand);

    for (int x = 1; x <= FeldBreite; ++x) {
        for (int y = 1; y <= FeldHoehe; ++y) {
            const TZelle& zelle = Welt.Zelle(x, y);
            ZeigeZellenPunkte(x, y);
            // Each inner side is drawn once, from the square left of it or
            // below it; the border keeps the grid colour.
            if (zelle.Offen[Ost] == 0 && x != FeldBreite)
                ZeichneSenkrecht(x, y, true);
            if (zelle.Offen[Nord] == 0 && y != FeldHoehe)
                ZeichneWaagerecht(x, y, true);
        }
    }
    SetzeBild(Roboter.X, Roboter.Y, false, Roboter.Richtung);
}

void TFeldFlaeche::ZeichneSenkrecht(int x, int y, bool hindernis)
{
    const int ox = Ox(x), oy = Oy(y);
    Rechteck(ox + 28, oy, ox + 31, oy + 31, ToQColor(hindernis ? Barriercolor : Wallcolor));
}

void TFeldFlaeche::ZeichneWaagerecht(int x, int y, bool hindernis)
{
    const int ox = Ox(x), oy = Oy(y);
    Rechteck(ox, oy, ox + 31, oy + 3, ToQColor(hindernis ? Barriercolor : Wallcolor));
}

void TFeldFlaeche::ZeichnePunkt(int x, int y, bool schwarzZeichnen, int k)
{
    if (k < 1 || k > 9 || !ImFeld(x, y))
        return;
    const int cx = Ox(x) + punktDx[k - 1];
    const int cy = Oy(y) + punktDy[k - 1];
    const int left = cx - 3, top = cy - 2;  // the ring's box is (cx-3, cy-2, cx+2, cy+3)
    // Pixel by pixel in logical pixels: on a high-resolution screen each is
    // a small square, as sharp as the rest.
    QPainter painter(&zeichnung);
    const QColor& farbe = schwarzZeichnen ? schwarz : weiss;
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5; ++col)
            if (ring[row][col] == 'X')
                painter.fillRect(left + col, top + row, 1, 1, farbe);
    canvas->update(left, top, 5, 5);
}

void TFeldFlaeche::ZeigeZellenPunkte(int x, int y)
{
    // A count out of range (only a damaged work field file holds one) shows
    // as many marks as fit.
    const int anzahl = std::min(std::max(Welt.Zelle(x, y).Anzahl, 0), 9);
    for (int k = 1; k <= anzahl; ++k)
        ZeichnePunkt(x, y, true, k);
}

ZelkBild* TFeldFlaeche::BildFuer(int d) const
{
    switch (((d % 4) + 4) % 4) {
    case Nord: return ZelkNord;
    case West: return ZelkWest;
    case Sued: return ZelkSued;
    default: return ZelkOst;
    }
}

void TFeldFlaeche::SetzeBild(int x, int y, bool loeschen, int d)
{
    ZelkBild* bild = BildFuer(d);
    bild->move(Ox(x) - 1, Oy(y) - 1);
    for (ZelkBild* anderes : {ZelkOst, ZelkWest, ZelkNord, ZelkSued})
        if (anderes != bild)
            anderes->hide();
    bild->show();
    bild->raise();
    fokusRahmen->raise();

    // The robot has not moved yet: the square it leaves is its current one.
    if (loeschen && ImFeld(Roboter.X, Roboter.Y)) {
        const int ox = Ox(Roboter.X), oy = Oy(Roboter.Y);
        Rechteck(ox + 4, oy + 3, ox + 27, oy + 28, weiss);
        ZeigeZellenPunkte(Roboter.X, Roboter.Y);
    }
    WeltGeaendert();
}

void TFeldFlaeche::RepaintAll()
{
    zeichnung.fill(weiss);
    canvas->update();
    ZeichneFeld();
    WeltGeaendert();
}

void TFeldFlaeche::CopyToClipboard()
{
    // grab() renders the canvas with its children, so the robot is in it;
    // the keyboard's frame is no part of the work field.
    const bool rahmen = fokusRahmen->isVisible();
    fokusRahmen->hide();
    const QPixmap bild = canvas->grab();
    fokusRahmen->setVisible(rahmen);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setPixmap(bild);
}

// ------------------------------------------------------- editing by mouse

// Which place a click edits is the world's rule (FeldKlick); the view
// draws what changed.
int TFeldFlaeche::Zone(int x, int y) { return static_cast<int>(KlickZone(x, y)); }

void TFeldFlaeche::Klick(int x, int y, bool setzen)
{
    const FeldKlickZiel ziel = KlickZiel(x, y);
    if (ziel.zone == FeldZone::Aussen)
        return;
    const TFeldBearbeitung bearbeitung(this);
    switch (ziel.zone) {
    case FeldZone::Waagerecht: Waagerecht(ziel.x, ziel.y, setzen); break;
    case FeldZone::Senkrecht: Senkrecht(ziel.x, ziel.y, setzen); break;
    case FeldZone::Zelk: KlickZelk(ziel.x, ziel.y); break;
    default: Punkt(ziel.x, ziel.y, setzen); break;
    }
}

// Any button: the world's rule turns the robot on its own square and moves
// it to any other.
void TFeldFlaeche::KlickZelk(int x, int y)
{
    if (!ZelkKlick(Welt, x, y))
        return;
    RepaintAll();
    worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
}

// The edits on squares are the world's rules, shared by the clicks and the
// keys, so the border rule holds for both; these draw what they changed.
void TFeldFlaeche::Waagerecht(int x, int y, bool setzen)
{
    if (SetzeWaagerecht(Welt, x, y, setzen))
        ZeichneWaagerecht(x, y, setzen);
}

void TFeldFlaeche::Senkrecht(int x, int y, bool setzen)
{
    if (SetzeSenkrecht(Welt, x, y, setzen))
        ZeichneSenkrecht(x, y, setzen);
}

void TFeldFlaeche::Punkt(int x, int y, bool setzen)
{
    if (!ImFeld(x, y))
        return;
    const int vorher = Welt.Zelle(x, y).Anzahl;
    if (!Welt.Gegenstand(x, y, setzen))
        return;
    // A new dot is drawn at its place, a removed one is cleared at its own.
    ZeichnePunkt(x, y, setzen, setzen ? vorher + 1 : vorher);
}

// The robot moves with its direction and supply; items and barriers on the
// way do not matter, and the target square may hold items.
void TFeldFlaeche::ZelkHin(int x, int y)
{
    if (!ImFeld(x, y) || (x == Roboter.X && y == Roboter.Y))
        return;
    SetzeBild(x, y, true, Roboter.Richtung);
    Welt.SetzeZelk(x, y);
    worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
}

void TFeldFlaeche::ZelkDrehen()
{
    Welt.DreheZelk();
    SetzeBild(Roboter.X, Roboter.Y, false, Roboter.Richtung);
}

void TFeldFlaeche::SetzeCursor(int nummer)
{
    cursorNummer = nummer;
    if (nummer == 0)
        canvas->unsetCursor();
    else
        canvas->setCursor(cursors[nummer]);
}

void TFeldFlaeche::FormMouseMove(int x, int y) { SetzeCursor(Veraendern ? Zone(x, y) : 0); }

void TFeldFlaeche::FormMouseDown(Qt::MouseButton button, int x, int y)
{
    if (!Veraendern)
        return;
    // The keyboard goes on from the square the mouse edited.
    const FeldKlickZiel feld = KlickFeld(x, y);
    if (feld.zone != FeldZone::Aussen)
        FokusSetzen(feld.x, feld.y);
    Klick(x, y, button == Qt::LeftButton);
}

void TFeldFlaeche::changeDirection()
{
    if (!Veraendern)
        return;
    const TFeldBearbeitung bearbeitung(this);
    FokusSetzen(Roboter.X, Roboter.Y);
    ZelkDrehen();
}

void TFeldFlaeche::changeCursor() { SetzeCursor(Veraendern ? 3 : 0); }

// ------------------------------------------------------ undo and redo

void TFeldFlaeche::VeraendernSetzen(bool an)
{
    Veraendern = an;
    verlauf.Loeschen();
    // The keyboard starts where Zelk stands.
    if (an)
        FokusSetzen(Roboter.X, Roboter.Y);
    ZeigeFokus();
    WeltGeaendert();
}

void TFeldFlaeche::BearbeitungAnfang(bool klammer) { verlauf.Beginne(klammer); }

void TFeldFlaeche::BearbeitungEnde()
{
    verlauf.Beende();
    WeltGeaendert();
}

void TFeldFlaeche::Rueckgaengig()
{
    if (Veraendern && verlauf.Rueckgaengig())
        ZeigeWiederhergestellt();
}

void TFeldFlaeche::Wiederholen()
{
    if (Veraendern && verlauf.Wiederholen())
        ZeigeWiederhergestellt();
}

void TFeldFlaeche::VorratEinstellen(int vorrat)
{
    if (!Veraendern)
        return;
    const TFeldBearbeitung bearbeitung(this);
    Welt.SetzeVorrat(vorrat);
}

void TFeldFlaeche::ZeigeWiederhergestellt()
{
    RepaintAll();
    worldDisplay().ZeigePosition(Roboter.X, Roboter.Y);
    worldDisplay().ZeigeMaterial(Roboter.Vorrat);
    // The supply bar stands where the supply is, as when the mode began.
    emit VorratFreigeben(Veraendern);
}

// ------------------------------------------------------------ keyboard

namespace {

// The direction of an arrow key, or -1.
int Pfeilrichtung(int key)
{
    switch (key) {
    case Qt::Key_Right: return Ost;
    case Qt::Key_Up: return Nord;
    case Qt::Key_Left: return West;
    case Qt::Key_Down: return Sued;
    default: return -1;
    }
}

constexpr int SchrittX[4] = {1, 0, -1, 0};
constexpr int SchrittY[4] = {0, 1, 0, -1};

}  // namespace

// The keys of the editing mode do what the clicks do, on the focused square:
//   arrows          move the focus          Shift+arrow  barrier on that side
//   Plus, Minus     an item more or less    Z            Zelk to the square
//   D               Zelk turns left         Ctrl+Z, Ctrl+Y  undo, redo
// With ausfuehren false it only tells whether the key is the view's: the
// view then claims it before any shortcut of the main window.
bool TFeldFlaeche::Taste(const QKeyEvent* event, bool ausfuehren)
{
    if (!Veraendern)
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool strg = mods == Qt::ControlModifier;
    if (event->matches(QKeySequence::Undo)) {
        if (ausfuehren)
            Rueckgaengig();
        return true;
    }
    if (event->matches(QKeySequence::Redo) || (strg && event->key() == Qt::Key_Y)) {
        if (ausfuehren)
            Wiederholen();
        return true;
    }
    // Shift only where a character needs it ("+" on many keyboards).
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    const bool shift = mods == Qt::ShiftModifier;
    const int d = Pfeilrichtung(event->key());
    std::function<void()> befehl;
    if (d >= 0 && !shift)
        befehl = [this, d] { FokusSetzen(fokusX + SchrittX[d], fokusY + SchrittY[d]); };
    else if (d >= 0)
        befehl = [this, d] { WandUmschalten(d); };
    else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)
        befehl = [this, dazu = event->key() == Qt::Key_Plus] { Punkt(fokusX, fokusY, dazu); };
    else if (event->key() == Qt::Key_Z)
        befehl = [this] { ZelkHin(fokusX, fokusY); };
    else if (event->key() == Qt::Key_D)
        befehl = [this] { ZelkDrehen(); };
    if (!befehl)
        return false;
    if (ausfuehren) {
        const TFeldBearbeitung bearbeitung(this);
        befehl();
    }
    return true;
}

// Sets the barrier on side d of the focused square, or removes it; the
// world's rule refuses the border.
void TFeldFlaeche::WandUmschalten(int d)
{
    if (::WandUmschalten(Welt, fokusX, fokusY, static_cast<TRichtung>(d)))
        RepaintAll();
}

void TFeldFlaeche::FokusSetzen(int x, int y)
{
    fokusX = std::clamp(x, 1, int(FeldBreite));
    fokusY = std::clamp(y, 1, int(FeldHoehe));
    ZeigeFokus();
    WeltGeaendert();
}

void TFeldFlaeche::ZeigeFokus()
{
    fokusRahmen->move(Ox(fokusX) + 3, Oy(fokusY) + 3);
    fokusRahmen->setVisible(Veraendern && canvas->hasFocus());
    fokusRahmen->raise();
}

// ------------------------------------------------ for a screen reader

QString TFeldFlaeche::Beschreibung() const
{
    return QString::fromStdString(AnsichtBeschreibung(Welt, Roboter, Veraendern, fokusX, fokusY));
}

void TFeldFlaeche::WeltGeaendert() { ansage->Geaendert(); }
void TFeldFlaeche::JetztAnsagen() { ansage->Sofort(); }

bool TFeldFlaeche::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == canvas) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (Taste(static_cast<QKeyEvent*>(event), false)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (Taste(static_cast<QKeyEvent*>(event), true))
                return true;
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut: ZeigeFokus(); break;
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
            FormMouseMove(p.x(), p.y());
            break;
        }
        // The second press of a double click is a press like the first:
        // ten quick clicks put down ten items.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* e = static_cast<QMouseEvent*>(event);
            const QPoint p = e->position().toPoint();
            FormMouseDown(e->button(), p.x(), p.y());
            break;
        }
        default: break;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TFeldFlaeche::FormResize()
{
    // A minimised or shaded window has its own size; only the normal window
    // is held at its fixed size.
    if (isMinimized() || isShaded() || isMaximized())
        return;
    if (size() != QSize(Breite, Hoehe))
        resize(Breite, Hoehe);
}

void TFeldFlaeche::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    FormResize();
}

void TFeldFlaeche::closeEvent(QCloseEvent* event)
{
    // The work field view lives as long as the program; closing its frame
    // only minimises it, like every child window that has no menu to open it.
    event->ignore();
    showMinimized();
}

#include "ZelkGrafik.moc"
