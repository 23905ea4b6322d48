// The settings file as the windows use it: read at start-up by the main
// window, the info window and the options dialog, and written
// whole when the main window closes, every foreign line kept.
#include <QCheckBox>
#include <QFile>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QtTest>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "platform/Einstellungen.h"
#include "language/ZelkKey.h"
#include "settings/SettingsFile.h"
#include "settings/ZelkSettings.h"
#include "workfield/ZelkInfo.h"

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
        Syntaxfarben = DefaultSyntaxfarben;
        RebuildKeyTable();
    }

    void theWindowsTakeTheirPlacesAndTheOptionsFromTheFile()
    {
        const QString ini = ordner.filePath("Zelk.ini");
        Schreibe(ini, "; vom Lehrer\r\n[Fenster]\r\ninfo_left=300\r\ninfo_top=40\r\n"
                      "[Optionen]\r\nUnderscore=0\r\nTabset=-1\r\nSyntaxfarben=0\r\n[Fremd]\r\nx=1\r\n");
        starte(ini);
        QVERIFY(zelkMeldung());
        QCOMPARE(zelkMeldung()->pos(), QPoint(300, 40));
        QVERIFY(!Underscore);
        QCOMPARE(int(Tabset), -1);
        QVERIFY(!Syntaxfarben);
        QVERIFY(!Find<QCheckBox>(optionenDlg(), "SyntaxfarbenBox")->isChecked());
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
        QVERIFY2(text.contains("Syntaxfarben=0\r\n"), text);
        QVERIFY(fake->boxes.isEmpty());
    }

    // The main window's place is its outer frame, in the file as on the
    // screen; it was taken as the size inside the frame.
    void theMainWindowsPlaceIsItsOuterFrame()
    {
        const QString ini = ordner.filePath("Rahmen.ini");
        const QByteArray platz = "left=20\r\ntop=30\r\nwidth=600\r\nheight=400\r\n";
        Schreibe(ini, "[Fenster]\r\n" + platz);
        starte(ini);
        QVERIFY(form->frameGeometry().size() != form->size());  // framed, as on a desktop
        QCOMPARE(form->frameGeometry(), QRect(20, 30, 600, 400));
        form->resize(form->size() + QSize(10, 20));
        QVERIFY(form->close());
        QVERIFY2(Lies(ini).contains("left=20\r\ntop=30\r\nwidth=610\r\nheight=420\r\n"), Lies(ini));
    }

    // A place no screen shows comes back onto one, no larger than it; a
    // place the user can still take hold of stays as it is.
    void theMainWindowComesBackOnScreen()
    {
        const QRect klein(0, 0, 800, 600), rechts(800, 0, 1024, 768);
        QCOMPARE(AufDenSchirmen(QRect(10, 10, 780, 550), {klein}), QRect(10, 10, 780, 550));
        QCOMPARE(AufDenSchirmen(QRect(700, 100, 400, 300), {klein}), QRect(700, 100, 400, 300));
        QCOMPARE(AufDenSchirmen(QRect(5000, -3000, 300, 200), {klein}), QRect(500, 0, 300, 200));
        QCOMPARE(AufDenSchirmen(QRect(100, -10, 300, 200), {klein}), QRect(100, 0, 300, 200));
        QCOMPARE(AufDenSchirmen(QRect(-16384, 0, 16384, 16384), {klein}), QRect(0, 0, 800, 600));
        // On the second monitor while it is there; back on the first without it.
        QCOMPARE(AufDenSchirmen(QRect(1000, 50, 400, 300), {klein, rechts}), QRect(1000, 50, 400, 300));
        QCOMPARE(AufDenSchirmen(QRect(1000, 50, 400, 300), {klein}), QRect(400, 50, 400, 300));

        const QString ini = ordner.filePath("Weit.ini");
        Schreibe(ini, "[Fenster]\r\nleft=-20000\r\ntop=30000\r\nwidth=100000\r\nheight=0x7FFFFFFF\r\n");
        starte(ini);
        const QRect schirm = form->screen()->geometry();
        QVERIFY2(schirm.contains(QRect(form->pos(), form->size())),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(form->x()).arg(form->y()).arg(form->width()).arg(form->height())));
    }


    // Left of or above the work area the info window could only be reached
    // by scrolling, and each activation threw it back there.
    void theInfoWindowStaysInTheWorkArea()
    {
        const QString ini = ordner.filePath("Info.ini");
        Schreibe(ini, "[Fenster]\r\ninfo_left=-5000\r\ninfo_top=-3000\r\n");
        starte(ini);
        QCOMPARE(zelkMeldung()->pos(), QPoint(0, 0));
        QCOMPARE(form->findChild<QMdiArea*>()->horizontalScrollBar()->minimum(), 0);
    }


    // Closing the editor and the info window by their frames minimises
    // them; their places were then kept as the small bars they had become,
    // and came back as their sizes.
    void minimisedWindowsKeepThePlacesTheyComeBackTo()
    {
        const QString ini = ordner.filePath("Min.ini");
        Schreibe(ini, "[Fenster]\r\ninfo_left=300\r\ninfo_top=40\r\n");
        starte(ini);
        form->FileNewItemClick();
        const QRect editor = editorWindow()->geometry();
        zelkMeldung()->close();
        editorWindow()->close();
        QVERIFY(zelkMeldung()->isMinimized() && editorWindow()->isMinimized());
        QVERIFY(form->close());
        const QByteArray text = Lies(ini);
        QVERIFY2(text.contains("info_left=300\r\ninfo_top=40\r\n"), text);
        QVERIFY2(text.contains("info_width=145\r\ninfo_height=207\r\n"), text);
        QVERIFY2(text.contains(QStringLiteral("edit_width=%1\r\nedit_height=%2\r\n")
                                   .arg(editor.width())
                                   .arg(editor.height())
                                   .toLatin1()),
                 text);
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
