#include "mainwindow/ZelkRettung.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <exception>
#include <new>

#include "editor/TextFile.h"
#include "editor/ZelkEdit2.h"
#include "ports/Messages.h"

namespace {

// Status of a program ended by an internal fault, as zelk-run uses it.
constexpr int StatusInternerFehler = 70;

QString FreierRettungsName(const QString& datei)
{
    QString name = datei + QStringLiteral(".gerettet");
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = datei + QStringLiteral(".gerettet-%1").arg(n);
    return name;
}

}  // namespace

// The editor window of the running program, found among its windows by its
// name: the rescue may not trust any state of theirs but that they exist.
static const TZelkEdit* OffenerEditor()
{
    for (QWidget* fenster : QApplication::topLevelWidgets())
        if (auto* editor = fenster->findChild<TZelkEdit*>(QStringLiteral("EditorWindow")))
            return editor;
    return nullptr;
}

QStringList RescueModifiedPages()
{
    QStringList gerettet;
    const TZelkEdit* editor = OffenerEditor();
    if (!editor)
        return gerettet;
    for (int i = 0; i < editor->PageCount(); ++i) {
        if (!editor->PageModified(i))
            continue;
        QString datei = editor->PagePath(i);
        if (datei.isEmpty())
            datei = QDir::current().filePath(editor->PageCaption(i) + QStringLiteral(".pas"));
        const QString ziel = FreierRettungsName(datei);
        // UTF-8 keeps every character the page holds, whatever the file was.
        TextEncoding encoding = TextEncoding::Utf8;
        if (WriteTextFile(ziel, PageText(editor->PageEditor(i)), &encoding))
            gerettet << ziel;
    }
    return gerettet;
}

TZelkApplication::TZelkApplication(int& argc, char** argv)
    : QApplication(argc, argv), Beenden([](int status) { std::_Exit(status); })
{
}

bool TZelkApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        Rettung(QStringLiteral("Der Speicher reicht nicht aus."));
    } catch (const std::exception& e) {
        Rettung(QStringLiteral("Interner Fehler: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        Rettung(QStringLiteral("Interner Fehler."));
    }
    return false;
}

void TZelkApplication::Rettung(const QString& grund)
{
    // Whatever the state of the windows, nothing may throw out of here.
    QString text = grund + QStringLiteral("\nZelk muss beendet werden.");
    try {
        const QStringList gerettet = RescueModifiedPages();
        if (!gerettet.isEmpty())
            text += QStringLiteral("\n\nGeänderte Programme wurden gesichert in:\n") + gerettet.join('\n');
        ShowError(text.toStdString());
    } catch (...) {
    }
    Beenden(StatusInternerFehler);
}
