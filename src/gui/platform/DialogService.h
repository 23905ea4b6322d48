#pragma once
// The one service through which the windowed program shows every modal box
// and every file dialog. Tests install a subclass that answers without a
// human and records the exact texts shown.
#include <QFont>
#include <QString>

#include "ports/Messages.h"

class QPrinter;
class QWidget;

class DialogService : public Messages {
public:
    // Messages: a QMessageBox with the given icon, title, text and buttons.
    MsgAnswer Show(MsgIcon icon, const std::string& title, const std::string& text,
                   MsgButtons buttons) override;

    // File dialogs. filter uses the program's own notation "Text|*.ext|Text2|*.x";
    // an empty result means the user cancelled. With confirmOverwrite the
    // save dialog asks before it takes an existing file, and No returns to
    // it; a caller that asks itself passes false, so nobody asks twice.
    virtual QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& directory);
    virtual QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& defaultSuffix, const QString& directory,
                                    bool confirmOverwrite);
    // Font and colour dialogs: false when cancelled.
    virtual bool GetFont(QWidget* parent, QFont& font);
    virtual bool GetColor(QWidget* parent, int& colorValue);
    // The print dialog on printer: false when cancelled; on OK the printer
    // is set up as the user chose.
    virtual bool GetPrinter(QWidget* parent, QPrinter& printer);

    // The parent for boxes; the main window sets itself.
    QWidget* parentWidget = nullptr;
};

// The program-wide service; also installed as the core's messages port.
DialogService& dialogs();
void setDialogs(DialogService* service);  // nullptr restores the real dialogs

// "Pascal (*.pas)|*.pas|Alle Dateien|*.*" -> "Pascal (*.pas);;Alle Dateien (*.*)" for Qt.
QString QtFilterFromPipes(const QString& filter);
