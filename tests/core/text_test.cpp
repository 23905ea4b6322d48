// The core's text helpers: the Windows-1252 table both ways, when bytes are
// read as UTF-8, bytes that are not valid UTF-8, line breaks, and names that
// differ in case. Round trips through files are checked in textfile_test and
// zelkrun_test.
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
    void windows1252BothWays()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const std::string text = Windows1252ToUtf8(all);
        QCOMPARE(text.substr(0, 0x80), all.substr(0, 0x80));  // ASCII as it is
        QVERIFY(text.find("\xE2\x82\xAC") != std::string::npos);                   // 0x80, the euro sign
        QVERIFY(text.find("\xC5\xB8") != std::string::npos);                       // 0x9F, Y with diaeresis
        QVERIFY(text.find("\xC2\x81") != std::string::npos);                       // unassigned: its own number
        QVERIFY(FitsWindows1252(text));
        QCOMPARE(Utf8ToWindows1252(text), all);

        // U+0080 looks like byte 0x80 but that byte is the euro sign.
        QVERIFY(!FitsWindows1252("\xC2\x80"));
        QVERIFY(!FitsWindows1252("a \xE2\x86\x92 b"));
        QVERIFY(!FitsWindows1252("\xC3"));  // cut off
    }

    void detectsUtf8OnlyWhenValidAndNonAscii()
    {
        QCOMPARE(DetectEncoding("PROGRAM x;"), TextEncoding::Windows1252);
        QCOMPARE(DetectEncoding("Gr\xC3\xBC\xC3\x9F" "e"), TextEncoding::Utf8);
        QCOMPARE(DetectEncoding("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e"), TextEncoding::Utf8Bom);
        QCOMPARE(DetectEncoding("Gr\xFC\xDF" "e"), TextEncoding::Windows1252);
        QCOMPARE(DetectEncoding("\xC0\xAF"), TextEncoding::Windows1252);          // overlong '/'
        QCOMPARE(DetectEncoding("\xE0\x80\xAF"), TextEncoding::Windows1252);      // overlong, 3 bytes
        QCOMPARE(DetectEncoding("\xED\xA0\x80"), TextEncoding::Windows1252);      // surrogate
        QCOMPARE(DetectEncoding("\xF4\x90\x80\x80"), TextEncoding::Windows1252);  // above U+10FFFF
        QCOMPARE(DetectEncoding("ab\xC3"), TextEncoding::Windows1252);            // cut off at the end
        QCOMPARE(DetectEncoding("\xF0\x9F\x98\x80"), TextEncoding::Utf8);

        TextEncoding encoding;
        QCOMPARE(DecodeText("\xEF\xBB\xBF\xC3\xA4", &encoding), std::string("\xC3\xA4"));
        QCOMPARE(encoding, TextEncoding::Utf8Bom);
        QCOMPARE(DecodeText("a\r\nb\nc\rd\r\n\r\n"), std::string("a\nb\nc\nd\n\n"));
        QCOMPARE(DecodeText("\xE4\r\n", &encoding), std::string("\xC3\xA4\n"));
        QCOMPARE(encoding, TextEncoding::Windows1252);
    }

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
