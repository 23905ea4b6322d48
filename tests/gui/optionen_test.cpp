// The options dialog on the real program: what it reads at start-up, and
// what each control changes the moment it is operated; "Abbrechen" undoes
// nothing, a cancelled font or colour dialog changes nothing.
#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "dialogs/ZelkParameter.h"
#include "editor/ReadableColours.h"
#include "language/ZelkKey.h"
#include "settings/SettingsFile.h"
#include "settings/ZelkSettings.h"
#include "world/ZelkFeld.h"
#include "workfield/ZelkGrafik.h"

namespace {

void ResetOptionen()
{
    Underscore = DefaultUnderscore;
    Autoindent = DefaultAutoindent;
    Tabset = DefaultTabset;
    Fontheight = DefaultFontheight;
    Fontname = DefaultFontname;
    Fontcolor = DefaultFontcolor;
    Fontcharset = DefaultFontcharset;
    Wallcolor = DefaultWallcolor;
    Barriercolor = DefaultBarriercolor;
    Syntaxfarben = DefaultSyntaxfarben;
    RebuildKeyTable();
}

QFont PixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QRgb Pixel(int x, int y)
{
    const QImage img = feldFlaeche()->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return img.pixel(x, y) | 0xFF000000;
}

QRgb PanelColour(const char* name)
{
    return Find<QFrame>(optionenDlg(), name)->palette().color(QPalette::Window).rgb();
}

}  // namespace

class OptionenTest : public QObject, ProgramFixture {
    Q_OBJECT

    QTemporaryDir ordner;

    // Opens the dialog through its menu item, lets act operate it while it
    // is up, and closes it with OK or "Abbrechen".
    void imDialog(const std::function<void(TOptionenDlg*)>& act, bool ok = true)
    {
        bool lief = false;
        QTimer::singleShot(0, optionenDlg(), [&] {
            if (!optionenDlg()->isVisible())
                return;
            lief = true;
            act(optionenDlg());
            QTest::mouseClick(ok ? Find<QPushButton>(optionenDlg(), "OKBtn") : Find<QPushButton>(optionenDlg(), "CancelBtn"), Qt::LeftButton);
        });
        FindItem(form, "Optionen1")->trigger();
        QVERIFY2(lief, "the dialog did not come up");
        QVERIFY(!optionenDlg()->isVisible());
    }

    // A new page holding text, translated by "Compilieren"; true when no
    // box reported an error.
    bool uebersetzt(const QString& text)
    {
        form->FileNewItemClick();
        editor()->setPlainText(text);
        fake->boxes.clear();
        form->Compilieren1Click();
        return fake->boxes.isEmpty();
    }

    void starteMit(const QByteArray& ini)
    {
        const QString pfad = ordner.filePath("Zelk.ini");
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        SetSettingsFilePath(QFile::encodeName(pfad).toStdString());
        QVERIFY(startProgram());
    }

private slots:
    void init() { ResetOptionen(); }

    void cleanup()
    {
        stopProgram();
        QVERIFY(!optionenDlg());  // it goes with the main window
        SetSettingsFilePath("");
        QFile::remove(ordner.filePath("Zelk.ini"));
        ResetOptionen();
    }

    void theSpellingTakesEffectWithTheRadioButtonsAndStaysOnCancel()
    {
        QVERIFY(startProgram());
        const QString ohne = "PROGRAM P;\nBEGIN\nDREHELINKS;\nNIMMAUF\nEND.";
        const QString mit = "PROGRAM P;\nBEGIN\nDREHE_LINKS;\nNIMM_AUF\nEND.";
        QVERIFY(uebersetzt(mit));
        QVERIFY(!uebersetzt(ohne));

        // "Abbrechen" closes without undoing the click before it.
        imDialog([](TOptionenDlg* d) { QTest::mouseClick(Find<QRadioButton>(d, "UnderscoreBtn2"), Qt::LeftButton); },
                 false);
        QVERIFY(!Underscore);
        QVERIFY(uebersetzt(ohne));
        QVERIFY(!uebersetzt(mit));

        imDialog([](TOptionenDlg* d) { QTest::mouseClick(Find<QRadioButton>(d, "UnderscoreBtn"), Qt::LeftButton); });
        QVERIFY(uebersetzt(mit));
    }

    void theFileIsReadWhenTheDialogIsMadeAndShowingItChangesNothing()
    {
        starteMit("[Optionen]\r\nUnderscore=0\r\nAutoindent=0\r\nTabset=-1\r\nFontcharset=2\r\n"
                  "Wallcolor=65280\r\nFontcolor=255\r\n");
        QCOMPARE(Pixel(7, 100), qRgb(0, 255, 0));  // the grid, from the first paint on
        // The first translation already spells without underscores.
        QVERIFY(uebersetzt("PROGRAM P;\nBEGIN\nDREHELINKS\nEND."));
        imDialog([](TOptionenDlg* d) {
            QVERIFY(Find<QRadioButton>(d, "UnderscoreBtn2")->isChecked() && !Find<QCheckBox>(d, "AutoIndentBox")->isChecked());
            QCOMPARE(Find<QSpinBox>(d, "TabsetEdit")->value(), 0);  // -1 is beyond the control
            QCOMPARE(PanelColour("WallPanel"), qRgb(0, 255, 0));
        });
        // A tab character still, as the file said.
        QCOMPARE(int(Tabset), -1);
        QVERIFY(!Autoindent && !Underscore);

        // The file's character set, which no dialog chooses, goes back as read.
        fake->fonts.push_back(PixelFont("Liberation Serif", 15));
        imDialog([](TOptionenDlg* d) { Find<QPushButton>(d, "Button1")->click(); });
        QCOMPARE(Fontheight, -15);
        fake->answers.push_back(MsgAnswer::No);  // the translated page is not to be saved
        QVERIFY(form->close());
        QFile f(ordner.filePath("Zelk.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.contains("Fontcharset=2\r\n") && text.contains("Fontheight=-15\r\n"), text);
        // The colour dialog after the font was cancelled: the file's colour stays.
        QVERIFY2(text.contains("Fontcolor=255\r\n"), text);
    }

    // A radio button or check box changed without a click (here by the
    // toggle action of a screen reader or voice control) showed its new
    // state but left the setting as it was.
    void aChangeWithoutAClickTakesEffect_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("radio button") << "UnderscoreBtn2";
        QTest::newRow("check box") << "AutoIndentBox";
    }

    void aChangeWithoutAClickTakesEffect()
    {
        QFETCH(QString, control);
        QVERIFY(startProgram());
        imDialog([&](TOptionenDlg* d) {
            auto* button = d->findChild<QAbstractButton*>(control);
            const bool vorher = button->isChecked();
            QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(button);
            zugang->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(button->isChecked() != vorher);
        });
        QCOMPARE(Underscore, control != "UnderscoreBtn2");
        TTokenKind kind = ERROR;
        QCOMPARE(KeyTable.Lookup("DREHELINKS", kind), !Underscore);
        QCOMPARE(Autoindent, control != "AutoIndentBox");
    }

    void theEditorOptionsActOnTheNextKeys()
    {
        QVERIFY(startProgram());
        form->FileNewItemClick();
        TZelkPage* page = editor();
        page->setPlainText("  x");
        page->moveCursor(QTextCursor::End);

        imDialog([](TOptionenDlg* d) {
            QTest::mouseClick(Find<QCheckBox>(d, "AutoIndentBox"), Qt::LeftButton);
            Find<QSpinBox>(d, "TabsetEdit")->setFocus();
            QTest::keyClick(Find<QSpinBox>(d, "TabsetEdit"), Qt::Key_Down);
            QTest::keyClick(Find<QSpinBox>(d, "TabsetEdit"), Qt::Key_Down);
        });
        QVERIFY(!Autoindent);
        QCOMPARE(int(Tabset), 2);
        QTest::keyClick(page, Qt::Key_Return);
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(page->toPlainText(), QString("  x\n  "));  // two blanks from Tab, none from Enter

        imDialog([](TOptionenDlg* d) { QTest::mouseClick(Find<QCheckBox>(d, "AutoIndentBox"), Qt::LeftButton); });
        QVERIFY(Autoindent);
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(page->toPlainText(), QString("  x\n  \n  "));
    }

    void aChosenFontAndColourGoToNewPagesOnly()
    {
        QVERIFY(startProgram());
        form->FileNewItemClick();
        TZelkPage* alt = editor();
        const QFont alteSchrift = alt->font();
        // A cancelled font dialog changes nothing and asks for no colour.
        imDialog([](TOptionenDlg* d) { Find<QPushButton>(d, "Button1")->click(); });
        QVERIFY(fake->colorDialogs.isEmpty());
        QCOMPARE(Fontname, std::string(DefaultFontname));
        QCOMPARE(Fontheight, DefaultFontheight);

        fake->fonts.push_back(PixelFont("Liberation Serif", 19));
        fake->colors.push_back(0x0000FF00);  // green as 00BBGGRR
        imDialog([](TOptionenDlg* d) { Find<QPushButton>(d, "Button1")->click(); });
        // Both dialogs open with their first font and colour.
        QCOMPARE(fake->fontDialogs[1].family(), fake->fontDialogs[0].family());
        QVERIFY(QStringList({"Courier New", "Liberation Mono"}).contains(fake->fontDialogs[1].family()));
        QCOMPARE(fake->fontDialogs[1].pointSize(), 8);
        QCOMPARE(fake->colorDialogs, QList<int>({int(0x80000008u)}));
        form->FileNewItemClick();
        QCOMPARE(editor()->font().family(), QString("Liberation Serif"));
        QCOMPARE(editor()->font().pixelSize(), 19);
        QCOMPARE(editor()->palette().color(QPalette::Text), QColor(0, 255, 0));
        QCOMPARE(alt->font(), alteSchrift);

        // Next time both open with the last choice; a font in points keeps
        // its pixel height, and a cancelled colour keeps the colour.
        QFont punkte("Liberation Mono");
        punkte.setPointSize(12);
        fake->fonts.push_back(punkte);
        imDialog([](TOptionenDlg* d) { Find<QPushButton>(d, "Button1")->click(); });
        QCOMPARE(fake->fontDialogs[2].family(), QString("Liberation Serif"));
        QCOMPARE(fake->colorDialogs.last(), 0x0000FF00);
        QVERIFY2(Fontheight < -12 && Fontheight > -20, qPrintable(QString::number(Fontheight)));
        QCOMPARE(Fontcolor, 0x0000FF00);
    }

    void theEditorColoursTheWordsTheTranslatorReads()
    {
        QVERIFY(startProgram());
        form->FileNewItemClick();
        TZelkPage* page = editor();
        const QString text = "PROGRAM P; { VOR\nVOR } DREHE_LINKS; drehelinks";
        page->setPlainText(text);
        page->document()->setModified(false);
        page->grab();
        auto coloured = [page](int line, int column) { return ShownColour(page, line, column).isValid(); };
        const QColor comment = ShownColour(page, 0, 11);
        QVERIFY(coloured(0, 0) && comment.isValid() && comment != ShownColour(page, 0, 0));
        QCOMPARE(ShownColour(page, 1, 0), comment);  // a comment over two lines
        QVERIFY(coloured(1, 6) && !coloured(1, 19));

        // The other spelling is the keyword now, on the open page at once.
        imDialog([](TOptionenDlg* d) { QTest::mouseClick(Find<QRadioButton>(d, "UnderscoreBtn2"), Qt::LeftButton); });
        QVERIFY(!coloured(1, 6) && coloured(1, 19));

        // Readable on a dark page as well.
        QPalette dark = page->palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        page->setPalette(dark);
        page->grab();
        for (int column : {0, 11})
            QVERIFY(ContrastRatio(ShownColour(page, 0, column), QColor(30, 30, 30)) >= 4.5);

        imDialog([](TOptionenDlg* d) { QTest::mouseClick(Find<QCheckBox>(d, "SyntaxfarbenBox"), Qt::LeftButton); });
        QVERIFY(!Syntaxfarben);
        QVERIFY(!coloured(0, 0) && !coloured(0, 11) && !coloured(1, 19));
        QCOMPARE(PageText(page), text);
        QVERIFY(!page->document()->isModified());
    }

    void theWorkFieldTakesTheNewColoursAtOnce()
    {
        QVERIFY(startProgram());
        // A barrier east of square (3, 4), drawn on x 90..92 from y 174.
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(3, 4).Offen[Ost] = 0; });
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 4).Offen[West] = 0; });
        feldFlaeche()->RepaintAll();
        // Cancelled colour dialogs change nothing.
        imDialog([](TOptionenDlg* d) { Find<QPushButton>(d, "Button2")->click(); Find<QPushButton>(d, "Button3")->click(); });
        QCOMPARE(Wallcolor, DefaultWallcolor);
        QCOMPARE(Barriercolor, DefaultBarriercolor);
        QCOMPARE(Pixel(91, 190), qRgb(255, 0, 0));
        QCOMPARE(Pixel(7, 100), qRgb(128, 128, 128));

        fake->colors = {0x00FF0000, 0x0000FFFF};  // blue, then yellow
        imDialog([](TOptionenDlg* d) {
            Find<QPushButton>(d, "Button2")->click();
            // No repaint asked for: the view has taken the wall colour already.
            QCOMPARE(Pixel(7, 100), qRgb(0, 0, 255));
            QCOMPARE(Pixel(91, 190), qRgb(255, 0, 0));
            Find<QPushButton>(d, "Button3")->click();
        });
        QCOMPARE(PanelColour("BarrierPanel"), qRgb(255, 255, 0));
        QCOMPARE(Pixel(91, 190), qRgb(255, 255, 0));
        // One colour dialog for both buttons: it opens with the last choice.
        QCOMPARE(fake->colorDialogs, QList<int>({0, 0, 0, 0x00FF0000}));
    }
};

QTEST_MAIN(OptionenTest)
#include "optionen_test.moc"
#include "WorldSnapshot.h"
