// Re-encoding UTF-8 text for the scanner. The editor and the runner feed it
// only text already found valid; the table and the validity rules are
// checked through both in textfile_test and zelkrun_test. What only this
// function decides is what becomes of bytes that are not valid UTF-8.
#include <QtTest>

#include <string>

#include "text/TextCodec.h"

class TextCodecTest : public QObject {
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
};

QTEST_APPLESS_MAIN(TextCodecTest)
#include "textcodec_test.moc"
