// "&Drucken" and "Schriftart": a page prints to a PDF file, which poppler's
// tools read back, and the font command changes the current page only, with
// a dialog that remembers the font last chosen in it and a colour dialog.
#include <QtTest>

#include <QFontDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "TestFiles.h"
#include "settings/ZelkSettings.h"

namespace {

bool HavePoppler()
{
    for (const char* tool : {"pdftotext", "pdfinfo", "pdffonts"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    return true;
}
// The PDF tests need poppler's tools; without them they say so and skip.
#define NEED_POPPLER()  \
    if (!HavePoppler()) \
    QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) read the printed PDF back")

QString Run(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList Words(const QString& text)
{
    return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

// The words of a printed file in reading order, pages one after the other.
QStringList PrintedWords(const QString& pdf)
{
    return Words(Run("pdftotext", {"-enc", "UTF-8", pdf, "-"}));
}

// One field of pdfinfo: "Title", "Pages", "Page size" ("595.276 x 841.89 pts (A4)").
QString PdfInfo(const QString& pdf, const QString& key)
{
    const QRegularExpression line("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(Run("pdfinfo", {pdf})).captured(1).trimmed();
}

// The box around all words of one page, in points from its top left corner.
QRectF WordsBox(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"");
    const QString html = Run("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    QRectF box;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        box |= QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                      QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return box;
}

// What the font dialog chooses: family, size and style.
QString Chosen(const QFont& f)
{
    return QStringLiteral("%1 %2 %3").arg(f.family()).arg(f.pointSize()).arg(f.bold());
}

}  // namespace

class DruckTest : public QObject, public ProgramFixture {
    Q_OBJECT

    // Prints the current page through the tool button, "" cancelling the
    // dialog; false when no PDF came of it.
    bool printTo(const QString& file)
    {
        fake->printTo = file.isEmpty() ? QString() : path(file);
        FindButton(form, "SpeedButton4")->click();
        return QFileInfo(path(file)).isFile();
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    // The title is the file last opened or saved, also for a page never
    // saved; the text is in the page's font, the font command's once chosen.
    void printsThePageUnderTheLastFileNameInItsFont()
    {
        NEED_POPPLER();
        const QByteArray text = "PROGRAM Zickzack;\r\nBEGIN\r\n  VOR; { der Käfer }\r\nEND.\r\n";
        WriteBytes(path("ZICKZACK.PAS"), text);
        openFile(path("ZICKZACK.PAS"));
        QVERIFY(printTo("a.pdf"));
        QCOMPARE(PrintedWords(path("a.pdf")), Words(QString::fromUtf8(text)));
        QCOMPARE(PdfInfo(path("a.pdf"), "Title"), path("ZICKZACK.PAS"));
        QVERIFY(Run("pdffonts", {path("a.pdf")}).contains("LiberationMono"));  // for Courier New

        fake->files.push_back(path("Neu2.pas"));
        QVERIFY(form->FileSaveAsItemClick());
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM Serif;");
        fake->fonts.push_back(QFont("Liberation Serif", 12));
        form->Schriftart1Click();
        fake->printTo = path("b.pdf");
        FindItem(form, "FilePrintItem")->trigger();
        QCOMPARE(PrintedWords(path("b.pdf")), QStringList({"PROGRAM", "Serif;"}));
        QCOMPARE(PdfInfo(path("b.pdf"), "Title"), path("Neu2.pas"));
        const QString fonts = Run("pdffonts", {path("b.pdf")});
        QVERIFY2(fonts.contains("LiberationSerif") && !fonts.contains("LiberationMono"),
                 qPrintable(fonts));
        QCOMPARE(fake->printDialogs, 2);
        QVERIFY(fake->boxes.isEmpty());
    }

    // Page after page over the whole printable area, long lines wrapped
    // rather than cut, and nothing added: no header, footer or page number.
    void longTextsFillPageAfterPageWithNothingAdded()
    {
        NEED_POPPLER();
        form->FileNewItemClick();
        QStringList lines, words;
        for (int i = 1; i <= 150; ++i)
            lines << QStringLiteral("Zeile%1 VOR;").arg(i);
        for (int i = 1; i <= 90; ++i)
            words << QStringLiteral("wort%1").arg(i);
        lines.insert(70, words.join(' '));
        lines.insert(20, QStringLiteral("\tDREHE_LINKS;"));
        editor()->setPlainText(lines.join('\n'));
        QVERIFY(printTo("lang.pdf"));
        const QString pdf = path("lang.pdf");
        QCOMPARE(PrintedWords(pdf), Words(lines.join('\n')));
        const int pages = PdfInfo(pdf, "Pages").toInt();
        QVERIFY(pages >= 3);
        // From the top left corner of the paper (the PDF printer reaches all
        // of it) down to its bottom.
        const QRectF first = WordsBox(pdf, 1);
        QVERIFY2(first.left() < 3 && first.top() < 6,
                 qPrintable(QString("%1 %2").arg(first.left()).arg(first.top())));
        QVERIFY(first.bottom() > PdfInfo(pdf, "Page size").section(' ', 2, 2).toDouble() - 30);
        QVERIFY(WordsBox(pdf, pages).top() < 6);
    }

    void nothingPrintsWithoutAPageOrWhenCancelledAndAFailureIsReported()
    {
        form->FilePrintItemClick();  // no editor window yet
        QCOMPARE(fake->printDialogs, 0);
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM P;");
        QVERIFY(!printTo(""));
        QCOMPARE(fake->printDialogs, 1);
        QVERIFY(!printTo("fehlt/p.pdf"));
        QCOMPARE(fake->texts(), QStringList{"Der Druckauftrag ist fehlgeschlagen."});
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Error);
        fake->answers.push_back(MsgAnswer::No);  // "Speichern?" of the changed page
        form->FileCloseItemClick();
        QVERIFY(!printTo("x.pdf"));
        QCOMPARE(fake->printDialogs, 2);
    }

    void fontCommandWarnsWithoutEditorWindowAndChangesOnlyTheCurrentPage()
    {
        form->Schriftart1Click();
        QCOMPARE(fake->texts(), QStringList{"Kein Editorfenster vorhanden."});
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Warning);
        QCOMPARE(fake->boxes[0].buttons, MsgButtons::Ok);
        QVERIFY(fake->fontDialogs.isEmpty());

        WriteBytes(path("Erste.pas"), "PROGRAM Erste;\r\n");
        openFile(path("Erste.pas"));
        TZelkPage* erste = editor();
        const QFont settingsFont = erste->font();
        QCOMPARE(settingsFont.family(), QString::fromStdString(Fontname));
        form->FileNewItemClick();
        fake->fonts.push_back(QFont("Liberation Serif", 14, QFont::Bold));
        fake->colors.push_back(0x000000FF);  // red as 00BBGGRR
        FindItem(form, "Schriftart1")->trigger();
        // Courier New 10, or its metric twin where it is missing, as Qt's
        // own dialog can show it; a pixel height made it show another font.
        const QFont anfang = fake->fontDialogs[0];
        QVERIFY(QStringList({"Courier New", "Liberation Mono"}).contains(anfang.family()));
        QCOMPARE(anfang.pointSize(), 10);
        QCOMPARE(QFontDialog(anfang).currentFont().family(), anfang.family());
        QCOMPARE(Chosen(editor()->font()), Chosen(QFont("Liberation Serif", 14, QFont::Bold)));
        // The colour dialog follows, opening on the window text colour.
        QCOMPARE(fake->colorDialogs, QList<int>({int(0x80000008u)}));
        QCOMPARE(editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(erste->font(), settingsFont);
        // A page opened afterwards takes the font of the settings.
        openFile(path("Erste.pas"));
        QCOMPARE(editor()->font(), settingsFont);

        // The next time, on another page or on none, the dialog opens with
        // the font chosen before; cancelling changes nothing.
        editorWindow()->SelectPage(editorWindow()->PageIndex(erste));
        form->Schriftart1Click();
        QCOMPARE(Chosen(fake->fontDialogs[1]), Chosen(QFont("Liberation Serif", 14, QFont::Bold)));
        QCOMPARE(erste->font(), settingsFont);
        QCOMPARE(fake->colorDialogs.size(), 1);
        // A cancelled colour dialog leaves the page in its own colour, not
        // in the one last chosen, but the chosen font still applies.
        const QColor settingsColour = erste->palette().color(QPalette::Text);
        fake->fonts.push_back(QFont("Liberation Mono", 9));
        form->Schriftart1Click();
        QCOMPARE(fake->colorDialogs.last(), 0x000000FF);
        QCOMPARE(Chosen(erste->font()), Chosen(QFont("Liberation Mono", 9)));
        QCOMPARE(erste->palette().color(QPalette::Text), settingsColour);
        while (editorWindow()->PageCount() > 0)
            form->FileCloseItemClick();
        fake->fonts.push_back(QFont("Liberation Sans", 11));
        form->Schriftart1Click();
        form->Schriftart1Click();
        QCOMPARE(fake->fontDialogs.size(), 5);
        QCOMPARE(Chosen(fake->fontDialogs[4]), Chosen(QFont("Liberation Sans", 11)));
        QCOMPARE(fake->texts().size(), 1);
    }
};

QTEST_MAIN(DruckTest)
#include "druck_test.moc"
