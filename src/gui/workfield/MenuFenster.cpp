#include "workfield/MenuFenster.h"

#include <QCloseEvent>
#include <QShowEvent>

TMenuFenster::TMenuFenster(const QString& titel, QWidget* parent)
    : QMdiSubWindow(parent, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint)
{
    setObjectName(titel);
    setWindowTitle(titel);
    setAttribute(Qt::WA_DeleteOnClose);
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
