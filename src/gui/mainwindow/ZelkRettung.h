#pragma once
// The last line of defence of the windowed program: an exception must not
// unwind through Qt's event loop, so the application catches whatever an
// event handler throws (out of memory above all), saves every modified page
// to a rescue file beside its own file, names the rescue files in a German
// box and ends.
#include <QApplication>
#include <QStringList>
#include <functional>

// Writes each modified page of the editor window to a rescue file beside its
// file ("NAME.PAS.gerettet", then "NAME.PAS.gerettet-2", ...; a page that
// was never saved goes into the current folder as "neu.pas.gerettet"). Never
// over the page's own file nor over an earlier rescue. The paths written.
QStringList RescueModifiedPages();

class TZelkApplication : public QApplication {
public:
    TZelkApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // How the program ends after a rescue; tests replace it.
    std::function<void(int status)> Beenden;

private:
    void Rettung(const QString& grund);
};
