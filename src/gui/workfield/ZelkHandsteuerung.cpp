#include "workfield/ZelkHandsteuerung.h"

#include <QPushButton>

#include "platform/Hints.h"
#include "world/ZelkFeld.h"


QString BefehlsHinweis(char befehl)
{
    switch (befehl) {
    case 'V': return QStringLiteral("Zelk geht einen Schritt nach vorne");
    case 'D': return QStringLiteral("Zelk dreht sich um 90° nach links");
    case 'N': return QStringLiteral("Zelk nimmt einen Gegenstand auf");
    case 'G': return QStringLiteral("Zelk gibt einen Gegenstand ab");
    default: return QString();
    }
}

THandsteuerung::THandsteuerung(QWidget* parent) : TMenuFenster(QStringLiteral("Handsteuerung"), parent)
{
    setObjectName(QStringLiteral("HandsteuerungWindow"));
    auto* client = new QWidget(this);
    client->setFixedSize(119, 120);
    setWidget(client);
    // The buttons overlap by a pixel and the third reaches past the left
    // edge, as the window was laid out.
    vorBtn = NeuerKnopf("vorBtn", QRect(0, 0, 121, 25), QStringLiteral("&vor"), BefehlsHinweis('V'),
                        &THandsteuerung::vorBtnClick);
    drehelinksBtn = NeuerKnopf("drehelinksBtn", QRect(0, 24, 121, 33), QStringLiteral("&drehe links"),
                               BefehlsHinweis('D'), &THandsteuerung::drehelinksBtnClick);
    nimmaufBtn = NeuerKnopf("nimmaufBtn", QRect(-8, 56, 129, 33), QStringLiteral("&nimm auf"),
                            BefehlsHinweis('N'), &THandsteuerung::nimmaufBtnClick);
    gibabBtn = NeuerKnopf("gibabBtn", QRect(0, 88, 121, 33), QStringLiteral("&gib ab"), BefehlsHinweis('G'),
                          &THandsteuerung::gibabBtnClick);
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
    SetHint(knopf, hint);
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
