// The text scan behind find and replace: case folding through the code
// page, whole words, both directions, and scans that must end without a hit.
#include <QtTest>

#include <optional>
#include <string>

#include "text/ScanBuffer.h"

namespace {

SearchOptions Opts(bool down, bool matchCase = false, bool wholeWord = false)
{
    SearchOptions o;
    o.Down = down;
    o.MatchCase = matchCase;
    o.WholeWord = wholeWord;
    return o;
}

// The hit or -1, searching from a selection of selLength at selStart.
int Scan(const std::u16string& buffer, int selStart, int selLength, const std::u16string& text,
         const SearchOptions& o)
{
    return ScanBuffer(buffer, selStart, selLength, text, o).value_or(-1);
}

}  // namespace

class ScanBufferTest : public QObject {
    Q_OBJECT

private slots:
    void caseFoldingFollowsTheCodePage()
    {
        const std::u16string text = u"VOR vor";
        QCOMPARE(Scan(text, 0, 0, u"vor", Opts(true)), 0);
        QCOMPARE(Scan(text, 0, 0, u"vor", Opts(true, true)), 4);
        QCOMPARE(Scan(text, 0, 0, u"VOR", Opts(true, true)), 0);

        // Umlauts fold too, unlike file names; "ß" has no upper case.
        QCOMPARE(Scan(u"Der Bär", 0, 0, u"BÄR", Opts(true)), 4);
        QCOMPARE(Scan(u"Der Bär", 0, 0, u"BÄR", Opts(true, true)), -1);
        QCOMPARE(Scan(u"ÄPFEL", 0, 0, u"äpfel", Opts(true)), 0);
        QCOMPARE(Scan(u"Fuß", 0, 0, u"FUSS", Opts(true)), -1);
        QCOMPARE(Scan(u"Fuß", 0, 0, u"FUß", Opts(true)), 0);
        // The code page's letters above U+00FF: š and Š by their bytes.
        QCOMPARE(Scan(u"Škoda", 0, 0, u"škoda", Opts(true)), 0);
        // A character outside the code page is compared as it is.
        QCOMPARE(Scan(u"Łódź", 0, 0, u"łódź", Opts(true)), -1);
        QCOMPARE(Scan(u"Łódź", 0, 0, u"ŁÓDź", Opts(true)), 0);
    }

    void downwardsStartsAfterTheSelection()
    {
        const std::u16string text = u"vor vor vor";
        QCOMPARE(Scan(text, 0, 3, u"vor", Opts(true)), 4);  // the selected hit is passed
        QCOMPARE(Scan(text, 5, 0, u"vor", Opts(true)), 8);
        QCOMPARE(Scan(text, 8, 0, u"vor", Opts(true)), 8);  // a hit that ends the text
        QCOMPARE(Scan(text, 9, 0, u"vor", Opts(true)), -1);
        QCOMPARE(Scan(text, 0, 0, u"vor vor vor!", Opts(true)), -1);
    }

    void upwardsAHitEndsAtOrBeforeTheSelectionStart()
    {
        const std::u16string text = u"vor vor vor";
        QCOMPARE(Scan(text, 11, 0, u"vor", Opts(false)), 8);
        QCOMPARE(Scan(text, 9, 0, u"vor", Opts(false)), 4);  // the one at 8 overlaps
        QCOMPARE(Scan(text, 8, 3, u"vor", Opts(false)), 4);
        QCOMPARE(Scan(text, 3, 0, u"vor", Opts(false)), 0);
        QCOMPARE(Scan(text, 2, 0, u"vor", Opts(false)), -1);
    }

    void wholeWordsDownwards()
    {
        // The word that begins at the start position is passed over.
        QCOMPARE(Scan(u"vor; vor", 0, 0, u"vor", Opts(true, false, true)), 5);
        // From inside a word the search goes on at the next word.
        QCOMPARE(Scan(u"vorne vor", 2, 0, u"vor", Opts(true, false, true)), 6);
        // The underscore separates words, "n" does not: no hit in vorne_frei.
        QCOMPARE(Scan(u" vorne_frei", 0, 0, u"vor", Opts(true, false, true)), -1);
        QCOMPARE(Scan(u" vor_frei", 0, 0, u"vor", Opts(true, false, true)), 1);
        // An umlaut separates words.
        QCOMPARE(Scan(u" vorüber", 0, 0, u"vor", Opts(true, false, true)), 1);
        // Line breaks separate words.
        QCOMPARE(Scan(u"x\r\nvor\r\n", 0, 0, u"VOR", Opts(true, false, true)), 3);
    }

    void wholeWordsUpwards()
    {
        QCOMPARE(Scan(u" vor abc", 8, 0, u"vor", Opts(false, false, true)), 1);
        QCOMPARE(Scan(u"vor; vorne", 10, 0, u"vor", Opts(false, false, true)), 0);
        QCOMPARE(Scan(u"vor vor", 7, 0, u"vor", Opts(false, false, true)), 4);
    }

    // Where the moves run out the scan stands inside a word: a hit there is
    // no whole word.
    void wholeWordsAtTheEdgesOfTheText()
    {
        QCOMPARE(Scan(u"xvor", 0, 0, u"vor", Opts(true, false, true)), -1);
        QCOMPARE(Scan(u"ab xvor", 0, 0, u"vor", Opts(true, false, true)), -1);
        QCOMPARE(Scan(u"vorne", 5, 0, u"vor", Opts(false, false, true)), -1);
        QCOMPARE(Scan(u"vor", 0, 0, u"vor", Opts(true, false, true)), 0);
        QCOMPARE(Scan(u"vor", 3, 0, u"vor", Opts(false, false, true)), 0);
    }

    // A text that begins with a separator once made an upward whole-word
    // scan step back and forth between its first two characters forever.
    void upwardsWholeWordScansEndAtASeparatorAtTheStart()
    {
        QCOMPARE(Scan(u";abcdef", 7, 0, u"xyz", Opts(false, false, true)), -1);
        QCOMPARE(Scan(u" abc", 4, 0, u"xyz", Opts(false, false, true)), -1);
        QCOMPARE(Scan(u";vor", 3, 0, u"vor", Opts(false, false, true)), -1);  // would overlap
        QCOMPARE(Scan(u"{x} vor", 7, 0, u"vor", Opts(false, false, true)), 4);
    }

    void nothingToScan()
    {
        for (bool down : {true, false}) {
            QCOMPARE(Scan(u"", 0, 0, u"vor", Opts(down)), -1);
            QCOMPARE(Scan(u"vor", 0, 0, u"", Opts(down)), -1);
            QCOMPARE(Scan(u"vor", 50, 10, u"vor", Opts(down)), -1);
            QCOMPARE(Scan(u"vor", -5, 0, u"vor", Opts(down, false, true)), -1);
        }
        // A zero in the text never ends a search text.
        QCOMPARE(Scan(std::u16string(u"vo\0r", 4), 0, 0, u"vo", Opts(true)), 0);
    }
};

QTEST_APPLESS_MAIN(ScanBufferTest)
#include "scanbuffer_test.moc"
