// The text scan behind find and replace: case folding through the code
// page, whole words, both directions, and scans that must end without a hit.
#include <QtTest>

#include <string>

#include "text/ScanBuffer.h"

namespace {

// The hit or -1, searching from a selection of selLength at selStart.
int Scan(const std::u16string& buffer, int selStart, int selLength, const std::u16string& text,
         bool down, bool matchCase = false, bool wholeWord = false)
{
    SearchOptions o;
    o.Down = down;
    o.MatchCase = matchCase;
    o.WholeWord = wholeWord;
    return ScanBuffer(buffer, selStart, selLength, text, o).value_or(-1);
}

}  // namespace

class ScanBufferTest : public QObject {
    Q_OBJECT

private slots:
    void caseFoldingFollowsTheCodePage()
    {
        QCOMPARE(Scan(u"VOR vor", 0, 0, u"vor", true), 0);
        QCOMPARE(Scan(u"VOR vor", 0, 0, u"vor", true, true), 4);
        // Umlauts fold too, unlike file names; "ß" has no upper case.
        QCOMPARE(Scan(u"Der Bär", 0, 0, u"BÄR", true), 4);
        QCOMPARE(Scan(u"Der Bär", 0, 0, u"BÄR", true, true), -1);
        QCOMPARE(Scan(u"Fuß", 0, 0, u"FUß", true), 0);
        // Š lies above U+00FF but has a byte in the code page; Ł has none.
        QCOMPARE(Scan(u"Škoda", 0, 0, u"škoda", true), 0);
        QCOMPARE(Scan(u"Łódź", 0, 0, u"łódź", true), -1);
    }

    void aHitLiesBeyondTheSelection()
    {
        const std::u16string text = u"vor vor vor";
        QCOMPARE(Scan(text, 0, 3, u"vor", true), 4);
        QCOMPARE(Scan(text, 8, 0, u"vor", true), 8);  // a hit that ends the text
        QCOMPARE(Scan(text, 9, 0, u"vor", true), -1);
        // Upwards a hit ends at or before the selection start.
        QCOMPARE(Scan(text, 9, 0, u"vor", false), 4);
        QCOMPARE(Scan(text, 8, 3, u"vor", false), 4);
        QCOMPARE(Scan(text, 2, 0, u"vor", false), -1);
        // A selection outside the text finds nothing.
        QCOMPARE(Scan(u"vor", 50, 10, u"vor", false), -1);
        QCOMPARE(Scan(u"vor", -5, 0, u"vor", true), -1);
    }

    void wholeWords()
    {
        // Downwards the word that begins at the start position is passed over.
        QCOMPARE(Scan(u"vor; vor", 0, 0, u"vor", true, false, true), 5);
        QCOMPARE(Scan(u"vorne vor", 2, 0, u"vor", true, false, true), 6);
        // The underscore and umlauts separate words, "n" does not.
        QCOMPARE(Scan(u" vorne_frei", 0, 0, u"vor", true, false, true), -1);
        QCOMPARE(Scan(u" vor_frei", 0, 0, u"vor", true, false, true), 1);
        QCOMPARE(Scan(u" vorüber", 0, 0, u"vor", true, false, true), 1);
        QCOMPARE(Scan(u"vor; vorne", 10, 0, u"vor", false, false, true), 0);
    }

    // Where the moves run out the scan stands inside a word: a hit there is
    // no whole word.
    void wholeWordsAtTheEdgesOfTheText()
    {
        QCOMPARE(Scan(u"ab xvor", 0, 0, u"vor", true, false, true), -1);
        QCOMPARE(Scan(u"vorne", 5, 0, u"vor", false, false, true), -1);
        QCOMPARE(Scan(u"vor", 3, 0, u"vor", false, false, true), 0);
    }

    // A text that begins with a separator once made an upward whole-word
    // scan step back and forth between its first two characters forever.
    void upwardsWholeWordScansEndAtASeparatorAtTheStart()
    {
        QCOMPARE(Scan(u";abcdef", 7, 0, u"xyz", false, false, true), -1);
        QCOMPARE(Scan(u";vor", 3, 0, u"vor", false, false, true), -1);  // would overlap
        QCOMPARE(Scan(u" vor abc", 8, 0, u"vor", false, false, true), 1);
    }
};

QTEST_APPLESS_MAIN(ScanBufferTest)
#include "scanbuffer_test.moc"
