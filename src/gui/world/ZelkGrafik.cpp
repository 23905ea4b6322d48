#include "world/ZelkGrafik.h"

#include <algorithm>

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "ide/Colors.h"
#include "settings/ZelkSettings.h"
#include "world/ZelkFeld.h"

TFeldFlaeche* FeldFlaeche = nullptr;

// The pictures sit in a static library; naming the resource keeps them linked.
static void LadeWeltBilder() { Q_INIT_RESOURCE(world); }

namespace {

// Squares lie 28 pixels apart; square (x, y) has its top-left grid line
// corner at (ox, oy), row 1 at the bottom.
int Ox(int x) { return 28 * (x - 1) + 6; }
int Oy(int y) { return 28 * (10 - y) + 6; }

bool ImFeld(int x, int y) { return x >= 1 && x <= FeldBreite && y >= 1 && y <= FeldHoehe; }

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

QPixmap SvgBild(const QString& resource, QSize size)
{
    QPixmap bild(size);
    bild.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&bild);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return bild;
}

// The client area: shows the backing store and passes mouse moves on.
class FeldCanvas : public QWidget {
public:
    FeldCanvas(const QImage& zeichnung, QWidget* parent) : QWidget(parent), zeichnung(zeichnung)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        setFocusPolicy(Qt::ClickFocus);  // "Kopieren" copies the picture when the view has the focus
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), weiss);
        painter.drawImage(event->rect(), zeichnung, event->rect());
    }

private:
    const QImage& zeichnung;
};

}  // namespace

ZelkBild::ZelkBild(const QString& resource, QSize size, QWidget* parent) : QLabel(parent)
{
    setPixmap(SvgBild(resource, size));
    resize(size);
    setMouseTracking(true);
    hide();
}

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
    QLabel::mouseMoveEvent(event);
}

TFeldFlaeche::TFeldFlaeche(QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      zeichnung(Breite, Hoehe, QImage::Format_RGB32)
{
    LadeWeltBilder();
    setWindowTitle(QStringLiteral("Arbeitsfeld"));
    setWindowIcon(QIcon(SvgBild(QStringLiteral(":/world/arbeitsfeld.svg"), QSize(32, 32))));
    setAttribute(Qt::WA_DeleteOnClose, false);

    canvas = new FeldCanvas(zeichnung, this);
    setWidget(canvas);

    ZelkOst = new ZelkBild(QStringLiteral(":/world/zelk_ost.svg"), QSize(30, 28), canvas);
    ZelkWest = new ZelkBild(QStringLiteral(":/world/zelk_west.svg"), QSize(32, 32), canvas);
    ZelkNord = new ZelkBild(QStringLiteral(":/world/zelk_nord.svg"), QSize(32, 32), canvas);
    ZelkSued = new ZelkBild(QStringLiteral(":/world/zelk_sued.svg"), QSize(32, 32), canvas);
    for (ZelkBild* bild : {ZelkOst, ZelkWest, ZelkNord, ZelkSued}) {
        connect(bild, &ZelkBild::Geklickt, this, &TFeldFlaeche::changeDirection);
        connect(bild, &ZelkBild::Ueberfahren, this, &TFeldFlaeche::changeCursor);
    }

    move(5, 5);
    resize(Breite, Hoehe);
    RepaintAll();
}

TFeldFlaeche::~TFeldFlaeche()
{
    if (FeldFlaeche == this)
        FeldFlaeche = nullptr;
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
    const QRgb farbe = (schwarzZeichnen ? schwarz : weiss).rgb();
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5; ++col)
            if (ring[row][col] == 'X')
                zeichnung.setPixel(left + col, top + row, farbe);
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

    // The robot has not moved yet: the square it leaves is its current one.
    if (loeschen && ImFeld(Roboter.X, Roboter.Y)) {
        const int ox = Ox(Roboter.X), oy = Oy(Roboter.Y);
        Rechteck(ox + 4, oy + 3, ox + 27, oy + 28, weiss);
        ZeigeZellenPunkte(Roboter.X, Roboter.Y);
    }
}

void TFeldFlaeche::RepaintAll()
{
    zeichnung.fill(weiss);
    canvas->update();
    ZeichneFeld();
}

void TFeldFlaeche::CopyToClipboard()
{
    // grab() renders the canvas with its children, so the robot is in it.
    const QPixmap bild = canvas->grab();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setPixmap(bild);
}

void TFeldFlaeche::changeDirection()
{
    // The editing mode turns the robot here.
}

void TFeldFlaeche::changeCursor()
{
    // The editing mode shows its robot cursor here.
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
