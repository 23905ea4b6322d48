// The line-wise reading the editor colours by: words, numbers and comments
// of one line at a time, and the comment state carried from line to line,
// by the scanner's own rules and without a word to the learner.
#include <QtTest>

#include <string>
#include <vector>

#include "TranslatorHarness.h"
#include "language/ZelkLexer.h"
#include "text/TextCodec.h"

namespace {

// A line's reading as one letter a column: k keyword, r robot word,
// i identifier, n number, c comment, a blank for anything else.
template <class Line>
QString Mask(const Line& line, TCommentState& state)
{
    std::vector<TLexSpan> spans;
    const TCommentState before = state;
    state = LexLine(line, before, &spans);
    QString mask(qsizetype(line.size()), ' ');
    for (const TLexSpan& s : spans)
        for (int i = s.Start; i < s.Start + s.Length; ++i)
            mask[i] = "krinc"[int(s.Kind)];
    // The state alone, as the editor learns it for the lines above the screen.
    if (LexLine(line, before, nullptr) != state)
        mask += " (the state alone differs)";
    return mask;
}

// The mask of the Windows-1252 reading, in the columns of the line's text:
// the second half of a surrogate pair has no byte of its own.
QString InTextColumns(const QString& byteMask, const QString& text)
{
    QString mask;
    for (qsizetype i = 0, b = 0; i < text.size(); ++i)
        mask += i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate() ? byteMask[b - 1] : byteMask[b++];
    return mask;
}

}  // namespace

class LexerTest : public QObject {
    Q_OBJECT
private slots:
    void linesAreReadAsTheScannerReadsThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("underscore");
        QTest::addColumn<QStringList>("masks");
        QTest::addColumn<int>("after");
        const int none = int(TCommentState::None);
        QTest::newRow("braces over two lines") << "VOR { a\nb } GIB_AB" << true
                                               << QStringList{"rrr ccc", "ccc rrrrrr"} << none;
        QTest::newRow("*) split by a line end") << "A (* b *\n) c\n*) END" << true
                                                << QStringList{"i cccccc", "ccc", "cc kkk"} << none;
        QTest::newRow("(*) opens and does not close") << "(*) VOR *) VOR" << true
                                                      << QStringList{"cccccccccc rrr"} << none;
        QTest::newRow("no nesting") << "{ { } VOR (* (* *) VOR" << true
                                    << QStringList{"ccccc rrr cccccccc rrr"} << none;
        QTest::newRow("( * and ( at a line end are parentheses") << "( *VOR (\n*VOR" << true
                                                                 << QStringList{"   rrr  ", " rrr"} << none;
        QTest::newRow("directives") << "{$} VOR (*$ X *) {$ D- }NOT" << true
                                    << QStringList{"ccc rrr cccccccc ccccccckkk"} << none;
        QTest::newRow("braces open at the end") << "BEGIN { a\nVOR" << true
                                                << QStringList{"kkkkk ccc", "ccc"} << int(TCommentState::InBraces);
        QTest::newRow("(* open at the end") << "END (* a\n" << true << QStringList{"kkk cccc", ""}
                                            << int(TCommentState::InParenStar);
        QTest::newRow("with underscore") << "DREHE_LINKS drehelinks Vorne_Frei" << true
                                         << QStringList{"rrrrrrrrrrr iiiiiiiiii rrrrrrrrrr"} << none;
        QTest::newRow("without underscore") << "DREHE_LINKS drehelinks Vorne_Frei" << false
                                            << QStringList{"iiiiiiiiiii rrrrrrrrrr iiiiiiiiii"} << none;
        QTest::newRow("case and tabs") << "begin\tEnd\tvor" << true << QStringList{"kkkkk kkk rrr"} << none;
        QTest::newRow("digits where a word would begin") << "12 A1 1A _VOR 3_4;" << true
                                                         << QStringList{"nn ii n       n   "} << none;
        QTest::newRow("characters outside the alphabet") << "VOR ä € $ VORäVOR" << true
                                                         << QStringList{"rrr       rrr rrr"} << none;
        QTest::newRow("NUL") << QString("VOR") + QChar(0) + "VOR {" + QChar(0) + "}" << true
                             << QStringList{"rrr rrr ccc"} << none;
        QTest::newRow("a character beyond U+FFFF") << "(* 😀 *) VOR" << true << QStringList{"cccccccc rrr"}
                                                   << none;
    }

    // Each line is read twice: as the scanner's Windows-1252 bytes, and as
    // the editor's UTF-16, and both readings must give the same columns.
    void linesAreReadAsTheScannerReadsThem()
    {
        QFETCH(QString, text);
        QFETCH(bool, underscore);
        QFETCH(QStringList, masks);
        QFETCH(int, after);
        TranslatorHarness h;
        Underscore = underscore;
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), masks.size());
        TCommentState inBytes = TCommentState::None;
        TCommentState inUtf16 = TCommentState::None;
        for (qsizetype l = 0; l < lines.size(); ++l) {
            const QString& line = lines[l];
            const std::string bytes = Utf8ToWindows1252(line.toStdString());
            QCOMPARE(InTextColumns(Mask(std::string_view(bytes), inBytes), line), masks[l]);
            const std::u16string_view units(QStringView(line).utf16(), std::size_t(line.size()));
            QCOMPARE(Mask(units, inUtf16), masks[l]);
        }
        QCOMPARE(int(inBytes), after);
        QCOMPARE(int(inUtf16), after);
        // No message, and no line reported to the translation's progress.
        QVERIFY(h.messages.shown.empty());
        QVERIFY(h.progress.calls.empty());
    }

    // What a second lexer would get wrong: the scanner delivers exactly the
    // words outside the comments the line-wise reading finds, each in its
    // line, and an unclosed comment is what the scanner reports.
    void theScannerReadsTheWordsOutsideTheseComments()
    {
        using namespace std::string_literals;
        const std::string texts[] = {
            "PROGRAM P; { VOR\nGIB_AB } BEGIN (* NIMM_AUF\n*\n) VOR *) vor END.",
            "(*) VOR *) A { (* } B (* { *) C\n(*$ *) D {$} E\n{\0} F"s,
            "VOR(*x*)VOR{y}VOR\n\t{\n\n}\tnimm_auf(*\n*)",
            "VOR { a\nb\nc",
            "VOR (* a\n}\n",
        };
        for (const std::string& text : texts) {
            TranslatorHarness h;
            Strings lexed;
            TCommentState state = TCommentState::None;
            const std::vector<std::string> lines = SplitLines(text);
            std::vector<TLexSpan> spans;
            for (std::size_t l = 0; l < lines.size(); ++l) {
                state = LexLine(lines[l], state, &spans);
                for (const TLexSpan& s : spans)
                    if (s.Kind != TLexKind::Number && s.Kind != TLexKind::Comment)
                        lexed.push_back(std::string(TokenName(s.Token)) + "@" + std::to_string(l));
            }
            h.add("Scan", text);
            TScanner scanner(h.pages);
            Strings scanned;
            for (scanner.NextToken(); CurrentToken != END_OF_TEXT; scanner.NextToken()) {
                QVERIFY2(CurrentToken != ERROR && scanned.size() < 100, text.c_str());
                if (CurrentToken == IDENTIFIER || WordOfKind(CurrentToken))
                    scanned.push_back(std::string(TokenName(CurrentToken)) + "@" + std::to_string(scanner.WordLine));
            }
            QCOMPARE(scanned, lexed);
            const Strings unclosed = state == TCommentState::None        ? Strings{}
                                     : state == TCommentState::InBraces ? Strings{" } fehlt !"}
                                                                        : Strings{" *) fehlt !"};
            QCOMPARE(h.messages.texts(), unclosed);
        }
    }
};

QTEST_APPLESS_MAIN(LexerTest)
#include "lexer_test.moc"
