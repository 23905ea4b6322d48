#pragma once
// The help window: the manual Zelk.hlp, German HTML, shown in a text browser.
// The file lies beside the program file and is read only when the window
// shows it, so a teacher can hand out a manual of their own by replacing it.
#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class THilfeFenster : public QWidget {
    Q_OBJECT
public:
    explicit THilfeFenster(QWidget* owner = nullptr);

    // Shows the manual at path from its beginning, the contents; false when
    // the file cannot be read (the window then keeps what it showed).
    bool Laden(const QString& path);
    QString Pfad() const { return pfad; }

    // Back to the beginning of the manual.
    void InhaltBtnClick();

private:
    // Components with their form names, which are also their object names.
    QTextBrowser* Browser;
    QPushButton* ZurueckBtn;
    QPushButton* VorBtn;
    QPushButton* InhaltBtn;
    QString pfad;
};

// The help file's name, fixed: the program looks for nothing else.
extern const char* const HilfeDateiName;  // "Zelk.hlp"

// The help file in folder; an empty folder is the program file's folder.
QString HilfeDatei(const QString& folder = QString());

// "&Inhalt" and the help tool button: the contents of the help file beside
// the program (or in folder) in the one help window, which is created with
// owner as its owner and reused afterwards. A missing or unreadable file is
// reported in an error box and no window is shown. Returns the window shown,
// or nullptr.
THilfeFenster* HilfeInhaltZeigen(QWidget* owner, const QString& folder = QString());
