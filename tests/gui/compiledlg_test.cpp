// The "Compilieren" dialog as the translator drives it through its port.
#include <QLabel>
#include <QtTest>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "dialogs/ZelkGauge.h"

namespace {

QStringList Captions(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->objectName().isEmpty())
            texts << label->text();
    return texts;
}

}  // namespace

class CompileDialogTest : public QObject {
    Q_OBJECT
private slots:
    void windowLooksAsItShould()
    {
        TCompilerDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Compilieren"));
        QCOMPARE(dialog.size(), QSize(317, 171));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(dialog.font().bold());
        QCOMPARE(dialog.font().pointSize(), 8);
        QCOMPARE(Captions(dialog), (QStringList{"ZELK-Programm: ", "Aktuelle Datei: ", "Aktuelle Zeile:",
                                                "Zeilen insgesamt:"}));
    }

    void countsEveryThirdLineAcrossUnits()
    {
        TCompilerDlg dialog;
        setCompileProgress(&dialog);
        CompileProgress& port = compileProgress();

        port.Show();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        port.SetDateiLabel("Robo1.pas");
        port.SetAktDateiLabel("Robo1.pas");
        QCOMPARE(FindLabel(&dialog, "DateiLabel")->text(), QStringLiteral("Robo1.pas"));

        port.ShowProgress(1);
        port.ShowProgress(2);
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("0"));
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("0"));
        QCOMPARE(dialog.LineCount, 2);

        // A unit read in the middle of the main file.
        port.SetAktDateiLabel("Werkzeug.pas");
        for (int line = 1; line <= 3; ++line)
            port.ShowProgress(line);
        QCOMPARE(FindLabel(&dialog, "AktDateiLabel")->text(), QStringLiteral("Werkzeug.pas"));
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("3"));
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("5"));
        port.ShowProgress(4);
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("3"));

        // Back in the main file: the next change comes at its line 3.
        port.SetAktDateiLabel("Robo1.pas");
        port.ShowProgress(3);
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("3"));
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("7"));
        port.ShowProgress(4);
        port.ShowProgress(5);
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("7"));
        port.ShowProgress(6);
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("6"));
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("10"));

        port.Close();
        QVERIFY(!dialog.isVisible());

        // The next translation starts from nothing.
        port.Show();
        QCOMPARE(FindLabel(&dialog, "DateiLabel")->text(), QString());
        QCOMPARE(FindLabel(&dialog, "AktDateiLabel")->text(), QString());
        QCOMPARE(FindLabel(&dialog, "ZeileLabel")->text(), QStringLiteral("0"));
        QCOMPARE(FindLabel(&dialog, "LinesLabel")->text(), QStringLiteral("0"));
        QCOMPARE(dialog.LineCount, 0);
        port.ShowProgress(1);
        QCOMPARE(dialog.LineCount, 1);
        // Shown again while still up (a translation that did not close it).
        port.Show();
        QCOMPARE(dialog.LineCount, 0);
        port.Close();
    }

    void fileNamesShowAsTheyAre()
    {
        // A file may be named like markup; the label shows the name, not bold
        // or italic text made from it.
        TCompilerDlg dialog;
        dialog.Show();
        const QString name = QStringLiteral("<i>Robo</i>.pas");
        dialog.SetDateiLabel(name.toStdString());
        dialog.SetAktDateiLabel(name.toStdString());
        const int wide = QFontMetrics(dialog.font()).horizontalAdvance(name);
        QVERIFY(FindLabel(&dialog, "DateiLabel")->sizeHint().width() >= wide);
        QVERIFY(FindLabel(&dialog, "AktDateiLabel")->sizeHint().width() >= wide);
        dialog.Close();
    }

    void destroyedDialogLeavesThePort()
    {
        auto* dialog = new TCompilerDlg;
        setCompileProgress(dialog);
        const void* gone = static_cast<CompileProgress*>(dialog);
        delete dialog;
        QVERIFY(compilerDlg() == nullptr);
        QVERIFY(static_cast<const void*>(&compileProgress()) != gone);
    }
};

QTEST_MAIN(CompileDialogTest)
#include "compiledlg_test.moc"
