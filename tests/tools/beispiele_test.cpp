// The manual's examples: the files that ship beside the manual are the ones
// it shows, each example ends as the manual says, and a field picture that
// does not describe a work field is refused rather than written half.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "TestFiles.h"

namespace {

const QString Manual = QStringLiteral(ZELK_SOURCE_DIR "/resources/Zelk.hlp");
const QString Examples = QStringLiteral(ZELK_SOURCE_DIR "/resources/examples");

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    Outcome o;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return o;
    o.status = p.exitCode();
    o.out = p.readAllStandardOutput();
    o.err = p.readAllStandardError();
    return o;
}

QStringList Files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// An empty field, the robot on the bottom-left square facing east, as the
// manual draws it; rows[0] is the top border.
QStringList EmptyPicture()
{
    QStringList rows;
    const QString full = QStringLiteral("+") + QStringLiteral("---+").repeated(15);
    const QString open = QStringLiteral("+") + QStringLiteral("   +").repeated(15);
    const QString row = QStringLiteral("|") + QString(59, ' ') + QStringLiteral("|");
    rows << full;
    for (int y = 10; y >= 1; --y)
        rows << row << (y > 1 ? open : full);
    rows[19].replace(2, 1, QStringLiteral("&gt;"));
    return rows;
}

QByteArray ManualWith(const QStringList& picture, const QString& vorrat = QStringLiteral("0"))
{
    return QStringLiteral("<html><body><pre class=\"feld\" data-name=\"PROBE\" data-vorrat=\"%1\">%2\n</pre>"
                          "<pre class=\"programm\" data-datei=\"PROBE.PAS\">PROGRAM P;\nBEGIN\nEND.\n</pre>"
                          "</body></html>")
        .arg(vorrat, picture.join('\n'))
        .toUtf8();
}

}  // namespace

class BeispieleTest : public QObject {
    Q_OBJECT

private slots:
    void shippedFilesAreTheManualsExamples()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const Outcome o = Run(ZELK_BEISPIELE_PATH, {Manual, dir.path()});
        QVERIFY2(o.status == 0, o.err.constData());
        QCOMPARE(Files(dir.path()), Files(Examples));
        for (const QString& name : Files(Examples))
            QVERIFY2(ReadBytes(dir.filePath(name)) == ReadBytes(Examples + '/' + name),
                     qPrintable(name + " differs from the manual: cmake --build build --target beispiele"));
    }

    void eachExampleEndsAsTheManualSays_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("state");
        const QByteArray empty = "000000000000000\n";
        QTest::newRow("Sammeln") << "SAMMELN.PAS"
                                 << "Zelk: x=10 y=1 richtung=Ost vorrat=9\n" + empty.repeated(7) +
                                        "000100000000000\n000000000004000\n" + empty;
        QTest::newRow("Labyrinth") << "LABYRINTH.PAS"
                                   << "Zelk: x=6 y=5 richtung=West vorrat=1\n" + empty.repeated(10);
        QTest::newRow("Treppe") << "TREPPE.PAS"
                                << "Zelk: x=15 y=6 richtung=West vorrat=0\n" + empty.repeated(4) +
                                       "000001000000000\n000010000000000\n000100000000000\n"
                                       "001000000000000\n010000000000000\n" + empty;
    }

    void eachExampleEndsAsTheManualSays()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, state);
        // A copy: zelk-run works in the program's folder.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString& name : Files(Examples))
            QVERIFY(QFile::copy(Examples + '/' + name, dir.filePath(name)));
        const Outcome o = Run(ZELK_RUN_PATH, {"--state", "--max-steps", "1000000", dir.filePath(program)});
        QVERIFY2(o.status == 0, (o.out + o.err).constData());
        QCOMPARE(o.out, state);
    }

    void aPictureThatIsNoWorkFieldIsRefused_data()
    {
        QTest::addColumn<QByteArray>("manual");
        QTest::addColumn<QByteArray>("reason");
        QStringList openBorder = EmptyPicture();
        openBorder[0].replace(5, 3, QStringLiteral("   "));
        QTest::newRow("open border") << ManualWith(openBorder) << QByteArray("Rand ist offen");
        QStringList openSide = EmptyPicture();
        openSide[9][60] = ' ';
        QTest::newRow("open side") << ManualWith(openSide) << QByteArray("Rand ist offen");
        QStringList twice = EmptyPicture();
        twice[1].replace(2, 1, QStringLiteral("v"));
        QTest::newRow("two robots") << ManualWith(twice) << QByteArray("zweimal");
        QStringList none = EmptyPicture();
        none[19].replace(2, 4, QStringLiteral(" "));
        QTest::newRow("no robot") << ManualWith(none) << QByteArray("Zelk fehlt");
        QStringList narrow = EmptyPicture();
        narrow[5].chop(1);
        QTest::newRow("short line") << ManualWith(narrow) << QByteArray("61 Zeichen");
        QStringList stray = EmptyPicture();
        stray[3][10] = 'x';
        QTest::newRow("unknown sign") << ManualWith(stray) << QByteArray("unbekanntes Zeichen");
        QStringList row = EmptyPicture();
        row.removeAt(4);
        QTest::newRow("missing row") << ManualWith(row) << QByteArray("21 Zeilen");
        QTest::newRow("no pictures") << QByteArray("<html><body>leer</body></html>")
                                     << QByteArray("keine Arbeitsfeld-Bilder");
    }

    void aPictureThatIsNoWorkFieldIsRefused()
    {
        QFETCH(QByteArray, manual);
        QFETCH(QByteArray, reason);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        WriteBytes(dir.filePath("Zelk.hlp"), manual);
        QVERIFY(QDir(dir.path()).mkdir("aus"));
        const Outcome o = Run(ZELK_BEISPIELE_PATH, {dir.filePath("Zelk.hlp"), dir.filePath("aus")});
        QCOMPARE(o.status, 65);
        QVERIFY2(o.err.contains(reason), o.err.constData());
        QVERIFY(Files(dir.filePath("aus")).isEmpty());
    }

    void theTestsOwnPictureIsAWorkField()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        WriteBytes(dir.filePath("Zelk.hlp"), ManualWith(EmptyPicture(), "7"));
        const Outcome o = Run(ZELK_BEISPIELE_PATH, {dir.filePath("Zelk.hlp"), dir.path()});
        QVERIFY2(o.status == 0, o.err.constData());
        const Outcome state = Run(ZELK_RUN_PATH, {"--world", dir.filePath("PROBE.ROB"), "--state",
                                                  dir.filePath("PROBE.PAS")});
        QCOMPARE(state.out, "Zelk: x=1 y=1 richtung=Ost vorrat=7\n" +
                                QByteArray("000000000000000\n").repeated(10));
        QCOMPARE(ReadBytes(dir.filePath("PROBE.PAS")), QByteArray("PROGRAM P;\r\nBEGIN\r\nEND.\r\n"));
    }
};

QTEST_MAIN(BeispieleTest)
#include "beispiele_test.moc"
