// The windowed program. It takes no command-line arguments.
#include <QApplication>

#include "ide/Translations.h"
#include "ide/ZelkMain.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallGermanTranslations();
    TZelkForm* form = CreateZelkForm();
    form->show();
    const int result = app.exec();
    delete form;
    return result;
}
