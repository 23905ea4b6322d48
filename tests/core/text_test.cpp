// The core's text helpers where the editor and zelk-run do not already
// show them: bytes that are not valid UTF-8 (the callers pass only valid
// text; the table and the validity rules are checked through both in
// textfile_test and zelkrun_test), and names that differ in case.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "text/AsciiNames.h"
#include "text/TextCodec.h"

class TextTest : public QObject {
    Q_OBJECT

private slots:
    void eachCharacterOrStrayByteBecomesOneByte()
    {
        QCOMPARE(Utf8ToWindows1252("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"), std::string("Gr\xFC\xDF" "e \x80"));
        // A byte order mark inside the text is a character without a byte.
        QCOMPARE(Utf8ToWindows1252("a\xEF\xBB\xBF" "b"), std::string("a\x81" "b"));
        // U+0081 has the byte 0x81 of its own.
        QCOMPARE(Utf8ToWindows1252("\xC2\x81"), std::string("\x81"));
        QCOMPARE(Utf8ToWindows1252(std::string_view("a\0b", 3)), std::string("a\0b", 3));

        // Each byte that begins no well-formed sequence stands for one
        // unrepresentable character; what follows it is read on.
        QCOMPARE(Utf8ToWindows1252("a\xC3"), std::string("a\x81"));                 // cut off
        QCOMPARE(Utf8ToWindows1252("\xC3" "A"), std::string("\x81" "A"));           // no continuation
        QCOMPARE(Utf8ToWindows1252("\xC0\xAF;"), std::string("\x81\x81;"));         // overlong
        QCOMPARE(Utf8ToWindows1252("\xED\xA0\x80"), std::string("\x81\x81\x81"));   // surrogate
        QCOMPARE(Utf8ToWindows1252("\xFF\xC3\xA4"), std::string("\x81\xE4"));
    }

    void linesEndAtCrLfLfAndALoneCrAlike()
    {
        using Lines = std::vector<std::string>;
        QCOMPARE(SplitLines("a\r\nb\nc\rd"), Lines({"a", "b", "c", "d"}));
        // A text that ends with a break has an empty last line; CR CR LF is two breaks.
        QCOMPARE(SplitLines("a\r\r\n"), Lines({"a", "", ""}));
        QCOMPARE(SplitLines("\r"), Lines({"", ""}));
        QCOMPARE(SplitLines(""), Lines({""}));
        QCOMPARE(SplitLines(std::string_view("x\0y\n", 4)), Lines({std::string("x\0y", 3), ""}));
    }

    void namesDifferInCaseOnlyInTheLettersAToZ()
    {
        QCOMPARE(PageNameOf("WERKZEUG"), std::string("Werkzeug"));
        QCOMPARE(PageNameOf("_A1"), std::string("_a1"));
        QCOMPARE(PageNameOf(""), std::string());
        // Windows-1252 umlauts keep their case: \xC4 is "Ä", \xE4 "ä".
        QCOMPARE(PageNameOf("\xC4RGER"), std::string("\xC4rger"));
        QVERIFY(EqualIgnoringAsciiCase("Robo1", "ROBO1"));
        QVERIFY(!EqualIgnoringAsciiCase("\xC4", "\xE4"));
        QVERIFY(!EqualIgnoringAsciiCase("Robo", "Robo1"));
    }

    void findFileIgnoringCaseTakesTheFirstSpellingOfARegularFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::filesystem::path folder = dir.path().toStdString();
        QCOMPARE(FindFileIgnoringCase(folder, "welt.rob"), std::string());

        QVERIFY(QDir(dir.path()).mkdir("WELT.ROB"));  // a folder is never the file
        QCOMPARE(FindFileIgnoringCase(folder, "welt.rob"), std::string());
        for (const char* name : {"welt.ROB", "wElt.rob", "Welt.rob", "welT.rob", "welt.rob.bak"})
            WriteBytes(dir.filePath(name), name);
        // Byte order puts upper case first, whatever order the folder lists.
        QCOMPARE(FindFileIgnoringCase(folder, "WELT.ROB"), std::string("Welt.rob"));
        QCOMPARE(FindFileIgnoringCase(folder / "fehlt", "WELT.ROB"), std::string());
    }
};

QTEST_APPLESS_MAIN(TextTest)
#include "text_test.moc"
