// "&Inhalt" and "Inf&o...": the help window shows the manual that lies beside
// the program, says clearly when it cannot, and the about box is modal and
// closes with OK.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <memory>

#include "GuiFixtures.h"
#include "ProgramWindows.h"
#include "RecordingDialogs.h"
#include "TestFiles.h"
#include "dialogs/ZelkAbout.h"
#include "dialogs/ZelkHilfe.h"

namespace {

const QString Manual = QStringLiteral(ZELK_SOURCE_DIR "/resources/Zelk.hlp");

QString Shown(const THilfeFenster* window) { return Find<QTextBrowser>(window, "Browser")->toPlainText(); }

}  // namespace

class HilfeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<RecordingDialogs> fake;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<QTemporaryDir> dir;

private slots:
    void init()
    {
        fake = std::make_unique<RecordingDialogs>();
        setDialogs(fake.get());
        owner = std::make_unique<QWidget>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        owner.reset();  // takes the help window with it
        setDialogs(nullptr);
        dir.reset();
    }

    void opensTheManualBesideTheProgram()
    {
        QVERIFY(QFile::copy(Manual, dir->filePath(QStringLiteral("Zelk.hlp"))));
        THilfeFenster* window = HilfeInhaltZeigen(owner.get(), dir->path());
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), owner.get());
        QCOMPARE(window->windowTitle(), QStringLiteral("Zelk - Hilfe"));
        QCOMPARE(window->Pfad(), QFileInfo(dir->filePath(QStringLiteral("Zelk.hlp"))).absoluteFilePath());
        // Shown as HTML, not as its source text, with the German umlauts intact.
        QVERIFY(Shown(window).startsWith(QStringLiteral("Zelk - der Roboter")));
        QVERIFY(Shown(window).contains(QStringLiteral("Alle Schlüsselwörter")));
        QVERIFY(!Shown(window).contains(QStringLiteral("<h2>")));
        QVERIFY(fake->boxes.isEmpty());
    }

    // The build copies the manual beside its programs, so "&Inhalt" works
    // from the build folder as it does when installed.
    void findsTheManualBesideTheBuiltProgram()
    {
        QCOMPARE(HilfeDatei(), QDir(QCoreApplication::applicationDirPath()).filePath("Zelk.hlp"));
        THilfeFenster* window = HilfeInhaltZeigen(owner.get());
        QVERIFY2(window, qPrintable(fake->texts().join('\n')));
        QCOMPARE(ReadBytes(window->Pfad()), ReadBytes(Manual));
    }

    void saysWhereTheMissingManualWasLookedFor()
    {
        QCOMPARE(HilfeInhaltZeigen(owner.get(), dir->path()), nullptr);
        QCOMPARE(fake->boxes.size(), 1);
        const RecordingDialogs::Box box = fake->boxes.first();
        QCOMPARE(box.icon, MsgIcon::Error);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QVERIFY(box.text.contains(QStringLiteral("nicht gefunden")));
        QVERIFY(box.text.contains(QDir::toNativeSeparators(dir->filePath(QStringLiteral("Zelk.hlp")))));
        QVERIFY(owner->findChildren<THilfeFenster*>().isEmpty());
    }

    void aManualThatCannotBeReadIsReportedAsSuch()
    {
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Zelk.hlp")));
        QCOMPARE(HilfeInhaltZeigen(owner.get(), dir->path()), nullptr);
        QCOMPARE(fake->boxes.size(), 1);
        QVERIFY(fake->boxes.first().text.contains(QStringLiteral("kann nicht gelesen werden")));
    }

    // One window, read anew each time: a teacher may have replaced the file.
    void aSecondOpenReusesTheWindowAndReadsTheFileAgain()
    {
        const QString path = dir->filePath(QStringLiteral("Zelk.hlp"));
        auto fassung = [&](const char* name) {
            WriteBytes(path, QByteArray("<html><body><h1>") + name +
                                 "</h1><p><a href=\"#unten\">weiter</a></p>"
                                 "<p><a name=\"unten\"></a>Ende</p></body></html>");
        };
        fassung("Erste Fassung");
        THilfeFenster* first = HilfeInhaltZeigen(owner.get(), dir->path());
        QVERIFY(first);
        fassung("Zweite Fassung");
        QCOMPARE(HilfeInhaltZeigen(owner.get(), dir->path()), first);
        QVERIFY(Shown(first).contains(QStringLiteral("Zweite Fassung")));

        // After moving within the manual and closing the window.
        Find<QTextBrowser>(first, "Browser")->setSource(QUrl::fromLocalFile(path + QStringLiteral("#unten")));
        QVERIFY(Find<QPushButton>(first, "ZurueckBtn")->isEnabled());
        first->close();
        fassung("Dritte Fassung");
        THilfeFenster* again = HilfeInhaltZeigen(owner.get(), dir->path());
        QCOMPARE(again, first);
        QVERIFY(again->isVisible());
        QVERIFY(Shown(again).contains(QStringLiteral("Dritte Fassung")));
        QVERIFY(!Find<QPushButton>(again, "ZurueckBtn")->isEnabled());
    }

    void inhaltLeadsBackToTheContents()
    {
        QVERIFY(QFile::copy(Manual, dir->filePath(QStringLiteral("Zelk.hlp"))));
        THilfeFenster* window = HilfeInhaltZeigen(owner.get(), dir->path());
        QVERIFY(window);
        QUrl meldungen = QUrl::fromLocalFile(window->Pfad());
        meldungen.setFragment(QStringLiteral("meldungen"));
        Find<QTextBrowser>(window, "Browser")->setSource(meldungen);
        QTest::mouseClick(Find<QPushButton>(window, "InhaltBtn"), Qt::LeftButton);
        QCOMPARE(Find<QTextBrowser>(window, "Browser")->source().fragment(), QStringLiteral("inhalt"));
        QTest::mouseClick(Find<QPushButton>(window, "ZurueckBtn"), Qt::LeftButton);
        QCOMPARE(Find<QTextBrowser>(window, "Browser")->source().fragment(), QStringLiteral("meldungen"));
    }

    void aboutBoxIsModalShowsItsTextsAndClosesWithOk()
    {
        QWidget main;
        TAboutBox* box = CreateAboutBox(&main);
        QCOMPARE(aboutBox(), box);
        QVERIFY(!box->isVisible());

        bool wasModal = false;
        QWidget* focus = nullptr;
        QStringList texts;
        QTimer::singleShot(0, box, [&] {
            wasModal = QApplication::activeModalWidget() == box;
            focus = box->focusWidget();
            for (const QLabel* label : box->findChildren<QLabel*>())
                if (label->isVisible() && !label->text().isEmpty())
                    texts << label->text();
            QTest::keyClick(Find<QPushButton>(box, "OKButton"), Qt::Key_Space);  // OK has the focus
        });
        ShowAboutBox(box);

        QVERIFY(wasModal);
        QCOMPARE(focus, Find<QPushButton>(box, "OKButton"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Infos"));
        QCOMPARE(texts, (QStringList{"ZELK - der Roboter", "Version 2.0",
                                     "Programmierumgebung mit Compiler und Editor "}));
        QVERIFY(!box->isVisible());
        QCOMPARE(box->result(), int(QDialog::Accepted));
        QVERIFY(!Find<QLabel>(box, "ProgramIcon")->pixmap().isNull());

        delete box;
        QCOMPARE(aboutBox(), nullptr);
    }
};

QTEST_MAIN(HilfeTest)
#include "hilfe_test.moc"
