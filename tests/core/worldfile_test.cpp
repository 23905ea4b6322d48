// Work field files: the byte layout, saving through a temporary file,
// loading from the menu (Oeffnen) and from a program (Laden, LadeArbeitsfeld),
// and every refused file leaving the world as it was.
#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "RecordingPorts.h"
#include "TestFiles.h"
#include "WorldSnapshot.h"
#include "world/ZelkFeld.h"

namespace {

const char* const KeineRobDatei =
    "Die ausgewählte Datei ist keine Zelk 2.0 Arbeitsfelddatei. Öffnen Sie eine Datei mit der "
    "Dateinamenserweiterung *.ROB.";

void SetzeInt(QByteArray& b, int offset, qint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = char(quint32(v) >> (8 * i));
}

QByteArray Bytes(std::initializer_list<int> werte)
{
    QByteArray b;
    for (int v : werte)
        b.append(char(v));
    return b;
}

int ZellenOffset(int x, int y) { return 20 + ((y - 1) * 15 + (x - 1)) * 8; }

// A world with items, barriers and a robot away from its start square.
void BaueWelt()
{
    WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 3).Anzahl = 7; });
    WeltSetzen([&](TWeltZustand& w) { w.Zelle(15, 10).Anzahl = 9; });
    WeltSetzen([&](TWeltZustand& w) { w.Zelle(6, 2).Offen[Ost] = 0; });
    WeltSetzen([&](TWeltZustand& w) { w.Zelle(7, 2).Offen[West] = 0; });
    WeltSetzen([&](TWeltZustand& w) { w.Zelle(10, 8).Offen[Nord] = 0; });  // one-sided on purpose
    WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{42, 4, 7, West}; });
    Welt.Uebernehmen();
}

QStringList DateienIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class WorldFileTest : public QObject {
    Q_OBJECT

    RecordingMessages messages;
    RecordingDisplay display;
    QTemporaryDir* tmp = nullptr;
    QString alterOrdner;

    QString Pfad(const QString& name) const { return tmp->filePath(name); }
    std::string StdPfad(const QString& name) const { return Pfad(name).toStdString(); }

    // The file Speichern writes for the world as it stands.
    QByteArray Gespeichert()
    {
        const QString p = Pfad("save-probe.rob");
        QFile::remove(p);
        if (!Welt.Speichern(p.toStdString()))
            return {};
        QByteArray b = ReadBytes(p);
        QFile::remove(p);
        return b;
    }

private slots:
    void init()
    {
        ResetWorld();
        messages = RecordingMessages();
        display = RecordingDisplay();
        setMessages(&messages);
        setWorldDisplay(&display);
        tmp = new QTemporaryDir;
        QVERIFY(tmp->isValid());
        alterOrdner = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp->path()));
    }
    void cleanup()
    {
        QDir::setCurrent(alterOrdner);
        delete tmp;
        tmp = nullptr;
        setMessages(nullptr);
        setWorldDisplay(nullptr);
    }

    void newWorldIsWrittenByteForByte()
    {
        const QByteArray b = Gespeichert();
        QCOMPARE(b.size(), 1220);
        QCOMPARE(b.left(20), Bytes({0x15, 0x14, 0x03, 0x00, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(b.mid(ZellenOffset(1, 1), 8), Bytes({0, 0, 0, 0, 1, 1, 0, 0}));
        QCOMPARE(b.mid(ZellenOffset(15, 10), 8), Bytes({0, 0, 0, 0, 0, 0, 1, 1}));
        QCOMPARE(b.mid(ZellenOffset(8, 5), 8), Bytes({0, 0, 0, 0, 1, 1, 1, 1}));
        QVERIFY(messages.shown.empty());
        QVERIFY(display.calls.empty());
    }

    void theStartStateIsWrittenFieldByField()
    {
        BaueWelt();
        WeltSetzen([&](TWeltZustand& w) { w.Zelle(4, 3).Anzahl = 1; });  // current state differs: must not be written
        WeltSetzen([&](TWeltZustand& w) { w.Roboter = TZelkZustand{1, 1, 1, Sued}; });
        const QByteArray b = Gespeichert();
        QCOMPARE(b.left(20), Bytes({0x15, 0x14, 0x03, 0x00, 42, 0, 0, 0, 4, 0, 0, 0, 7, 0, 0, 0, 2, 0, 0, 0}));
        QCOMPARE(b.mid(ZellenOffset(4, 3), 8), Bytes({7, 0, 0, 0, 1, 1, 1, 1}));
        QCOMPARE(b.mid(ZellenOffset(15, 10), 8), Bytes({9, 0, 0, 0, 0, 0, 1, 1}));
        QCOMPARE(b.mid(ZellenOffset(6, 2), 8), Bytes({0, 0, 0, 0, 0, 1, 1, 1}));
        QCOMPARE(b.mid(ZellenOffset(7, 2), 8), Bytes({0, 0, 0, 0, 1, 1, 0, 1}));
        QCOMPARE(b.mid(ZellenOffset(10, 8), 8), Bytes({0, 0, 0, 0, 1, 0, 1, 1}));
        QCOMPARE(b.mid(ZellenOffset(10, 9), 8), Bytes({0, 0, 0, 0, 1, 1, 1, 1}));
    }

    void savedWorldsLoadBackUnchanged()
    {
        BaueWelt();
        const WorldSnapshot gespeichert;
        QVERIFY(Welt.Speichern(StdPfad("WELT1.ROB")));

        // Through the menu.
        Welt.Loeschen();
        Welt.Grundstellung();
        display.calls.clear();
        QVERIFY(Welt.Oeffnen(StdPfad("WELT1.ROB")));
        QVERIFY(StartEqualsCurrent());
        WorldSnapshot geladen;
        geladen.dateiname = gespeichert.dateiname;
        QVERIFY(geladen == gespeichert);
        QCOMPARE(Welt.Dateiname, StdPfad("WELT1.ROB"));
        QCOMPARE(display.calls, (std::vector<std::string>{"ZeigePosition 7 4", "ZeigeMaterial 42"}));
        QVERIFY(!Welt.Zuruecksetzen());
        QVERIFY(messages.shown.empty());

        // Through a program: the stored full path differs from WELT1.ROB, so it reads again.
        Welt.Vor();
        QCOMPARE(Welt.Laden("WELT1"), 1);
        geladen = WorldSnapshot();
        geladen.dateiname = gespeichert.dateiname;
        QVERIFY(geladen == gespeichert);
        QCOMPARE(Welt.Dateiname, std::string("WELT1.ROB"));
        QCOMPARE(Welt.Laden("WELT1"), 0);
    }

    void longerFilesLoadLikeTheirFirstRecord()
    {
        BaueWelt();
        QVERIFY(Welt.Speichern(StdPfad("A.ROB")));
        WriteBytes(Pfad("B.ROB"), ReadBytes(Pfad("A.ROB")) + QByteArray(80, 'x'));
        QCOMPARE(Welt.Laden("A"), 1);
        const WorldSnapshot a;
        Welt.Loeschen();
        Welt.Grundstellung();
        QCOMPARE(Welt.Laden("B"), 1);
        WorldSnapshot b;
        b.dateiname = a.dateiname;
        QVERIFY(b == a);
    }

    void overwritingAsksFirst()
    {
        WriteBytes(Pfad("W.ROB"), "alt");
        messages.answers = {MsgAnswer::Cancel};
        QVERIFY(Welt.Speichern(StdPfad("W.ROB")));  // declined: nothing to report
        QCOMPARE(ReadBytes(Pfad("W.ROB")), QByteArray("alt"));
        QCOMPARE(messages.shown.size(), size_t(1));
        const ShownMessage& frage = messages.shown[0];
        QCOMPARE(frage.text, std::string("Arbeitsfeld existiert bereits. Überschreiben?"));
        QCOMPARE(frage.title, std::string("Confirm"));
        QVERIFY(frage.icon == MsgIcon::Question);
        QVERIFY(frage.buttons == MsgButtons::OkCancel);

        messages.answers = {MsgAnswer::Ok};
        QVERIFY(Welt.Speichern(StdPfad("W.ROB")));
        QCOMPARE(ReadBytes(Pfad("W.ROB")).size(), 1220);
        QCOMPARE(messages.shown.size(), size_t(2));

        QVERIFY(Welt.Speichern(StdPfad("NEU.ROB")));  // a new file asks nothing
        QCOMPARE(messages.shown.size(), size_t(2));

        // The caller can learn whether the file was written: a declined
        // question is no failure, but nothing was written either.
        bool geschrieben = true;
        messages.answers = {MsgAnswer::Cancel};
        QVERIFY(Welt.Speichern(StdPfad("NEU.ROB"), geschrieben));
        QVERIFY(!geschrieben);
        messages.answers = {MsgAnswer::Ok};
        QVERIFY(Welt.Speichern(StdPfad("NEU.ROB"), geschrieben));
        QVERIFY(geschrieben);
        QVERIFY(!Welt.Speichern(StdPfad("fehlt/W.ROB"), geschrieben));
        QVERIFY(!geschrieben);
        QCOMPARE(messages.shown.size(), size_t(4));

        // Saving through a link writes the file it names and keeps the link.
        WriteBytes(Pfad("ZIEL.ROB"), "alt");
        QVERIFY(QFile::link(Pfad("ZIEL.ROB"), Pfad("LINK.ROB")));
        QVERIFY(Welt.Speichern(StdPfad("LINK.ROB")));
        QVERIFY(QFileInfo(Pfad("LINK.ROB")).isSymLink());
        QCOMPARE(ReadBytes(Pfad("ZIEL.ROB")).size(), 1220);
        QCOMPARE(DateienIn(tmp->path()), (QStringList{"LINK.ROB", "NEU.ROB", "W.ROB", "ZIEL.ROB"}));
    }

    void aWriteProtectedFileIsNotReplaced()
    {
        // Saving writes a new file and renames it over the old one, which
        // the folder allows even when the file itself is write-protected.
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::WriteOther |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther);
        const QString path = dir.filePath("SCHUTZ.ROB");
        const QByteArray old(1220, 'x');
        WriteBytes(path, old);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        const std::string target = QFile::encodeName(path).toStdString();

        bool saved = true;
        if (::geteuid() != 0) {
            saved = Welt.Speichern(target);
        } else {
            // Root may write anything: the check is made as an ordinary user.
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // 3: this user cannot save here at all, so the check would prove nothing.
                const std::string frei = QFile::encodeName(dir.filePath("FREI.ROB")).toStdString();
                if (::setgid(65534) != 0 || ::setuid(65534) != 0 || !Welt.Speichern(frei))
                    ::_exit(3);
                ::_exit(Welt.Speichern(target) ? 0 : 1);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status));
            if (WEXITSTATUS(status) == 3)
                QSKIP("no ordinary user can write into the temporary folder here");
            saved = WEXITSTATUS(status) == 0;
        }
        QVERIFY(!saved);
        QCOMPARE(ReadBytes(path), old);
        // No temporary file is left behind.
        const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY(files == QStringList({"SCHUTZ.ROB"}) || files == QStringList({"FREI.ROB", "SCHUTZ.ROB"}));
    }

    void aFailedSaveKeepsTheOldFileAndLeavesNoTemporary()
    {
        // Nowhere to write.
        QVERIFY(!Welt.Speichern(StdPfad("fehlt/W.ROB")));
        QVERIFY(!Welt.Speichern(""));

        // The target is a directory: refused, the directory stays.
        QVERIFY(QDir(tmp->path()).mkpath("ORDNER.ROB/inhalt"));
        QVERIFY(!Welt.Speichern(StdPfad("ORDNER.ROB")));
        QVERIFY(QFileInfo(Pfad("ORDNER.ROB/inhalt")).isDir());

        // The write itself fails (file size limit, which binds root too).
        WriteBytes(Pfad("W.ROB"), "alter Inhalt");
        rlimit alt{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &alt), 0);
        rlimit eng = alt;
        eng.rlim_cur = 100;
        auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &eng), 0);
        const bool ok = Welt.Speichern(StdPfad("W.ROB"));
        setrlimit(RLIMIT_FSIZE, &alt);
        std::signal(SIGXFSZ, alterHandler);
        QVERIFY(!ok);
        QCOMPARE(ReadBytes(Pfad("W.ROB")), QByteArray("alter Inhalt"));
        QCOMPARE(DateienIn(tmp->path()), QStringList{"W.ROB"});
        QVERIFY(display.calls.empty());
    }

    void oeffnenRefusesBadFilesAndChangesNothing_data()
    {
        QTest::addColumn<QString>("datei");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("ladenErgebnis");
        QTest::addColumn<QString>("ladeText");
        const QString laden = "Fehler beim Laden des Arbeitsfeldes!";
        const QString nichtGefunden = "Arbeitsfeld nicht gefunden!";
        const QString format = "Arbeitsfelddatei hat ein falsches Dateiformat!";
        const QString sieben = "Arbeitsfeld  nicht gefunden oder falsches Dateiformat!";
        QTest::newRow("missing") << "missing" << laden << -1 << nichtGefunden;
        QTest::newRow("directory") << "directory" << laden << -1 << nichtGefunden;
        QTest::newRow("empty") << "empty" << KeineRobDatei << -2 << format;
        QTest::newRow("3 bytes") << "3 bytes" << KeineRobDatei << -2 << format;
        QTest::newRow("wrong id") << "wrong id" << KeineRobDatei << -2 << format;
        QTest::newRow("last id byte") << "last id byte" << KeineRobDatei << -2 << format;
        QTest::newRow("100 bytes") << "100 bytes" << KeineRobDatei << -3 << sieben;
        QTest::newRow("1219 bytes") << "1219 bytes" << KeineRobDatei << -3 << sieben;
        for (const char* wert : {"X 0", "X 16", "Y 0", "Y 11", "Richtung 4", "Richtung 255",
                                 "Vorrat -1", "Vorrat 100", "Anzahl -1", "Anzahl 10"})
            QTest::newRow(wert) << wert << KeineRobDatei << -2 << format;
    }
    void oeffnenRefusesBadFilesAndChangesNothing()
    {
        QFETCH(QString, datei);
        QFETCH(QString, text);
        QFETCH(int, ladenErgebnis);
        QFETCH(QString, ladeText);

        BaueWelt();
        QVERIFY(Welt.Speichern(StdPfad("GUT.ROB")));
        QByteArray b = ReadBytes(Pfad("GUT.ROB"));
        const QString name = "BAD";
        const QString pfad = Pfad(name + ".ROB");
        const QStringList teile = datei.split(' ');
        if (datei == "directory")
            QVERIFY(QDir(tmp->path()).mkdir(name + ".ROB"));
        else if (datei == "empty")
            WriteBytes(pfad, {});
        else if (datei == "3 bytes")
            WriteBytes(pfad, b.left(3));
        else if (datei == "wrong id")
            WriteBytes(pfad, QByteArray(1220, '\0'));
        else if (datei == "last id byte")
            WriteBytes(pfad, b.left(3) + char(1) + b.mid(4));
        else if (datei.endsWith("bytes"))
            WriteBytes(pfad, b.left(teile[0].toInt()));
        else if (datei != "missing") {
            const int wert = teile[1].toInt();
            if (teile[0] == "Vorrat") SetzeInt(b, 4, wert);
            if (teile[0] == "Y") SetzeInt(b, 8, wert);
            if (teile[0] == "X") SetzeInt(b, 12, wert);
            if (teile[0] == "Richtung") b[16] = char(wert);
            if (teile[0] == "Anzahl") SetzeInt(b, ZellenOffset(3, 9), wert);
            WriteBytes(pfad, b);
        }

        Welt.Vor();  // current and start state differ
        WeltSetzen([&](TWeltZustand& w) { w.Dateiname = "VORHER.ROB"; });
        display.calls.clear();
        const WorldSnapshot vorher;

        QVERIFY(!Welt.Oeffnen(pfad.toStdString()));
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(messages.shown[0].text), text);
        QCOMPARE(messages.shown[0].title, std::string("Error"));
        QVERIFY(messages.shown[0].icon == MsgIcon::Error);
        QVERIFY(messages.shown[0].buttons == MsgButtons::Ok);
        QVERIFY(WorldSnapshot() == vorher);  // Oeffnen leaves Abbruch alone

        QCOMPARE(Welt.Laden(name.toStdString()), ladenErgebnis);
        QVERIFY(WorldSnapshot() == vorher);

        bool abbruchImDialog = false;
        messages.onShow = [&](const ShownMessage&) { abbruchImDialog = Welt.Abbruch; };
        Welt.LadeArbeitsfeld(name.toStdString());
        QCOMPARE(QString::fromStdString(messages.shown.back().text), ladeText);
        QVERIFY(abbruchImDialog);
        Welt.AbbruchLoeschen();
        QVERIFY(WorldSnapshot() == vorher);
        QVERIFY(display.calls.empty());
    }

    void aPipeNamedLikeAWorkFieldIsRefusedAtOnce()
    {
        // Opening a named pipe for reading waits for a writer: a load must
        // refuse it instead of freezing the program. Should a load wait, the
        // helper plays a writer that closes at once, so the test fails rather
        // than hangs.
        QCOMPARE(mkfifo(StdPfad("ROHR.ROB").c_str(), 0600), 0);
        std::atomic<bool> fertig{false};
        const std::string rohr = StdPfad("ROHR.ROB");
        std::thread schreiber([&] {
            while (!fertig) {
                const int fd = ::open(rohr.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        Welt.Vor();
        display.calls.clear();
        const WorldSnapshot vorher;
        const bool geoeffnet = Welt.Oeffnen(rohr);
        const int geladen = Welt.Laden("ROHR");
        Welt.LadeArbeitsfeld("ROHR");
        fertig = true;
        schreiber.join();
        QVERIFY(!geoeffnet);
        QCOMPARE(geladen, -1);
        QCOMPARE(messages.texts(),
                 (std::vector<std::string>{"Fehler beim Laden des Arbeitsfeldes!", "Arbeitsfeld nicht gefunden!"}));
        Welt.AbbruchLoeschen();
        QVERIFY(WorldSnapshot() == vorher);
        QVERIFY(display.calls.empty());
    }

    void oddSideFlagsAreTakenAsOpen()
    {
        QVERIFY(Welt.Speichern(StdPfad("FLAG.ROB")));
        QByteArray b = ReadBytes(Pfad("FLAG.ROB"));
        b[ZellenOffset(1, 1) + 4] = char(2);    // east of the start square
        b[ZellenOffset(2, 1) + 4] = char(0xff);
        b[17] = char(0x7f);                      // reserved bytes are ignored
        WriteBytes(Pfad("FLAG.ROB"), b);
        QVERIFY(Welt.Oeffnen(StdPfad("FLAG.ROB")));
        QVERIFY(messages.shown.empty());
        QVERIFY(Welt.VorneFrei());
        Welt.Vor();
        Welt.Vor();
        QCOMPARE(Roboter.X, 3);
        QVERIFY(messages.shown.empty());
        // Saved back as read, apart from the reserved bytes.
        const QByteArray wieder = Gespeichert();
        QCOMPARE(wieder.mid(20), b.mid(20));
        QCOMPARE(wieder.mid(17, 3), QByteArray(3, '\0'));
    }

    void ladeArbeitsfeldShowsTheLoadedWorldOnce()
    {
        BaueWelt();
        QVERIFY(Welt.Speichern(StdPfad("WELT1.ROB")));
        Welt.Loeschen();
        Welt.Grundstellung();

        Welt.LadeArbeitsfeld("WELT1");
        QCOMPARE(display.calls, (std::vector<std::string>{"ZeigePosition 7 4", "ZeigeMaterial 42",
                                                          "FeldPanel Arbeitsfeld: welt1", "RepaintAll"}));
        QCOMPARE(Roboter.Vorrat, 42);
        QVERIFY(StartEqualsCurrent());

        // Loaded already: the moved robot stays where it is.
        Welt.Vor();
        display.calls.clear();
        Welt.LadeArbeitsfeld("WELT1");
        QVERIFY(display.calls.empty());
        QCOMPARE(Roboter.X, 6);

        // After "Neu" the placeholder never equals a name: read again.
        Welt.Loeschen();
        Welt.Grundstellung();
        Welt.LadeArbeitsfeld("WELT1");
        QCOMPARE(Roboter.X, 7);
        QVERIFY(messages.shown.empty());
        QVERIFY(!Welt.Abbruch);
    }

    void programNamesFindFilesWhateverTheirCase()
    {
        BaueWelt();
        QVERIFY(Welt.Speichern(StdPfad("welt2.rob")));
        Welt.Loeschen();
        Welt.Grundstellung();
        QCOMPARE(Welt.Laden("WELT2"), 1);
        QCOMPARE(Roboter.Vorrat, 42);
        QCOMPARE(Welt.Dateiname, std::string("WELT2.ROB"));

        // The exact spelling wins over another one.
        Welt.Loeschen();
        Welt.Grundstellung();
        QVERIFY(Welt.Speichern(StdPfad("WELT3.ROB")));  // the empty world
        WriteBytes(Pfad("Welt3.rob"), "keine Arbeitsfelddatei");
        QCOMPARE(Welt.Laden("WELT3"), 1);
        QCOMPARE(Roboter.Vorrat, 0);

        // A name with a directory is taken as it stands.
        QVERIFY(QDir(tmp->path()).mkdir("sub"));
        QVERIFY(QFile::copy(Pfad("welt2.rob"), Pfad("sub/INNEN.ROB")));
        QCOMPARE(Welt.Laden("sub/INNEN"), 1);
        QCOMPARE(Roboter.Vorrat, 42);
        QCOMPARE(Welt.Laden("sub/innen"), -1);
        QCOMPARE(Welt.Laden("INNEN"), -1);  // not looked for below the current directory
        QCOMPARE(Welt.Laden(StdPfad("sub/INNEN")), 1);
    }
};

QTEST_APPLESS_MAIN(WorldFileTest)
#include "worldfile_test.moc"
