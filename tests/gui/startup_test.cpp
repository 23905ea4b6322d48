// The windowed program's own start-up, run as a process from a folder of its
// own, as an installation beside its settings file is.
#include <QtTest>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>

#include "TestFiles.h"

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void removesOldTemporariesOfKilledSavesBesideItsSettingsFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = dir.filePath("zelk");
        QVERIFY(QFile::copy(ZELK_PATH, program));
        WriteBytes(dir.filePath("Zelk.ini"), "[Optionen]\r\nNetzwerk=1\r\n");
        const QString old = dir.filePath(".zelk-123456.tmp"), young = dir.filePath(".zelk-654321.tmp");
        WriteBytes(old, "[Optionen]\r\n");
        WriteBytes(young, "[Optionen]\r\n");
        const timespec elevenMinutesAgo{std::time(nullptr) - 11 * 60, 0};
        const timespec times[2] = {elevenMinutesAgo, elevenMinutesAgo};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(old).constData(), times, 0), 0);

        QProcess zelk;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        zelk.setProcessEnvironment(environment);
        zelk.start(program, {});
        QVERIFY(zelk.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(old), 60000);
        zelk.kill();
        zelk.waitForFinished();
        QVERIFY(QFile::exists(young));  // perhaps another window's save still writing
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "startup_test.moc"
