#include "world/ZelkHandsteuerung.h"

#include <QPushButton>

#include "world/ZelkFeld.h"

THandsteuerung* HandsteuerungWindow = nullptr;

THandsteuerung::THandsteuerung(QWidget* parent) : TMenuFenster(QStringLiteral("Handsteuerung"), parent)
{
    auto* client = new QWidget(this);
    client->setFixedSize(119, 120);
    setWidget(client);
    // The buttons overlap by a pixel and the third reaches past the left
    // edge, as the window was laid out.
    vorBtn = NeuerKnopf("vorBtn", QRect(0, 0, 121, 25), QStringLiteral("&vor"),
                        QStringLiteral("Zelk geht einen Schritt nach vorne"), &THandsteuerung::vorBtnClick);
    drehelinksBtn = NeuerKnopf("drehelinksBtn", QRect(0, 24, 121, 33), QStringLiteral("&drehe links"),
                               QStringLiteral("Zelk dreht sich um 90° nach links"),
                               &THandsteuerung::drehelinksBtnClick);
    nimmaufBtn = NeuerKnopf("nimmaufBtn", QRect(-8, 56, 129, 33), QStringLiteral("&nimm auf"),
                            QStringLiteral("Zelk nimmt einen Gegenstand auf"), &THandsteuerung::nimmaufBtnClick);
    gibabBtn = NeuerKnopf("gibabBtn", QRect(0, 88, 121, 33), QStringLiteral("&gib ab"),
                          QStringLiteral("Zelk gibt einen Gegenstand ab"), &THandsteuerung::gibabBtnClick);
    setTabOrder(drehelinksBtn, nimmaufBtn);
    setTabOrder(nimmaufBtn, gibabBtn);
    setTabOrder(gibabBtn, vorBtn);
}

QPushButton* THandsteuerung::NeuerKnopf(const char* name, const QRect& platz, const QString& text,
                                        const QString& hint, void (THandsteuerung::*handler)())
{
    auto* knopf = new QPushButton(text, widget());
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setGeometry(platz);
    knopf->setToolTip(hint);
    knopf->setStatusTip(hint);
    connect(knopf, &QPushButton::clicked, this, handler);
    return knopf;
}

// The buttons are never disabled: a manual step may come between a program's
// steps, in the editing mode or after a failure. A failure halts a running
// program at its next step through Abbruch.
void THandsteuerung::vorBtnClick() { Welt.Vor(); }
void THandsteuerung::drehelinksBtnClick() { Welt.DreheLinks(); }
void THandsteuerung::nimmaufBtnClick() { Welt.NimmAuf(); }
void THandsteuerung::gibabBtnClick() { Welt.GibAb(); }

void THandsteuerung::FormShow()
{
    setFixedSize(127, 147);
    move(450, 230);
    vorBtn->setFocus();
}
