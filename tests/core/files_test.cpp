// The core's file routines: what SafeReadFile refuses, and that it refuses
// without waiting.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestFiles.h"
#include "files/SafeRead.h"

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

// Runs check as the unprivileged user when we are root, where permissions
// would prove nothing; its result comes back as the exit status.
// -1: no such user can be become here.
int AsOrdinaryUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0)
        return check() ? 1 : 0;
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::_exit(check() ? 1 : 0);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 3)
        return -1;
    return WEXITSTATUS(status);
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
};

QTEST_GUILESS_MAIN(FilesTest)
#include "files_test.moc"
