#pragma once
// The manual control window "Handsteuerung": four buttons that each perform
// one robot action on the current world, with the same checks, messages and
// drawing as a program instruction. It lives between two uses of the main
// window's menu toggle; closing it destroys it.
#include "workfield/MenuFenster.h"

class QPushButton;

class THandsteuerung : public TMenuFenster {
    Q_OBJECT
public:
    explicit THandsteuerung(QWidget* parent = nullptr);

    void vorBtnClick();
    void drehelinksBtnClick();
    void nimmaufBtnClick();
    void gibabBtnClick();

private:
    void FormShow() override;
    QPushButton* NeuerKnopf(const char* name, const QRect& platz, const QString& text,
                            const QString& hint, void (THandsteuerung::*handler)());

    QPushButton* vorBtn = nullptr;
    QPushButton* drehelinksBtn = nullptr;
    QPushButton* nimmaufBtn = nullptr;
    QPushButton* gibabBtn = nullptr;
};


// The hint of a robot command by its letter (V, D, N, G), for every button
// that gives the command by hand.
QString BefehlsHinweis(char befehl);
