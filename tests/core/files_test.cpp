// The core's file routines: what SafeReadFile refuses, and that it refuses
// without waiting; what SafeWriteFile refuses to replace, what it keeps of
// the file it replaces, what it leaves behind when killed, and which
// temporary files it removes.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "files/SafeRead.h"
#include "files/SafeWrite.h"

namespace {

// A Unix socket file at path, as a server leaves it; false when none can be made.
bool MakeSocketFile(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// The kind of file at path, without following a link: 'f' regular, 'l'
// link, 'p' pipe, 's' socket, 'd' folder, '-' nothing.
char KindAt(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return '-';
    if (S_ISREG(info.st_mode))
        return 'f';
    if (S_ISLNK(info.st_mode))
        return 'l';
    if (S_ISFIFO(info.st_mode))
        return 'p';
    if (S_ISSOCK(info.st_mode))
        return 's';
    return S_ISDIR(info.st_mode) ? 'd' : '?';
}

QStringList EntriesOf(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The size of the file a process is writing into folder, or -1 while it has
// none open there.
qint64 SizeBeingWritten(pid_t pid, const std::string& folder)
{
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd";
    DIR* dir = ::opendir(fds.c_str());
    if (!dir)
        return -1;
    qint64 size = -1;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string link = fds + "/" + entry->d_name;
        char target[4096];
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        struct stat info {};
        if (n > 0 && std::string(target, size_t(n)).rfind(folder + "/", 0) == 0 && ::stat(link.c_str(), &info) == 0)
            size = info.st_size;
    }
    ::closedir(dir);
    return size;
}

// Links as a file system without them answers: FAT refuses with EPERM.
int RefuseLink(const char*, const char*)
{
    errno = EPERM;
    return -1;
}

// The same, while another program saves a file under the name.
int RefuseLinkAsAFileArrives(const char*, const char* to)
{
    WriteBytes(QFile::decodeName(to), "fremd");
    errno = EPERM;
    return -1;
}

// Or while a link to a file not yet there appears at the name.
int RefuseLinkAsALinkArrives(const char*, const char* to)
{
    if (::symlink("nirgends", to) != 0)
        return -1;  // the test then fails on what it finds
    errno = EPERM;
    return -1;
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::string path(const char* name) const { return QFile::encodeName(dir.filePath(name)).toStdString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Open for the ordinary user the permission checks run as.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    }

    void readsWithinTheLimitAndRefusesBeyondIt()
    {
        std::string bytes = "alt";
        WriteBytes(dir.filePath("vier.txt"), "1234");
        QCOMPARE(SafeReadFile(path("vier.txt"), 4, bytes), ReadResult::Read);
        QCOMPARE(bytes, std::string("1234"));
        QCOMPARE(SafeReadFile(path("vier.txt"), 3, bytes), ReadResult::TooLarge);
        QCOMPARE(bytes, std::string());
        // A fixed-size record: a longer file is read as its start.
        QCOMPARE(SafeReadFile(path("vier.txt"), 3, bytes, OverLimit::KeepStart), ReadResult::Read);
        QCOMPARE(bytes, std::string("123"));

        // Far beyond the limit, and across many reads.
        WriteBytes(dir.filePath("gross.txt"), QByteArray(300000, 'x'));
        QCOMPARE(SafeReadFile(path("gross.txt"), 299999, bytes), ReadResult::TooLarge);
        QCOMPARE(SafeReadFile(path("gross.txt"), NoSizeLimit, bytes), ReadResult::Read);
        QCOMPARE(bytes.size(), size_t(300000));
        WriteBytes(dir.filePath("leer.txt"), "");
        QCOMPARE(SafeReadFile(path("leer.txt"), 0, bytes), ReadResult::Read);
    }

    void refusesWhatIsNoRegularFile()
    {
        std::string bytes;
        QCOMPARE(SafeReadFile(path("fehlt.txt"), 100, bytes), ReadResult::NotFound);
        QCOMPARE(SafeReadFile(path("fehlt/x.txt"), 100, bytes), ReadResult::NotFound);
        QCOMPARE(SafeReadFile("", 100, bytes), ReadResult::NotFound);
        QVERIFY(QDir(dir.path()).mkdir("ordner"));
        QCOMPARE(SafeReadFile(path("ordner"), 100, bytes), ReadResult::Directory);
        QVERIFY(MakeSocketFile(path("sock")));
        QCOMPARE(SafeReadFile(path("sock"), 100, bytes), ReadResult::NotRegular);
        QVERIFY(::symlink("schleife", path("schleife").c_str()) == 0);
        QCOMPARE(SafeReadFile(path("schleife"), 100, bytes), ReadResult::NotOpened);
    }

    void aPipeIsRefusedWithoutWaitingForAWriter()
    {
        // Should the open or the read wait, a writer comes by after a while
        // and closes at once, so the test fails rather than hangs.
        const std::string fifo = path("rohr");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        std::atomic<bool> done{false};
        std::thread writer([&] {
            for (int waited = 0; waited < 1500 && !done; waited += 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            while (!done) {
                const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        QElapsedTimer clock;
        clock.start();
        std::string bytes;
        const ReadResult r = SafeReadFile(fifo, 100, bytes);
        const qint64 took = clock.elapsed();
        done = true;
        writer.join();
        QCOMPARE(r, ReadResult::NotRegular);
        QVERIFY2(took < 1000, "the read waited for a writer");
    }

    void aFileWithoutReadPermissionIsNotOpened()
    {
        WriteBytes(dir.filePath("geheim.txt"), "geheim");
        QVERIFY(::chmod(path("geheim.txt").c_str(), 0) == 0);
        WriteBytes(dir.filePath("offen.txt"), "offen");
        const std::string geheim = path("geheim.txt"), offen = path("offen.txt");
        const int r = AsOrdinaryUser([&] {
            std::string bytes;
            return SafeReadFile(offen, 100, bytes) == ReadResult::Read &&
                   SafeReadFile(geheim, 100, bytes) == ReadResult::NotOpened && bytes.empty();
        });
        if (r < 0)
            QSKIP("no ordinary user to check permissions as");
        QCOMPARE(r, 1);
    }

    void aSaveNeverReplacesWhatIsNoRegularFile()
    {
        QVERIFY(QDir(dir.path()).mkpath("ziele"));
        const std::string fifo = path("ziele/ROHR.ROB"), socket = path("ziele/SOCKEL.ROB");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        QVERIFY(MakeSocketFile(socket));
        QVERIFY(::symlink("SCHLEIFE.ROB", path("ziele/SCHLEIFE.ROB").c_str()) == 0);
        QVERIFY(::symlink("ROHR.ROB", path("ziele/ZUMROHR.ROB").c_str()) == 0);
        QVERIFY(QDir(dir.path()).mkpath("ziele/ORDNER.ROB"));
        const QStringList before = EntriesOf(dir.filePath("ziele"));

        QCOMPARE(SafeWriteFile(fifo, "neu"), WriteResult::NotRegular);
        QCOMPARE(SafeWriteFile(socket, "neu"), WriteResult::NotRegular);
        QCOMPARE(SafeWriteFile(path("ziele/SCHLEIFE.ROB"), "neu"), WriteResult::NotRegular);
        QCOMPARE(SafeWriteFile(path("ziele/ZUMROHR.ROB"), "neu"), WriteResult::NotRegular);
        QCOMPARE(SafeWriteFile(path("ziele/ORDNER.ROB"), "neu"), WriteResult::Directory);
        QCOMPARE(SafeWriteFile(path("ziele/fehlt/X.ROB"), "neu"), WriteResult::NotCreated);
        QCOMPARE(SafeWriteFile("", "neu"), WriteResult::NotCreated);

        QCOMPARE(EntriesOf(dir.filePath("ziele")), before);
        QCOMPARE(KindAt(fifo), 'p');
        QCOMPARE(KindAt(socket), 's');
        QCOMPARE(KindAt(path("ziele/SCHLEIFE.ROB")), 'l');
        QCOMPARE(KindAt(path("ziele/ZUMROHR.ROB")), 'l');
    }

    void aSaveThroughALinkWritesTheFileItNames()
    {
        // Also a link to a file that does not exist yet: the file is made
        // where the link points, and the link stays.
        QVERIFY(QDir(dir.path()).mkpath("links/a"));
        QVERIFY(QDir(dir.path()).mkpath("links/b"));
        QVERIFY(::symlink("../b/ZIEL.PAS", path("links/a/LOS.PAS").c_str()) == 0);
        QVERIFY(::symlink("LOS.PAS", path("links/a/KETTE.PAS").c_str()) == 0);
        QCOMPARE(SafeWriteFile(path("links/a/KETTE.PAS"), "eins"), WriteResult::Written);
        QCOMPARE(KindAt(path("links/a/KETTE.PAS")), 'l');
        QCOMPARE(KindAt(path("links/a/LOS.PAS")), 'l');
        QCOMPARE(ReadBytes(dir.filePath("links/b/ZIEL.PAS")), QByteArray("eins"));
        QCOMPARE(SafeWriteFile(path("links/a/LOS.PAS"), "zwei"), WriteResult::Written);
        QCOMPARE(ReadBytes(dir.filePath("links/b/ZIEL.PAS")), QByteArray("zwei"));
        QCOMPARE(EntriesOf(dir.filePath("links/b")), QStringList{"ZIEL.PAS"});
        QCOMPARE(EntriesOf(dir.filePath("links/a")), (QStringList{"KETTE.PAS", "LOS.PAS"}));
    }

    void anOverwrittenFileKeepsItsModeAndOwner()
    {
        const std::string target = path("besitz.pas");
        WriteBytes(dir.filePath("besitz.pas"), "alt");
        QCOMPARE(::chmod(target.c_str(), 0604), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(target.c_str(), 65534, 65534), 0);
        struct stat before {};
        QCOMPARE(::stat(target.c_str(), &before), 0);

        QCOMPARE(SafeWriteFile(target, "neu"), WriteResult::Written);
        struct stat after {};
        QCOMPARE(::stat(target.c_str(), &after), 0);
        QCOMPARE(ReadBytes(dir.filePath("besitz.pas")), QByteArray("neu"));
        QVERIFY(after.st_ino != before.st_ino);  // replaced, not written into
        QCOMPARE(after.st_mode & 07777, mode_t(0604));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        if (!root)
            qInfo("not root: the owner was ours before and after");
    }

    void aWritableFileInAFolderThatRefusesNewFilesIsWrittenInPlace()
    {
        // A teacher's preset: the folder is root's, the file anyone's to write.
        QVERIFY(QDir(dir.path()).mkpath("geteilt"));
        const std::string shared = path("geteilt/Zelk.ini"), locked = path("geteilt/fest.ini");
        WriteBytes(dir.filePath("geteilt/Zelk.ini"), "[Optionen]\r\nTabset=8\r\n");
        WriteBytes(dir.filePath("geteilt/fest.ini"), "fest");
        QCOMPARE(::chmod(shared.c_str(), 0666), 0);
        QCOMPARE(::chmod(locked.c_str(), 0644), 0);
        const int r = AsOrdinaryUser([&] {
            if (::access(path("geteilt").c_str(), W_OK) == 0)
                return false;  // the folder must refuse, or this proves nothing
            // Longer, then shorter: the end of the longer one must go.
            return SafeWriteFile(shared, "[Optionen]\r\nTabset=12345\r\n") == WriteResult::Written &&
                   SafeWriteFile(shared, "[X]\r\n") == WriteResult::Written &&
                   SafeWriteFile(locked, "neu") == WriteResult::WriteProtected &&
                   SafeWriteFile(path("geteilt/neu.ini"), "neu") == WriteResult::NotCreated;
        });
        if (r < 0)
            QSKIP("no ordinary user to become: as root every folder takes new files");
        QCOMPARE(r, 1);
        QCOMPARE(ReadBytes(dir.filePath("geteilt/Zelk.ini")), QByteArray("[X]\r\n"));
        QCOMPARE(EntriesOf(dir.filePath("geteilt")), (QStringList{"Zelk.ini", "fest.ini"}));
    }

    void oldTemporaryFilesOfOurPatternAreRemoved_data()
    {
        QTest::addColumn<bool>("bySave");
        QTest::newRow("by a save into their folder") << true;
        QTest::newRow("beside a file, as at start-up") << false;
    }

    void oldTemporaryFilesOfOurPatternAreRemoved()
    {
        // Only the names the writer makes, exactly six digits; a file that
        // merely looks alike may be another program's.
        const struct {
            const char* name;
            bool old;
            bool removed;
        } files[] = {
            {".zelk-123456.tmp", true, true},    {".zelk-000000.tmp", true, true},
            {".zelk-654321.tmp", false, false},  {".zelk-7.tmp", true, false},
            {".zelk-12345.tmp", true, false},    {".zelk-1234567.tmp", true, false},
            {".zelk-notiz.tmp", true, false},    {".zelk-12345a.tmp", true, false},
            {".zelk-123456.bak", true, false},   {"zelk-123456.tmp", true, false},
            {".zelk-123456.tmp~", true, false},  {".ZELK-123456.tmp", true, false},
        };
        QFETCH(bool, bySave);
        const QString folder = bySave ? "aufraeumen" : "start";
        QVERIFY(QDir(dir.path()).mkpath(folder));
        const std::string base = QFile::encodeName(dir.filePath(folder)).toStdString();
        const timespec elevenMinutesAgo{std::time(nullptr) - 11 * 60, 0};
        const timespec times[2] = {elevenMinutesAgo, elevenMinutesAgo};
        QStringList left;
        for (const auto& f : files) {
            const std::string file = base + "/" + f.name;
            WriteBytes(QFile::decodeName(file.c_str()), "rest");
            if (f.old)
                QCOMPARE(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
            if (!f.removed)
                left << f.name;
        }

        if (bySave) {
            QCOMPARE(SafeWriteFile(base + "/W.ROB", "neu"), WriteResult::Written);
            left << "W.ROB";
        } else {
            RemoveStaleTemporariesBeside(base + "/Zelk.ini");
        }
        QStringList entries = EntriesOf(dir.filePath(folder));
        entries.sort();
        left.sort();
        QCOMPARE(entries, left);
    }

    void aNewNameWhereLinksAreRefusedReplacesNothing()
    {
        // The naming step of a save on a file system without hard links
        // (FAT, exFAT), also while another program saves under that name.
        const struct {
            LinkFunction link;
            char arrived;  // what stands at the name afterwards if not ours
        } cases[] = {{RefuseLink, '-'}, {RefuseLinkAsAFileArrives, 'f'}, {RefuseLinkAsALinkArrives, 'l'}};
        QVERIFY(QDir(dir.path()).mkpath("ohnelinks"));
        for (const auto& c : cases) {
            const std::string from = path("ohnelinks/.zelk-000001.tmp"), to = path("ohnelinks/NEU.ROB");
            ::unlink(to.c_str());
            WriteBytes(QFile::decodeName(from.c_str()), "neu");
            errno = 0;
            const bool moved = MoveToFreeName(from, to, c.link);
            const int error = errno;
            QCOMPARE(moved, c.arrived == '-');
            QCOMPARE(KindAt(to), c.arrived == '-' ? 'f' : c.arrived);
            if (moved) {
                QCOMPARE(ReadBytes(QFile::decodeName(to.c_str())), QByteArray("neu"));
                QCOMPARE(KindAt(from), '-');
            } else {
                QCOMPARE(error, EEXIST);
                QCOMPARE(ReadBytes(QFile::decodeName(from.c_str())), QByteArray("neu"));
                if (c.arrived == 'f')
                    QCOMPARE(ReadBytes(QFile::decodeName(to.c_str())), QByteArray("fremd"));
                ::unlink(from.c_str());
            }
        }
    }

    void aKilledSaveLeavesNoTemporaryFile()
    {
        // A writer is killed while it writes, once over an existing file and
        // once where none was: what was there before is all that is left.
        QVERIFY(QDir(dir.path()).mkpath("abbruch"));
        const std::string folder = path("abbruch");
        WriteBytes(dir.filePath("abbruch/ALT.PAS"), "alt");
        const std::size_t size = 64 << 20;
        for (const char* name : {"ALT.PAS", "NEU.PAS"}) {
            const std::string target = folder + "/" + name;
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                const std::string data(size, 'x');
                SafeWriteFile(target, data);
                ::_exit(0);
            }
            QElapsedTimer clock;
            clock.start();
            qint64 written = -1;
            while ((written = SizeBeingWritten(child, folder)) <= 0 && clock.elapsed() < 10000)
                ::usleep(200);
            const bool caught = written > 0 && written < qint64(size / 2);
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY2(caught, "the writer was not caught in the middle of writing");
            QVERIFY(WIFSIGNALED(status));
            QCOMPARE(EntriesOf(dir.filePath("abbruch")), QStringList{"ALT.PAS"});
            QCOMPARE(ReadBytes(dir.filePath("abbruch/ALT.PAS")), QByteArray("alt"));
        }
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "files_test.moc"
