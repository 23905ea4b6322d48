#include "platform/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

bool InstallGermanTranslations()
{
    // Every text of the program is German, so the toolkit's must be too,
    // also for a user whose desktop speaks another language.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // One translator per application, however often this is called; the
    // application owns it.
    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
