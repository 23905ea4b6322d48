// The windowed program. Without arguments it starts as described; files named
// on the command line (as a file manager passes them) open once start-up has
// finished, as their Open commands would open them.
#include <QFile>
#include <QStringList>
#include <QTimer>

#include "files/SafeWrite.h"
#include "platform/Translations.h"
#include "settings/SettingsFile.h"
#include "mainwindow/ZelkMain.h"
#include "mainwindow/ZelkRettung.h"

int main(int argc, char* argv[])
{
    TZelkApplication app(argc, argv);
    InstallGermanTranslations();
    SetSettingsFilePath(SettingsFileLocation(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()));
    RemoveStaleTemporariesBeside(SettingsFilePath());
    TZelkForm* form = CreateZelkForm();
    form->show();
    const QStringList files = app.arguments().mid(1);
    if (!files.isEmpty())
        QTimer::singleShot(0, form, [form, files] { form->OpenFiles(files); });
    const int result = app.exec();
    delete form;
    return result;
}
