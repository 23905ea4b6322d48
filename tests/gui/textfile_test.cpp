// Program text files in the editor: both encodings, line ends, lossless
// round trips, safe saving, files that are not text at all, and the reasons
// the editor gives.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <csignal>
#include <sys/resource.h>

#include "TestFiles.h"
#include "editor/TextFile.h"

namespace {

// Reads a file and writes the text back elsewhere; returns the new bytes.
QByteArray RoundTrip(const QTemporaryDir& dir, const QByteArray& bytes, TextEncoding* encoding = nullptr)
{
    const QString in = dir.filePath("in.pas"), out = dir.filePath("out.pas");
    WriteBytes(in, bytes);
    TextFileResult file = ReadTextFile(in);
    if (!file.ok)
        return "<read failed: " + file.error.toUtf8() + ">";
    if (encoding)
        *encoding = file.encoding;
    if (!WriteTextFile(out, file.text, &file.encoding))
        return "<write failed>";
    return ReadBytes(out);
}

}  // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private slots:
    void editorLinesReachTheScannerAsWindows1252()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const QString text = QString::fromStdString(Windows1252ToUtf8(all));
        QCOMPARE(text.size(), 256);
        QCOMPARE(ToWindows1252(text), all);
        QCOMPARE(ToWindows1252(QStringLiteral("Grüße → ok")), std::string("Gr\xFC\xDF\x65 \x81 ok"));
        // A character outside the BMP is one character: one byte.
        QCOMPARE(ToWindows1252(QStringLiteral("a\U0001F600b")), std::string("a\x81" "b"));
    }

    void roundTripsKeepEveryByte()
    {
        QTemporaryDir dir;
        TextEncoding encoding;

        // Every byte but the two line-end bytes, in Windows-1252, CRLF lines.
        QByteArray ansi;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                ansi.append(char(b));
        ansi = ansi + "\r\nZeile 2\r\n\r\nletzte ohne Umbruch";
        QCOMPARE(RoundTrip(dir, ansi, &encoding), ansi);
        QCOMPARE(encoding, TextEncoding::Windows1252);

        const QByteArray utf8 = QStringLiteral("{ Grüße → 😀 }\r\nVOR;\r\n").toUtf8();
        QCOMPARE(RoundTrip(dir, utf8, &encoding), utf8);
        QCOMPARE(encoding, TextEncoding::Utf8);

        const QByteArray bom = "\xEF\xBB\xBF" + QStringLiteral("ä\r\n").toUtf8();
        QCOMPARE(RoundTrip(dir, bom, &encoding), bom);

        // Bytes that happen to form valid UTF-8 are read and written as such.
        QCOMPARE(RoundTrip(dir, "\xC3\xA4\r\n"), QByteArray("\xC3\xA4\r\n"));

        // LF and lone CR files keep their characters and get CRLF.
        QCOMPARE(RoundTrip(dir, "a\nb\rc\n"), QByteArray("a\r\nb\r\nc\r\n"));
        QCOMPARE(RoundTrip(dir, ""), QByteArray());
    }

    void savingChoosesTheEncoding()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("neu.pas");

        TextEncoding encoding = TextEncoding::Windows1252;  // a new page
        QVERIFY(WriteTextFile(path, QStringLiteral("{ Grüße }\nVOR;"), &encoding));
        QCOMPARE(ReadBytes(path), QByteArray("{ Gr\xFC\xDF" "e }\r\nVOR;"));
        QCOMPARE(encoding, TextEncoding::Windows1252);

        // Windows-1252 bytes that would read back as UTF-8 ("Ã¤" is C3 A4,
        // the UTF-8 of "ä") are saved as UTF-8, so the text comes back as typed.
        QVERIFY(WriteTextFile(path, QStringLiteral("{ Ã¤ } VOR"), &encoding));
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(ReadTextFile(path).text, QStringLiteral("{ Ã¤ } VOR"));
        encoding = TextEncoding::Windows1252;

        // A character Windows-1252 cannot hold turns the file into UTF-8 ...
        QVERIFY(WriteTextFile(path, QStringLiteral("{ → }\nä"), &encoding));
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(ReadBytes(path), QStringLiteral("{ → }\r\nä").toUtf8());

        // ... and a UTF-8 file stays UTF-8 when the character is gone again.
        QVERIFY(WriteTextFile(path, QStringLiteral("ä"), &encoding));
        QCOMPARE(encoding, TextEncoding::Utf8);
        QCOMPARE(ReadBytes(path), QByteArray("\xC3\xA4"));
    }

    void failedSaveLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ROBO1.PAS");
        WriteBytes(path, "PROGRAM alt;\r\n");

        // A file size limit makes the write itself fail halfway, for any user.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        TextEncoding encoding = TextEncoding::Windows1252;
        QString error;
        const bool saved = WriteTextFile(path, QString(100000, QChar('x')), &encoding, &error);
        setrlimit(RLIMIT_FSIZE, &old);

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadBytes(path), QByteArray("PROGRAM alt;\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ROBO1.PAS"});

        QVERIFY(!WriteTextFile(dir.filePath("fehlt/x.pas"), "x", &encoding, &error));
    }

    void aSaveOverAPipeIsRefusedWithTheEditorsReason()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("ROHR.PAS");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        TextEncoding encoding = TextEncoding::Windows1252;
        QString error;
        QVERIFY(!WriteTextFile(fifo, "VOR;", &encoding, &error));
        QCOMPARE(error, QStringLiteral("Das ist keine gewöhnliche Datei."));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(fifo).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }

    void unreadableBinaryAndHugeFiles()
    {
        QTemporaryDir dir;
        TextFileResult missing = ReadTextFile(dir.filePath("gibtsnicht.pas"));
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
        QVERIFY(!ReadTextFile(dir.path()).ok);

        // Binary data with NUL bytes is text with odd characters.
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char(QRandomGenerator::global()->bounded(256));
        binary.replace('\r', '\0');
        binary.replace('\n', '\0');
        QCOMPARE(RoundTrip(dir, binary), binary);

        const QString huge = dir.filePath("huge.pas");
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxProgramFileSize + 1));
        file.close();
        const TextFileResult big = ReadTextFile(huge);
        QVERIFY(!big.ok);
        QVERIFY(big.error.contains(QStringLiteral("zu groß")));
    }

    void charactersTheEditorWouldTurnIntoLineBreaksAreRefused()
    {
        // Loading and saving would turn them into CR LF and shift every
        // later line; the file is refused and stays as it is.
        QTemporaryDir dir;
        const QString path = dir.filePath("ABSATZ.PAS");
        const QByteArray bytes = QStringLiteral("{ a\u2029b ä }\r\nVOR").toUtf8();
        WriteBytes(path, bytes);
        const TextFileResult r = ReadTextFile(path);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QStringLiteral("Die Datei enthält ein Zeichen, das der Editor als "
                                         "Zeilenwechsel lesen würde (U+2029)."));
        QCOMPARE(ReadBytes(path), bytes);
        WriteBytes(path, QStringLiteral("x\uFDD0").toUtf8());
        QVERIFY(!ReadTextFile(path).ok);
        // The line separator U+2028 stays inside its line and is kept.
        WriteBytes(path, QStringLiteral("x\u2028y").toUtf8());
        QCOMPARE(ReadTextFile(path).text, QStringLiteral("x\u2028y"));
    }

    void aPipeNamedLikeAProgramIsRefusedAtOnce()
    {
        // Opening a named pipe waits for a writer: the whole program would
        // hang. A writer thread opens and closes it after a while, so an
        // unguarded read ends instead of hanging the test.
        QTemporaryDir dir;
        const QString fifo = dir.filePath("ROHR.PAS");
        const QByteArray local = QFile::encodeName(fifo);
        QCOMPARE(::mkfifo(local.constData(), 0600), 0);
        std::thread writer([local] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
            const int fd = ::open(local.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        QElapsedTimer clock;
        clock.start();
        const TextFileResult r = ReadTextFile(fifo);
        const qint64 took = clock.elapsed();
        writer.join();
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QStringLiteral("Das ist keine gewöhnliche Datei."));
        QVERIFY2(took < 1000, "the read waited for a writer");
    }
};

QTEST_MAIN(TextFileTest)
#include "textfile_test.moc"
