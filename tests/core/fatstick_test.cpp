// Saving onto a USB stick: a FAT file system, which has neither unnamed
// files nor hard links, mounted through FUSE from an image the test makes.
// Where the machine has no FUSE device or refuses the mount, the test says
// so and skips. The naming step itself, against a file that comes meanwhile,
// is tested in files_test with a link that refuses.
#include <QtTest>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>

#include <sys/vfs.h>
#include <unistd.h>

#include "TestFiles.h"
#include "ZelkRunProcess.h"
#include "files/SafeWrite.h"

namespace {

constexpr long FuseMagic = 0x65735546;  // what statfs says of a FUSE mount

// Runs a program to its end; its exit status, -1 when it could not start
// or crashed. Its output goes to output.
int RunTool(const QString& program, const QStringList& args, QByteArray& output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted() || !p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    output = p.readAll();
    return p.exitCode();
}

QString FindTool(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : found;
}

}  // namespace

class FatStickTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString stick;  // the mount point
    bool mounted = false;

    std::string onStick(const char* name) const { return QFile::encodeName(stick + "/" + name).toStdString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        if (::access("/dev/fuse", R_OK | W_OK) != 0)
            QSKIP("no FUSE device (/dev/fuse) this user may use to mount a FAT image");
        const QString mkfs = FindTool("mkfs.fat"), fusefat = FindTool("fusefat");
        if (mkfs.isEmpty() || fusefat.isEmpty())
            QSKIP("mkfs.fat (dosfstools) or fusefat (fusefat) is not installed");
        const QString image = dir.filePath("stick.img");
        stick = dir.filePath("stick");
        QVERIFY(QDir().mkpath(stick));
        QByteArray output;
        QVERIFY2(RunTool(mkfs, {"-C", image, "2048"}, output) == 0, output.constData());
        // rw+: fusefat mounts read-only unless told otherwise.
        if (RunTool(fusefat, {"-o", "rw+", image, stick}, output) != 0)
            QSKIP(qPrintable("fusefat refused the mount: " + QString::fromLocal8Bit(output)));
        struct statfs info {};
        mounted = ::statfs(QFile::encodeName(stick).constData(), &info) == 0 && info.f_type == FuseMagic;
        QVERIFY2(mounted, "fusefat succeeded, but no FUSE file system is mounted");
    }

    void cleanupTestCase()
    {
        if (!mounted)
            return;
        QByteArray output;
        for (const char* tool : {"fusermount", "fusermount3", "umount"}) {
            const QString path = FindTool(tool);
            const QStringList args = path.endsWith("umount") ? QStringList{stick} : QStringList{"-u", stick};
            if (!path.isEmpty() && RunTool(path, args, output) == 0)
                return;
        }
        QFAIL(qPrintable("the FAT image stays mounted at " + stick));
    }

    void aNewFileIsSavedAndAnOldOneReplaced()
    {
        QCOMPARE(SafeWriteFile(onStick("NEU.ROB"), "neu"), WriteResult::Written);
        QCOMPARE(ReadBytes(stick + "/NEU.ROB"), QByteArray("neu"));
        QCOMPARE(SafeWriteFile(onStick("NEU.ROB"), "ersetzt"), WriteResult::Written);
        QCOMPARE(ReadBytes(stick + "/NEU.ROB"), QByteArray("ersetzt"));
        QCOMPARE(QDir(stick).entryList(QDir::Files | QDir::Hidden), QStringList{"NEU.ROB"});
    }

    void zelkRunDumpsToANewNameOnTheStick()
    {
#ifndef ZELK_RUN_PATH
        QSKIP("zelk-run is not built");
#else
        // The same dump to the test's own folder gives the bytes to expect.
        WriteBytes(dir.filePath("leer.pas"), "PROGRAM Leer; BEGIN END.");
        const QString ende = stick + "/ENDE.ROB";
        for (const QString& target : {dir.filePath("ende.rob"), ende}) {
            const Outcome o = RunZelkRun(dir.path(), {"--no-run", "--dump", target, "leer.pas"});
            QVERIFY2(!o.crashed && o.status == 0, o.out + o.err);
        }
        QCOMPARE(ReadBytes(ende).size(), 1220);
        QCOMPARE(ReadBytes(ende), ReadBytes(dir.filePath("ende.rob")));
        QVERIFY(!QDir(stick).entryList(QDir::Files | QDir::Hidden).filter(".zelk-").size());
#endif
    }
};

QTEST_GUILESS_MAIN(FatStickTest)
#include "fatstick_test.moc"
