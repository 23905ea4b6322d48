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

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Components with their form names, which are also their object names.
    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QPushButton* OKButton;
};

// Start-up: the about box, hidden, owned by owner.
TAboutBox* CreateAboutBox(QWidget* owner);

// "Inf&o...": centres the about box on the screen and shows it modally until
// OK closes it.
void ShowAboutBox(TAboutBox* box);
