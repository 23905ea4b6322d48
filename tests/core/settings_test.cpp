// The settings file: the INI store keeps what is not its own byte for byte
// and gives defaults for what it cannot read; the shut-down sets every key
// in one write, in its order, which leaves all keys old when it fails or is
// killed, and reports a failure unless Netzwerk says not to; a file that is
// no settings file is never overwritten; the file lies beside the program
// or in the user's configuration folder.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "OrdinaryUser.h"
#include "RecordingPorts.h"
#include "TestFiles.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/ZelkSettings.h"

namespace {

// A store in memory that records every write and fails from the nth on.
class MemoryStore : public SettingsStore {
public:
    explicit MemoryStore(std::string_view bytes = {}, std::size_t failFrom = SIZE_MAX)
        : ini(bytes), failFrom_(failFrom) {}
    IniFile ini;
    std::vector<std::vector<std::string>> writes;  // each write's keys, "Section/key=value"

    std::optional<std::string> Value(std::string_view section, std::string_view key) const override
    {
        return ini.Value(section, key);
    }
    bool WriteAll(const std::vector<SettingsEntry>& entries) override
    {
        writes.emplace_back();
        IniFile changed = ini;
        for (const SettingsEntry& e : entries) {
            writes.back().push_back(e.section + "/" + e.key + "=" + e.value);
            if (!changed.Write(e.section, e.key, e.value))
                return false;
        }
        if (writes.size() >= failFrom_)
            return false;
        ini = changed;
        return true;
    }

private:
    std::size_t failFrom_;
};

const WindowPlaces Places{{1, 2, 3, 4}, WindowPlace{5, 6, 7, 8}, {9, 10, 11, 12}};

// What the main window hands over at shut-down: the options as they are now.
SettingsValue Shutdown(const WindowPlaces& places, bool netzwerk = false)
{
    return {places, CurrentOptions(), netzwerk};
}

WindowPlaces PlacesWithoutEditor()
{
    WindowPlaces places = Places;
    places.editor.reset();
    return places;
}

bool operator==(const WindowPlace& a, const WindowPlace& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingMessages shown;
    std::string path(const char* name) const { return QFile::encodeName(dir.filePath(name)).toStdString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Open for the ordinary user the permission checks run as.
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    }

    void init()
    {
        shown.shown.clear();
        setMessages(&shown);
        Tabset = 9;  // not the default, so that a load shows whether it set it
    }

    void cleanup() { setMessages(nullptr); }

    void readsKeysWithoutRegardToCaseAndTheIntegerEncodings()
    {
        const MemoryStore store("[optionen]\r\nBARRIERCOLOR=0xFF\r\nunderscore = 2\r\nFontcolor=$80000008\r\n"
                                "[FENSTER]\r\nwidth=abc\r\nLeft=12abc\r\ntop=-5\r\nheight=0x\r\n");
        LoadOptionen(store);
        QCOMPARE(Barriercolor, 255);
        QCOMPARE(Underscore, true);
        QCOMPARE(Fontcolor, -2147483640);
        QCOMPARE(Tabset, DefaultTabset);
        QVERIFY(ReadWindowPlace(store, PlaceOf::Main, {10, 10, 1004, 718}) == (WindowPlace{10, -5, 1004, 718}));

        // Quotes around a value, as hand-edited files have them, are no part of it.
        const MemoryStore quoted("[Optionen]\nTabset = \"2\" \nFontname='Courier New'\nFontcolor=\"\n"
                                 "Wallcolor=\"12'\n");
        LoadOptionen(quoted);
        QCOMPARE(int(Tabset), 2);
        QCOMPARE(Fontname, std::string("Courier New"));
        QCOMPARE(Fontcolor, DefaultFontcolor);
        QCOMPARE(Wallcolor, DefaultWallcolor);
        // A file converted to CR LF twice.
        LoadOptionen(MemoryStore("[Optionen]\r\r\nTabset=3\r\r\nFontname=Arial\r\r\n"));
        QCOMPARE(int(Tabset), 3);
        QCOMPARE(Fontname, std::string("Arial"));

        for (const char* text : {"0X7fffFFFF", "$7FFFFFFF", "2147483647"})
            QCOMPARE(ParseIniInteger(text), std::optional<std::int32_t>(INT32_MAX));
        QCOMPARE(ParseIniInteger("-2147483648"), std::optional<std::int32_t>(INT32_MIN));
        QCOMPARE(ParseIniInteger("0xFFFFFFFF"), std::optional<std::int32_t>(-1));
        for (const char* text : {"", "-", "$", "0x", "2147483648", "-2147483649", "0x100000000", "+1", "1 2", "-0x1"})
            QVERIFY2(!ParseIniInteger(text), text);
    }

    void keepsEveryOtherLineByteForByte()
    {
        IniFile ini("\xEF\xBB\xBF; Vorgabe\r\n"
                    "[Optionen]\r\n"
                    "Tabset=8\r\n"
                    "kaputte Zeile\r\n"
                    "\r\n"
                    "[Fremd]\n"
                    "Tabset=99\n"
                    "  ; Tabset=1\r\n"
                    "[Fenster]\r\n"
                    "[OPTIONEN]\r\n"
                    "tabset=5\r\n"
                    "left=7");
        QVERIFY(ini.Write("optionen", "Tabset", "-1"));
        QVERIFY(ini.Write("Optionen", "Autoindent", "0"));
        QVERIFY(ini.Write("Fenster", "top", "3"));
        QVERIFY(ini.Write("OPTIONEN", "left", "8"));
        QVERIFY(ini.Write("Neu", "Fontname", "Arial\r\n[Fenster]"));
        QVERIFY(!ini.Write("a]b", "x", "1"));
        QVERIFY(!ini.Write("Neu", "x=y", "1"));
        QVERIFY(!ini.Write("Neu", "[x]", "1"));
        QVERIFY(!ini.Write("Neu", " x", "1"));
        QCOMPARE(ini.Bytes(), std::string("\xEF\xBB\xBF; Vorgabe\r\n"
                                          "[Optionen]\r\n"
                                          "Tabset=-1\r\n"
                                          "Autoindent=0\r\n"
                                          "kaputte Zeile\r\n"
                                          "\r\n"
                                          "[Fremd]\n"
                                          "Tabset=99\n"
                                          "  ; Tabset=1\r\n"
                                          "[Fenster]\r\n"
                                          "top=3\r\n"
                                          "[OPTIONEN]\r\n"
                                          "tabset=5\r\n"
                                          "left=8\r\n"
                                          "[Neu]\r\n"
                                          "Fontname=Arial\r\n"));
        QCOMPARE(ini.Value("fremd", "TABSET"), std::optional<std::string>("99"));
        QCOMPARE(ini.Value("Fenster", "left"), std::nullopt);
    }

    void everyWrittenValueReadsBackAsItIs_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << "Courier New" << "Fontname=Courier New";
        QTest::newRow("in single quotes") << "''" << "Fontname=\"''\"";
        QTest::newRow("in double quotes") << "\"Courier New\"" << "Fontname=\"\"Courier New\"\"";
        QTest::newRow("blanks at its edges") << " \tArial " << "Fontname=\" \tArial \"";
        QTest::newRow("one quote") << "\"" << "Fontname=\"";
        QTest::newRow("mixed quotes") << "'Arial\"" << "Fontname='Arial\"";
    }

    void everyWrittenValueReadsBackAsItIs()
    {
        QFETCH(QString, value);
        QFETCH(QString, line);
        IniFile ini;
        QVERIFY(ini.Write("Optionen", "Fontname", value.toStdString()));
        QCOMPARE(ini.Value("Optionen", "Fontname"), std::optional<std::string>(value.toStdString()));
        QCOMPARE(QString::fromStdString(ini.Bytes()), "[Optionen]\r\n" + line + "\r\n");
    }

    void valuesBeyondTheSettingsTypeGiveTheDefault()
    {
        const std::pair<const char*, std::int32_t> tabsets[] = {{"-1", -1}, {"127", 127}, {"128", 4}, {"-129", 4}};
        for (const auto& [text, expected] : tabsets) {
            LoadOptionen(MemoryStore("[Optionen]\nTabset=" + std::string(text)));
            QCOMPARE(int(Tabset), expected);
        }
        const std::pair<const char*, std::int32_t> charsets[] = {{"255", 255}, {"256", 0}, {"-1", 0}, {"0x02", 2}};
        for (const auto& [text, expected] : charsets) {
            LoadOptionen(MemoryStore("[Optionen]\nFontcharset=" + std::string(text)));
            QCOMPARE(Fontcharset, expected);
        }
    }

    void withoutAFileTheDefaultsHoldAndShutDownCreatesIt()
    {
        const std::string ini = path("neu/Zelk.ini");  // its folder is missing too
        IniFileStore store(ini);
        Fontname = "Arial";
        LoadOptionen(store);
        QCOMPARE(Fontname, std::string("Courier New"));
        QCOMPARE(Tabset, DefaultTabset);
        QVERIFY(ReadWindowPlace(store, PlaceOf::Info, {460, 5, 145, 207}) == (WindowPlace{460, 5, 145, 207}));

        Tabset = -1;
        SetSettingsFilePath(ini);
        SaveSettingsAtShutdown(Shutdown(PlacesWithoutEditor()));
        QVERIFY(shown.shown.empty());
        // The keys in the order they are set, Netzwerk=0 first.
        QCOMPARE(ReadBytes(QString::fromStdString(ini)),
                 QByteArray("[Optionen]\r\nNetzwerk=0\r\nUnderscore=1\r\nAutoindent=1\r\nTabset=-1\r\n"
                            "Fontheight=-13\r\nFontname=Courier New\r\nFontcolor=-2147483640\r\nFontcharset=0\r\n"
                            "Wallcolor=8421504\r\nBarriercolor=255\r\nSyntaxfarben=1\r\n[Fenster]\r\nleft=1\r\ntop=2\r\nwidth=3\r\n"
                            "height=4\r\ninfo_left=9\r\ninfo_top=10\r\ninfo_width=11\r\ninfo_height=12\r\n"));
        QVERIFY(ReadWindowPlace(IniFileStore(ini), PlaceOf::Info, {}) == Places.info);
        struct stat folder {};
        QCOMPARE(::stat(path("neu").c_str(), &folder), 0);
        QCOMPARE(folder.st_mode & 0777, 0700u);  // made private, as a configuration folder
    }

    void shutDownKeepsForeignLinesAndOldEditorPlaces()
    {
        const std::string ini = path("alt.ini");
        WriteBytes(QString::fromStdString(ini), "; Kommentar\n[Optionen]\nNetzwerk=1\nfremd=ja\n\n[Fenster]\n"
                                                "edit_left=77\nwas soll das\n[Fremd]\nleft=1\n");
        IniFileStore store(ini);
        QVERIFY(ReadNetzwerk(store));
        LoadOptionen(store);
        SaveSettingsAtShutdown(store, Shutdown(PlacesWithoutEditor(), true));
        // New keys follow the last key of their section, in the file's line ending.
        QCOMPARE(ReadBytes(QString::fromStdString(ini)),
                 QByteArray("; Kommentar\n[Optionen]\nNetzwerk=0\nfremd=ja\n"
                            "Underscore=1\nAutoindent=1\nTabset=4\nFontheight=-13\nFontname=Courier New\n"
                            "Fontcolor=-2147483640\nFontcharset=0\nWallcolor=8421504\nBarriercolor=255\n"
                            "Syntaxfarben=1\n"
                            "\n[Fenster]\nedit_left=77\n"
                            "left=1\ntop=2\nwidth=3\nheight=4\ninfo_left=9\ninfo_top=10\ninfo_width=11\ninfo_height=12\n"
                            "was soll das\n[Fremd]\nleft=1\n"));
    }

    void theShutDownIsOneWriteOfAllKeysInTheirOrder()
    {
        LoadOptionen(MemoryStore());
        MemoryStore store;
        QVERIFY(WriteAllSettings(store, Shutdown(Places)));
        QCOMPARE(store.writes.size(), std::size_t(1));
        const std::vector<std::string>& keys = store.writes[0];
        QCOMPARE(keys.size(), std::size_t(23));
        QCOMPARE(keys[0], std::string("Optionen/Netzwerk=0"));
        QCOMPARE(keys[1], std::string("Fenster/left=1"));
        QCOMPARE(keys[5], std::string("Fenster/edit_left=5"));
        QCOMPARE(keys[12], std::string("Fenster/info_height=12"));
        QCOMPARE(keys[13], std::string("Optionen/Underscore=1"));
        QCOMPARE(keys[21], std::string("Optionen/Barriercolor=255"));
        QCOMPARE(keys[22], std::string("Optionen/Syntaxfarben=1"));

        MemoryStore withoutEditor;
        QVERIFY(WriteAllSettings(withoutEditor, Shutdown(PlacesWithoutEditor())));
        QCOMPARE(withoutEditor.writes.size(), std::size_t(1));
        QCOMPARE(withoutEditor.writes[0].size(), std::size_t(19));
        QCOMPARE(withoutEditor.writes[0][5], std::string("Fenster/info_left=9"));
    }

    void aFailedWriteIsReportedUnlessNetzwerk()
    {
        for (const bool netzwerk : {true, false}) {
            shown.shown.clear();
            MemoryStore store({}, 1);
            SaveSettingsAtShutdown(store, Shutdown(Places, netzwerk));
            QCOMPARE(store.writes.size(), std::size_t(1));
            QCOMPARE(shown.shown.size(), std::size_t(netzwerk ? 0 : 1));
        }
        QCOMPARE(shown.shown[0].text, std::string("Zelk.ini konnte nicht gespeichert werden! Laufwerk schreibgeschützt?"));
        QCOMPARE(shown.shown[0].icon, MsgIcon::Error);
        QCOMPARE(shown.shown[0].buttons, MsgButtons::Ok);

        // A write that fails even for root: a folder on the way is a file.
        WriteBytes(dir.filePath("datei"), "x");
        shown.shown.clear();
        SetSettingsFilePath(path("datei/Zelk.ini"));
        SaveSettingsAtShutdown(Shutdown(Places, true));
        QVERIFY(shown.shown.empty());
        SaveSettingsAtShutdown(Shutdown(Places));
        QCOMPARE(shown.texts(), std::vector<std::string>{SettingsNotSavedText});
    }

    void aFileThatIsNoSettingsFileGivesDefaultsAndIsNeverOverwritten()
    {
        const QByteArray binary("[Optionen]\r\nTabset=9\r\n\0\x01\x02", 25);
        QByteArray huge("[Optionen]\r\nTabset=9\r\n");
        huge.append(QByteArray(int(SettingsFileLimit), ';'));
        WriteBytes(dir.filePath("binaer.ini"), binary);
        WriteBytes(dir.filePath("riesig.ini"), huge);
        QVERIFY(QDir(dir.path()).mkpath("ordner.ini"));
        QCOMPARE(::symlink("schleife.ini", path("schleife.ini").c_str()), 0);  // unreadable, even for root

        for (const char* name : {"binaer.ini", "riesig.ini", "ordner.ini", "schleife.ini"}) {
            shown.shown.clear();
            IniFileStore store(path(name));
            QVERIFY2(!store.Usable(), name);
            LoadOptionen(store);
            QCOMPARE(Tabset, DefaultTabset);
            SaveSettingsAtShutdown(store, Shutdown(Places));
            QCOMPARE(shown.texts(), std::vector<std::string>{SettingsNotSavedText});
        }
        QCOMPARE(ReadBytes(dir.filePath("binaer.ini")), binary);
        QCOMPARE(ReadBytes(dir.filePath("riesig.ini")), huge);
        QVERIFY(QDir(dir.filePath("ordner.ini")).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList({".zelk-*"}, QDir::Hidden | QDir::Files), QStringList());
    }

    void aShutDownThatWouldPassTheReadLimitFails_data()
    {
        QTest::addColumn<int>("beyond");  // the size the write would give, less the limit
        QTest::addColumn<bool>("netzwerk");
        QTest::newRow("limit - 1") << -1 << false;
        QTest::newRow("limit") << 0 << false;
        QTest::newRow("limit + 1") << 1 << false;
        QTest::newRow("limit + 1, Netzwerk") << 1 << true;
    }

    void aShutDownThatWouldPassTheReadLimitFails()
    {
        QFETCH(int, beyond);
        QFETCH(bool, netzwerk);
        // A file from an earlier shut-down, padded with a comment so that
        // this one, with a longer font name, makes it `beyond` bytes longer
        // than the limit. The main window stood elsewhere then: a write
        // that fails keeps that place too, though its key comes first.
        LoadOptionen(MemoryStore());
        Fontname = "Arial";
        MemoryStore earlier;
        WindowPlaces before = Places;
        before.main.left = 7;
        QVERIFY(WriteAllSettings(earlier, Shutdown(before)));
        const std::string start = earlier.ini.Bytes() + ";";
        const std::size_t grown = std::string("Courier New").size() - Fontname.size();
        const std::string bytes =
            start + std::string(SettingsFileLimit + beyond - grown - start.size() - 2, '-') + "\r\n";
        const QString ini = dir.filePath("voll.ini");
        WriteBytes(ini, QByteArray::fromStdString(bytes));

        Fontname = "Courier New";
        IniFileStore store(ini.toStdString());
        SaveSettingsAtShutdown(store, Shutdown(Places, netzwerk));
        const bool fits = beyond <= 0;
        QCOMPARE(shown.shown.size(), std::size_t(fits || netzwerk ? 0 : 1));
        QCOMPARE(ReadBytes(ini).size(), qsizetype(fits ? SettingsFileLimit + beyond : bytes.size()));
        const IniFileStore after(ini.toStdString());
        QVERIFY(after.Usable());
        QCOMPARE(after.ReadString("Optionen", "Fontname", ""), std::string(fits ? "Courier New" : "Arial"));
        QCOMPARE(after.ReadInteger("Fenster", "left", 0), fits ? 1 : 7);
    }

    void theFileLiesBesideTheProgramOrInTheUsersConfigFolder()
    {
        QVERIFY(QDir(dir.path()).mkpath("frei"));
        QCOMPARE(SettingsFileLocation(path("frei"), "/cfg", "/home/u"), path("frei/Zelk.ini"));

        // Folders the user may not write: a teacher's preset (in any case)
        // is used, otherwise the user's own file.
        QVERIFY(QDir(dir.path()).mkpath("vorgabe"));
        QVERIFY(QDir(dir.path()).mkpath("installiert"));
        WriteBytes(dir.filePath("vorgabe/ZELK.INI"), "[Optionen]\r\nNetzwerk=1\r\n");
        QCOMPARE(::chmod(path("vorgabe").c_str(), 0555), 0);
        QCOMPARE(::chmod(path("installiert").c_str(), 0555), 0);
        const std::string vorgabe = path("vorgabe"), installiert = path("installiert");
        const int r = AsOrdinaryUser([&] {
            return SettingsFileLocation(vorgabe, "/cfg", "/home/u") == vorgabe + "/ZELK.INI" &&
                   SettingsFileLocation(installiert, "/cfg", "/home/u") == "/cfg/Zelk/Zelk.ini" &&
                   SettingsFileLocation(installiert, "cfg", "/home/u/") == "/home/u/.config/Zelk/Zelk.ini" &&
                   SettingsFileLocation(installiert, "", "") == installiert + "/Zelk.ini";
        });
        QCOMPARE(::chmod(vorgabe.c_str(), 0755), 0);
        QCOMPARE(::chmod(installiert.c_str(), 0755), 0);
        if (r < 0)
            QSKIP("no ordinary user to check permissions as");
        QCOMPARE(r, 1);
    }
};

QTEST_APPLESS_MAIN(SettingsTest)
#include "settings_test.moc"
