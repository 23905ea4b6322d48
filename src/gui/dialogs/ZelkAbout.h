#pragma once
// The about box "Infos": program icon, name, version and a line about the
// program on a raised panel, and an OK button that closes it. Created hidden
// at start-up and shown modally by "Inf&o...".
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

// The program-wide about box, or nullptr before start-up has made it.
extern TAboutBox* AboutBox;

// Start-up: the about box, hidden, owned by owner.
TAboutBox* CreateAboutBox(QWidget* owner);

// "Inf&o...": centres the about box on the screen and shows it modally until
// OK closes it. Makes the box first (owned by owner) when start-up has not.
void ShowAboutBox(QWidget* owner = nullptr);
