// The settings file as the windows use it: read at start-up by the main
// window, the info window and the options dialog, and written
// whole when the main window closes, every foreign line kept.
#include <QFile>
#include <QMdiSubWindow>
#include <QtTest>

#include "GuiFixtures.h"
#include "language/ZelkKey.h"
#include "settings/SettingsFile.h"
#include "settings/ZelkSettings.h"
#include "world/ZelkInfo.h"

namespace {

void Schreibe(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray Lies(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class EinstellungenTest : public QObject, ProgramFixture {
    Q_OBJECT

    QTemporaryDir ordner;

    void starte(const QString& ini)
    {
        SetSettingsFilePath(QFile::encodeName(ini).toStdString());
        QVERIFY(startProgram());
    }

private slots:
    void cleanup()
    {
        stopProgram();
        SetSettingsFilePath("");
        Underscore = true;
        Tabset = DefaultTabset;
        RebuildKeyTable();
    }

    void theWindowsTakeTheirPlacesAndTheOptionsFromTheFile()
    {
        const QString ini = ordner.filePath("Zelk.ini");
        Schreibe(ini, "; vom Lehrer\r\n[Fenster]\r\ninfo_left=300\r\ninfo_top=40\r\n"
                      "[Optionen]\r\nUnderscore=0\r\nTabset=-1\r\n[Fremd]\r\nx=1\r\n");
        starte(ini);
        QVERIFY(ZelkMeldung);
        QCOMPARE(ZelkMeldung->pos(), QPoint(300, 40));
        QVERIFY(!Underscore);
        QCOMPARE(int(Tabset), -1);
        TTokenKind kind = ERROR;
        QVERIFY(KeyTable.Lookup("DREHELINKS", kind));

        // Closing writes everything, the editor's place only once it exists.
        QVERIFY(form->close());
        const QByteArray text = Lies(ini);
        QVERIFY2(text.startsWith("; vom Lehrer\r\n"), text);
        QVERIFY2(text.contains("[Fremd]\r\nx=1\r\n"), text);
        QVERIFY2(text.contains("Netzwerk=0\r\n"), text);
        QVERIFY2(text.contains("info_left=300\r\n") && text.contains("Underscore=0\r\n"), text);
        QVERIFY2(text.contains("Tabset=-1\r\n") && !text.contains("edit_left"), text);
        QVERIFY(fake->boxes.isEmpty());
    }

    // A file that cannot be written even by root: below a plain file.
    void aFailedWriteIsReported()
    {
        Schreibe(ordner.filePath("datei"), "kein Ordner");
        starte(ordner.filePath("datei/Zelk.ini"));
        form->FileNewItemClick();
        fake->answers.push_back(MsgAnswer::No);  // the new page is unchanged: no question
        QVERIFY(form->close());
        QCOMPARE(fake->texts().last(),
                 QStringLiteral("Zelk.ini konnte nicht gespeichert werden! Laufwerk schreibgeschützt?"));
    }
};

QTEST_MAIN(EinstellungenTest)
#include "einstellungen_test.moc"
