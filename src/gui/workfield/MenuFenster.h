#pragma once
// A child window that a checked menu item of the main window opens fresh and
// closes again (manual control, teach-in): it takes its place whenever it is
// shown, is destroyed when closed, and says so, so that the item loses its
// check mark however the window was closed.
#include <QMdiSubWindow>

class QAbstractButton;
class QKeyEvent;

class TMenuFenster : public QMdiSubWindow {
    Q_OBJECT
public:
    TMenuFenster(const QString& titel, QWidget* parent);

signals:
    void Geschlossen();

protected:
    // Places the window; called on every show by the program, not on a
    // return from another application.
    virtual void FormShow() = 0;
    // Called when the window is about to close for good.
    virtual void FormClose() {}

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The enabled button of this window whose access key was pressed, or none.
    QAbstractButton* KnopfZurTaste(const QKeyEvent* taste) const;
};
