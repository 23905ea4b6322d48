#include "workfield/MenuFenster.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

TMenuFenster::TMenuFenster(const QString& titel, QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint)
{
    setObjectName(titel);
    setWindowTitle(titel);
    setAttribute(Qt::WA_DeleteOnClose);
}

QAbstractButton* TMenuFenster::KnopfZurTaste(const QKeyEvent* taste) const
{
    if (!(taste->modifiers() & Qt::AltModifier))
        return nullptr;
    const QKeySequence gedrueckt(taste->keyCombination());
    for (QAbstractButton* knopf : findChildren<QAbstractButton*>())
        if (knopf->isVisible() && knopf->isEnabled() && QKeySequence::mnemonic(knopf->text()) == gedrueckt)
            return knopf;
    return nullptr;
}

// The menu bar's access keys are shortcuts of the whole main window, and so
// are this window's while the focus is in it: Alt+D would be both "&Datei"
// and "&drehe links", and such a shortcut only moves the focus at its first
// press and opens the menu at the next. Key events reach this window only
// while the focus is in it, so it claims its own keys before any shortcut
// then, and the menu bar keeps them everywhere else.
bool TMenuFenster::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        if (QAbstractButton* knopf = KnopfZurTaste(static_cast<QKeyEvent*>(event))) {
            if (event->type() == QEvent::KeyPress) {
                knopf->setFocus(Qt::ShortcutFocusReason);
                knopf->click();
            }
            event->accept();
            return true;
        }
    }
    return QMdiSubWindow::event(event);
}

void TMenuFenster::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMenuFenster::closeEvent(QCloseEvent* event)
{
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    FormClose();
    emit Geschlossen();
}
