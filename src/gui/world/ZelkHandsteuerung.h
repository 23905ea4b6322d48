#pragma once
// The manual control window "Handsteuerung": four buttons that each perform
// one robot action on the current world, with the same checks, messages and
// drawing as a program instruction. It lives between two uses of the main
// window's menu toggle; closing it destroys it.
#include <QMdiSubWindow>

class QPushButton;

class THandsteuerung : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit THandsteuerung(QWidget* parent = nullptr);

    void vorBtnClick();
    void drehelinksBtnClick();
    void nimmaufBtnClick();
    void gibabBtnClick();

signals:
    // The window is about to be destroyed: the menu item loses its check mark.
    void Geschlossen();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    QPushButton* NeuerKnopf(const char* name, const QRect& platz, const QString& text,
                            const QString& hint, void (THandsteuerung::*handler)());

    QPushButton* vorBtn = nullptr;
    QPushButton* drehelinksBtn = nullptr;
    QPushButton* nimmaufBtn = nullptr;
    QPushButton* gibabBtn = nullptr;
};

// The open manual control window, or none.
extern THandsteuerung* HandsteuerungWindow;
