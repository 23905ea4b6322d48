#pragma once
// The work field view "Arbeitsfeld": the grid, the barriers and the items of
// the current world drawn at fixed pixel places, and the robot as one of four
// pictures laid over the drawing.
#include <QCursor>
#include <QImage>
#include <QMdiSubWindow>

#include "world/EditHistory.h"

class QKeyEvent;
class QPainter;
class TFeldAnsage;
class ZelkBild;

class TFeldFlaeche : public QMdiSubWindow {
    Q_OBJECT
public:
    // Outer size of the window; the user cannot change it.
    static constexpr int Breite = 443;
    static constexpr int Hoehe = 322;

    explicit TFeldFlaeche(QWidget* parent = nullptr);
    ~TFeldFlaeche() override;

    bool Veraendern = false;  // editing mode

    // Switches the editing mode. Ending it forgets the undo history: the
    // edited world becomes the start state.
    void VeraendernSetzen(bool an);
    // Ctrl+Z and Ctrl+Y in the editing mode: the world before the last edit,
    // and that edit again.
    void Rueckgaengig();
    void Wiederholen();
    // Everything between these two calls is one step of the undo history.
    // TFeldBearbeitung pairs them for one edit. A drag of the supply bar
    // passes klammer: it only brackets its moves and changes nothing itself.
    void BearbeitungAnfang(bool klammer = false);
    void BearbeitungEnde();
    const EditHistory& Verlauf() const { return verlauf; }

    // The square that the arrow keys have reached in the editing mode.
    int FokusX() const { return fokusX; }
    int FokusY() const { return fokusY; }

    // The view in words, for a screen reader: where Zelk stands, and while
    // editing first the focused square.
    QString Beschreibung() const;
    // The world or the focused square changed: assistive technology hears
    // of it soon (at most four times a second).
    void WeltGeaendert();
    // A run paused, stopped or failed: it hears of it now.
    void JetztAnsagen();

    // The editing mode by mouse, in client pixels. Zone gives the number of
    // the cursor for a place: 0 the arrow (outside the grid), 1 a horizontal
    // side, 2 a vertical side, 3 the robot zone, 4 the item zone. Klick makes
    // the edit for that place, with setzen true for the left button.
    static int Zone(int x, int y);
    void Klick(int x, int y, bool setzen);
    // The number of the cursor the view shows now.
    int CursorNummer() const { return cursorNummer; }

    // East side of square (x, y), in the barrier or the grid colour.
    void ZeichneSenkrecht(int x, int y, bool hindernis);
    // North side of square (x, y).
    void ZeichneWaagerecht(int x, int y, bool hindernis);
    // Item mark k (1..9) of square (x, y) in black, or erased in white.
    void ZeichnePunkt(int x, int y, bool schwarz, int k);
    // Robot picture for direction d on square (x, y); with loeschen the
    // square the robot stands on now is cleared and its items drawn again.
    void SetzeBild(int x, int y, bool loeschen, int d);
    // Clears the view and draws everything anew.
    void RepaintAll();
    // A bitmap of the client area, robot included, onto the clipboard.
    void CopyToClipboard();
    // The supply set on the supply bar in the editing mode, as one edit.
    void VorratEinstellen(int vorrat);

signals:
    // The supply bar may be moved (the editing mode) or not; it stands at
    // the supply Zelk has.
    void VorratFreigeben(bool an);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Hooks of the editing mode: a click on the robot picture, and the mouse
    // over it. They do nothing until the editing mode is built on them.
    void changeDirection();
    void changeCursor();

private:
    // Draws the whole picture of the current world.
    void ZeichneFeld();
    void FormResize();
    void Rechteck(int left, int top, int right, int bottom, const QColor& farbe);
    void ZeigeZellenPunkte(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseDown(Qt::MouseButton button, int x, int y);
    // A click in the robot zone of square (x, y).
    void KlickZelk(int x, int y);
    // The edits on squares, shared by the clicks and the keys. Waagerecht is
    // the north side of (x, y), Senkrecht its east side.
    void Waagerecht(int x, int y, bool setzen);
    void Senkrecht(int x, int y, bool setzen);
    void Punkt(int x, int y, bool setzen);
    void ZelkHin(int x, int y);
    void ZelkDrehen();
    void WandUmschalten(int d);
    void FokusSetzen(int x, int y);
    void ZeigeFokus();
    void SetzeCursor(int nummer);
    ZelkBild* BildFuer(int d) const;
    // The editing keys of the view; true when the key was one of them.
    bool Taste(const QKeyEvent* event, bool ausfuehren);
    // Shows the world that undo or redo brought back.
    void ZeigeWiederhergestellt();

    QWidget* canvas;  // the client area, which the drawing fills
    // The robot pictures, one per direction, with their form names.
    ZelkBild* ZelkOst;
    ZelkBild* ZelkWest;
    ZelkBild* ZelkNord;
    ZelkBild* ZelkSued;
    // Persistent backing store: every drawing primitive paints here, and the
    // canvas only copies it to the screen.
    QImage zeichnung;
    // The cursors of the editing mode by number; 0 is the arrow.
    QCursor cursors[5];
    int cursorNummer = 0;
    EditHistory verlauf;
    QWidget* fokusRahmen = nullptr;
    TFeldAnsage* ansage = nullptr;
    int fokusX = 1;
    int fokusY = 1;
};

// One edit of the world in the view's editing mode, from construction to
// destruction: the undo history takes it as one step.
class TFeldBearbeitung {
public:
    explicit TFeldBearbeitung(TFeldFlaeche* feld) : feld(feld)
    {
        if (feld)
            feld->BearbeitungAnfang();
    }
    ~TFeldBearbeitung()
    {
        if (feld)
            feld->BearbeitungEnde();
    }
    TFeldBearbeitung(const TFeldBearbeitung&) = delete;
    TFeldBearbeitung& operator=(const TFeldBearbeitung&) = delete;

private:
    TFeldFlaeche* feld;
};
