#include "platform/DialogService.h"

#include "platform/Colors.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

// The dialogs are Qt's own, not the desktop's: those speak the desktop's
// language, and this program speaks German whatever the user's locale.

MsgAnswer DialogService::Show(MsgIcon icon, const std::string& title, const std::string& text,
                              MsgButtons buttons)
{
    QMessageBox box(parentWidget);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (icon) {
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }
}

QString QtFilterFromPipes(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // Qt shows the description and takes the patterns from its last
        // parentheses; a description that names them already ("Arbeitsfeld
        // (*.ROB)") shows them once.
        QString description = parts[i].trimmed();
        if (!description.endsWith(QStringLiteral("(%1)").arg(patterns)))
            description += QStringLiteral(" (%1)").arg(patterns);
        out << description;
    }
    return out.join(";;");
}

QString DialogService::GetOpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& directory)
{
    return QFileDialog::getOpenFileName(parent ? parent : parentWidget, title, directory,
                                        QtFilterFromPipes(filter), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString DialogService::GetSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& defaultSuffix, const QString& directory,
                                       bool confirmOverwrite)
{
    QFileDialog dialog(parent ? parent : parentWidget, title, directory, QtFilterFromPipes(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

bool DialogService::GetFont(QWidget* parent, QFont& font)
{
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, font, parent ? parent : parentWidget, QString(),
                                        QFontDialog::DontUseNativeDialog);
    if (ok)
        font = chosen;
    return ok;
}

bool DialogService::GetColor(QWidget* parent, int& colorValue)
{
    // A system colour opens as the colour it stands for on this desktop.
    const QColor initial = ToQColor(colorValue);
    const QColor chosen = QColorDialog::getColor(initial, parent ? parent : parentWidget, QString(),
                                                 QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid())
        return false;
    colorValue = chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
    return true;
}

bool DialogService::GetPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent ? parent : parentWidget);
    return dialog.exec() == QDialog::Accepted;
}

namespace {
DialogService realDialogs;
DialogService* currentDialogs = &realDialogs;
}  // namespace

DialogService& dialogs() { return *currentDialogs; }

void setDialogs(DialogService* service)
{
    currentDialogs = service ? service : &realDialogs;
    setMessages(currentDialogs);
}
