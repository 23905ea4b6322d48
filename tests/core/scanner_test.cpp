// Keyword table and scanner: spellings, token and line sequences, comments,
// the seven scanner messages and text of any bytes.
#include <QtTest>

#include <random>

#include "TranslatorHarness.h"

class ScannerTest : public QObject {
    Q_OBJECT
private slots:
    void keywordTableIsSortedAndFindsEveryWordUnderBothSpellings()
    {
        TranslatorHarness h;
        for (bool underscore : {true, false}) {
            Underscore = underscore;
            RebuildKeyTable();
            QCOMPARE(QString::fromStdString(KeyTable.Entry(1).Word), QString("ABSCHALTEN"));
            QCOMPARE(QString::fromStdString(KeyTable.Entry(36).Word), QString("WHILE"));
            for (int i = 1; i <= TKeyTable::Size; ++i) {
                if (i > 1)
                    QVERIFY(KeyTable.Entry(i - 1).Word < KeyTable.Entry(i).Word);
                TTokenKind kind = ERROR;
                QVERIFY(KeyTable.Lookup(KeyTable.Entry(i).Word, kind));
                QCOMPARE(int(kind), int(KeyTable.Entry(i).Kind));
            }
            TTokenKind kind = ERROR;
            QCOMPARE(KeyTable.Lookup("DREHE_LINKS", kind), underscore);
            QCOMPARE(KeyTable.Lookup("DREHELINKS", kind), !underscore);
            QVERIFY(KeyTable.Lookup("VOR", kind) && kind == VOR);
            QVERIFY(KeyTable.Lookup("ARBEITSFELD", kind) && kind == ARBEITSFELD);
            kind = ERROR;
            for (const char* word : {"VOR2", "VORNE", "ENDE", "ABSCHALTE", "WHILEX", "A", "begin", ""})
                QVERIFY(!KeyTable.Lookup(word, kind));
            QCOMPARE(int(kind), int(ERROR));  // a miss leaves the kind untouched
        }
        // Two switches give back the first table.
        Underscore = true;
        RebuildKeyTable();
        std::vector<std::string> before;
        for (int i = 1; i <= TKeyTable::Size; ++i)
            before.push_back(KeyTable.Entry(i).Word);
        Underscore = false;
        RebuildKeyTable();
        Underscore = true;
        RebuildKeyTable();
        for (int i = 1; i <= TKeyTable::Size; ++i)
            QCOMPARE(KeyTable.Entry(i).Word, before[size_t(i - 1)]);
    }

    void wordsFoldAndFollowTheCurrentSpellingWithoutARebuild()
    {
        TranslatorHarness h;
        QCOMPARE(h.tokens("begin Begin vor VoR links_um IN nimmauf"),
                 Strings({"BEGIN@0", "BEGIN@0", "VOR@0", "VOR@0", "IDENTIFIER:LINKS_UM@0", "IN@0",
                          "IDENTIFIER:NIMMAUF@0", "END_OF_TEXT@1"}));
        Underscore = false;  // no RebuildKeyTable: the scanner must notice by itself
        QCOMPARE(h.tokens("drehelinks nimmAuf DREHE_LINKS"),
                 Strings({"DREHE_LINKS@0", "NIMM_AUF@0", "IDENTIFIER:DREHE_LINKS@0", "END_OF_TEXT@1"}));
    }

    void tokensCarryTheLineWhereTheirScanBegan()
    {
        TranslatorHarness h;
        QCOMPARE(h.tokens(""), Strings({"END_OF_TEXT@0"}));
        QCOMPARE(h.tokens("VOR;\nGIB_AB;"),
                 Strings({"VOR@0", "SEMICOLON@0", "GIB_AB@1", "SEMICOLON@1", "END_OF_TEXT@2"}));
        // Blank lines and comments count for the token after them.
        QCOMPARE(h.tokens("VOR;\n\n\nVOR"), Strings({"VOR@0", "SEMICOLON@0", "VOR@1", "END_OF_TEXT@4"}));
        QCOMPARE(h.tokens("VOR;\n{ a\n b }\nVOR"), Strings({"VOR@0", "SEMICOLON@0", "VOR@1", "END_OF_TEXT@4"}));
        // A line end splits a word; a tab separates like a blank.
        QCOMPARE(h.tokens("VO\nR\tVOR"), Strings({"IDENTIFIER:VO@0", "IDENTIFIER:R@1", "VOR@1", "END_OF_TEXT@2"}));
        QCOMPARE(h.tokens("(A),.;"), Strings({"LEFT_PAREN@0", "IDENTIFIER:A@0", "RIGHT_PAREN@0", "COMMA@0",
                                              "PERIOD@0", "SEMICOLON@0", "END_OF_TEXT@1"}));
    }

    void commentsAndDirectives()
    {
        TranslatorHarness h;
        QCOMPARE(h.tokens("{ { } VOR (* ä { *) VOR {ä}"), Strings({"VOR@0", "VOR@0", "END_OF_TEXT@0"}));
        // A comment right after a parenthesis is no second parenthesis.
        QCOMPARE(h.tokens("( (* c *) VOR"), Strings({"LEFT_PAREN@0", "VOR@0", "END_OF_TEXT@1"}));
        QCOMPARE(h.tokens("(* a **) VOR"), Strings({"VOR@0", "END_OF_TEXT@1"}));
        QCOMPARE(h.tokens("(*) VOR *) GIB_AB"), Strings({"GIB_AB@0", "END_OF_TEXT@1"}));
        QCOMPARE(h.tokens("{$} (*$*) {$ } VOR"), Strings({"VOR@0", "END_OF_TEXT@1"}));
        QVERIFY(h.messages.texts().empty());
        QCOMPARE(h.tokens("{$ D- } VOR"), Strings({"VOR@0", "END_OF_TEXT@1"}));
        QCOMPARE(h.messages.texts(), Strings({"Unbekannte Compilerdirektive"}));
    }

    void eachScannerMessageAndWhatFollowsIt()
    {
        struct Case { const char* text; Strings tokens; const char* message; };
        const std::string word81(81, 'A');
        const Case cases[] = {
            {"VOR ä VOR", {"VOR@0", "END_OF_TEXT@0"}, "Unerlaubtes Zeichen "},
            {"VORä", {"VOR@0", "END_OF_TEXT@0"}, "Unerlaubtes Zeichen "},  // the word is still delivered
            {";$", {"ERROR@0", "END_OF_TEXT@0"}, "Unerlaubtes Zeichen "},
            // "(" sets its kind only after its look-ahead, so it survives the message.
            {"(\xe4", {"LEFT_PAREN@0", "END_OF_TEXT@0"}, "Unerlaubtes Zeichen "},
            {"1", {"ERROR@0"}, "Falsches Zeichen am Beginn eines Wortes."},
            {"}", {"ERROR@0"}, "Unerwartetes Ereignis ?"},
            {"{ a\nb", {"END_OF_TEXT@0"}, " } fehlt !"},
            {"(* a\n*", {"END_OF_TEXT@0"}, " *) fehlt !"},
            {"{$X}VOR", {"VOR@0", "END_OF_TEXT@1"}, "Unbekannte Compilerdirektive"},
        };
        for (const Case& c : cases) {
            TranslatorHarness h;
            QCOMPARE(h.tokens(c.text, int(c.tokens.size())), c.tokens);
            QCOMPARE(h.messages.texts(), Strings({c.message}));
            QCOMPARE(h.messages.shown[0].title, std::string("Error"));
        }
        // 81 characters are a word; the 82nd is refused and starts the next token.
        TranslatorHarness h;
        QCOMPARE(h.tokens(word81 + " " + word81 + "B1"),
                 Strings({"IDENTIFIER:" + word81 + "@0", "ERROR@0", "IDENTIFIER:B1@0", "END_OF_TEXT@1"}));
        QCOMPARE(h.messages.texts(), Strings({"Bezeichnerlänge überschritten!"}));
    }

    void anyBytesEndInMessagesNotInAHang()
    {
        TranslatorHarness h;
        // A NUL inside a line is an illegal character, not a silent end; in a
        // comment it is just a byte.
        QCOMPARE(h.tokens(std::string("{\0}VOR\0VOR", 10)), Strings({"VOR@0", "END_OF_TEXT@0"}));
        QCOMPARE(h.messages.texts(), Strings({"Unerlaubtes Zeichen "}));

        std::mt19937 random(7);
        std::string noise(1 << 20, ' ');
        for (char& c : noise)
            c = char(random());
        const Strings noiseTokens = h.tokens(noise, 1 << 21);  // each call consumes input or ends it
        QVERIFY(noiseTokens.back().rfind("END_OF_TEXT@", 0) == 0);
        QVERIFY(h.messages.shown.size() >= 2);
        TranslatorHarness one;
        const std::string longWord(10 << 20, 'A');
        QCOMPARE(one.compile(longWord), 0);
        QCOMPARE(one.messages.texts(), Strings({"Bezeichnerlänge überschritten!", "PROGRAM oder UNIT fehlt!"}));
    }

    void nulPaddingAtTheEndIsQuietButANulBeforeMoreTextIsReported()
    {
        using namespace std::string_literals;
        struct Case { std::string text; Strings tokens; Strings messages; };
        const Case cases[] = {
            {"VOR;\0\0\0"s, {"VOR@0", "SEMICOLON@0", "END_OF_TEXT@0"}, {}},
            {"VOR\0 \t\0\n\0\0\n\n   \0"s, {"VOR@0", "END_OF_TEXT@0"}, {}},
            {"VOR\0\n\0\0\nVOR"s, {"VOR@0", "END_OF_TEXT@0"}, {"Unerlaubtes Zeichen "}},
            {"VOR\0\0 ;"s, {"VOR@0", "END_OF_TEXT@0"}, {"Unerlaubtes Zeichen "}},
            // An open comment is still unclosed when the padding ends the text.
            {"VOR {\0\0"s, {"VOR@0", "END_OF_TEXT@0"}, {" } fehlt !"}},
        };
        for (const Case& c : cases) {
            TranslatorHarness h;
            QCOMPARE(h.tokens(c.text), c.tokens);
            QCOMPARE(h.messages.texts(), c.messages);
        }
        TranslatorHarness padded;
        QCOMPARE(padded.compile("PROGRAM P;\r\nBEGIN\r\n  VOR\r\nEND.\r\n"s + std::string(300, '\0')), 1);
        QVERIFY(padded.messages.shown.empty());
    }

    void finishedLinesAreReported()
    {
        TranslatorHarness h;
        h.tokens("VOR\n\nVOR\n");
        QCOMPARE(h.progress.calls, Strings({"ShowProgress 1", "ShowProgress 2", "ShowProgress 3",
                                            "ShowProgress 4"}));
    }
};

QTEST_APPLESS_MAIN(ScannerTest)
#include "scanner_test.moc"
