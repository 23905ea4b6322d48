// "&Drucken" and "Schriftart": a page prints to a PDF file, which poppler's
// tools read back, and the font command changes the current page only, with
// a dialog that remembers the font last chosen in it.
#include <QtTest>

#include <QFont>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

#include "GuiFixtures.h"
#include "TestFiles.h"
#include "ide/ZelkEdit2.h"
#include "ide/ZelkMain.h"
#include "settings/ZelkSettings.h"

namespace {

const char* const PopplerTools[] = {"pdftotext", "pdfinfo", "pdffonts"};

bool HavePoppler()
{
    for (const char* tool : PopplerTools)
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

QString Run(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words of a printed file in reading order, pages one after the other.
QStringList PrintedWords(const QString& pdf)
{
    return Run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

QStringList Words(const QString& text) { return text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts); }

// One field of pdfinfo, e.g. "Title" or "Pages".
QString PdfInfo(const QString& pdf, const QString& key)
{
    const QRegularExpression line("^" + key + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(Run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).trimmed() : QStringLiteral("<no %1>").arg(key);
}

// The box around all words of one page, in points from its top left corner.
QRectF WordsBox(const QString& pdf, int page)
{
    const QString html = Run("pdftotext", {"-bbox", "-f", QString::number(page), "-l",
                                           QString::number(page), pdf, "-"});
    const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"");
    QRectF box;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        box |= QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                      QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return box;
}

// The page height in points from pdfinfo's "595.276 x 841.89 pts (A4)".
double PageHeight(const QString& pdf)
{
    const QStringList parts = PdfInfo(pdf, "Page size").split(' ');
    return parts.size() >= 3 ? parts[2].toDouble() : 0;
}

}  // namespace

class DruckTest : public QObject, public ProgramFixture {
    Q_OBJECT

    // Prints the current page through the tool button to file; false when
    // no PDF came of it.
    bool printTo(const QString& file)
    {
        fake->printTo = path(file);
        FindButton(form, "SpeedButton4")->click();
        return QFileInfo::exists(path(file));
    }

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void printsThePageUnderTheFileName()
    {
        if (!HavePoppler())
            QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read the printed PDF");
        const QByteArray text = "PROGRAM Zickzack;\r\nBEGIN\r\n  VOR; { der Käfer }\r\nEND.\r\n";
        WriteBytes(path("ZICKZACK.PAS"), text);
        openFile(path("ZICKZACK.PAS"));
        QVERIFY(printTo("a.pdf"));
        QCOMPARE(fake->printDialogs, 1);
        QCOMPARE(PrintedWords(path("a.pdf")), Words(QString::fromUtf8(text)));
        QCOMPARE(PdfInfo(path("a.pdf"), "Title"), QFileInfo(path("ZICKZACK.PAS")).absoluteFilePath());
        QCOMPARE(PdfInfo(path("a.pdf"), "Pages"), QString("1"));
        // In the page's font: Courier New, which the system stands in for
        // with Liberation Mono.
        QVERIFY(Run("pdffonts", {path("a.pdf")}).contains("LiberationMono"));
        // The menu item is the same command.
        fake->printTo = path("b.pdf");
        FindItem(form, "FilePrintItem")->trigger();
        QCOMPARE(PrintedWords(path("b.pdf")), PrintedWords(path("a.pdf")));
        QVERIFY(fake->boxes.isEmpty());
    }

    // Page after page over the whole printable area, long lines wrapped
    // rather than cut, and nothing added: no header, footer or page number.
    void longTextsFillPageAfterPageWithNothingAdded()
    {
        if (!HavePoppler())
            QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read the printed PDF");
        form->FileNewItemClick();
        QStringList lines;
        for (int i = 1; i <= 150; ++i)
            lines << QStringLiteral("Zeile%1 VOR;").arg(i);
        QStringList words;
        for (int i = 1; i <= 90; ++i)
            words << QStringLiteral("wort%1").arg(i);
        lines.insert(70, words.join(' '));
        lines.insert(20, QStringLiteral("\tDREHE_LINKS;"));
        editor()->setPlainText(lines.join('\n'));
        QVERIFY(printTo("lang.pdf"));
        const QString pdf = path("lang.pdf");
        QCOMPARE(PrintedWords(pdf), Words(lines.join('\n')));
        const int pages = PdfInfo(pdf, "Pages").toInt();
        QVERIFY2(pages >= 3, qPrintable(PdfInfo(pdf, "Pages")));
        // The first page is written from its top left corner down to its
        // bottom; the default paper of the PDF printer has no margins.
        const QRectF first = WordsBox(pdf, 1);
        QVERIFY2(first.left() < 3 && first.top() < 6, qPrintable(QString("%1 %2").arg(first.left()).arg(first.top())));
        QVERIFY2(first.bottom() > PageHeight(pdf) - 30, qPrintable(QString::number(first.bottom())));
        QVERIFY(WordsBox(pdf, pages).top() < 6);
    }

    void printingAfterSaveAsAndFromANewPageUsesTheLastFileName()
    {
        if (!HavePoppler())
            QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read the printed PDF");
        WriteBytes(path("Alt.pas"), "PROGRAM Alt;\r\nBEGIN\r\nEND.\r\n");
        openFile(path("Alt.pas"));
        fake->files.push_back(path("Neu2.pas"));
        QVERIFY(form->FileSaveAsItemClick());
        QVERIFY(printTo("a.pdf"));
        QCOMPARE(PdfInfo(path("a.pdf"), "Title"), path("Neu2.pas"));
        // A page never saved prints under the name last opened or saved.
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM Leer;");
        QVERIFY(printTo("b.pdf"));
        QCOMPARE(PdfInfo(path("b.pdf"), "Title"), path("Neu2.pas"));
        QCOMPARE(PrintedWords(path("b.pdf")), QStringList({"PROGRAM", "Leer;"}));
    }

    void nothingPrintsWithoutAPageOrWhenCancelled()
    {
        form->FilePrintItemClick();  // no editor window yet
        QCOMPARE(fake->printDialogs, 0);
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM P;");
        fake->printTo.clear();
        form->FilePrintItemClick();
        QCOMPARE(fake->printDialogs, 1);
        QVERIFY(QDir(dir->path()).entryList({"*.pdf"}).isEmpty());
        fake->answers.push_back(MsgAnswer::No);  // "Speichern?" of the changed page
        form->FileCloseItemClick();
        QVERIFY(EditorWindow && EditorWindow->PageCount() == 0);
        fake->printTo = path("x.pdf");
        form->FilePrintItemClick();
        QCOMPARE(fake->printDialogs, 1);
        QVERIFY(!QFileInfo::exists(path("x.pdf")));
    }

    void aPrinterThatCannotStartIsReported()
    {
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM P;");
        QVERIFY(!printTo("fehlt/p.pdf"));
        QCOMPARE(fake->texts(), QStringList{"Der Druckauftrag konnte nicht gestartet werden."});
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Error);
    }

    void fontCommandWithoutEditorWindowWarns()
    {
        form->Schriftart1Click();
        QCOMPARE(fake->texts(), QStringList{"Kein Editorfenster vorhanden."});
        QCOMPARE(fake->boxes[0].icon, MsgIcon::Warning);
        QCOMPARE(fake->boxes[0].buttons, MsgButtons::Ok);
        QVERIFY(fake->fontDialogs.isEmpty());
        // An editor window without pages has nothing to warn about: the
        // dialog runs and keeps its font for the next time.
        form->FileNewItemClick();
        form->FileCloseItemClick();
        QCOMPARE(EditorWindow->PageCount(), 0);
        fake->fonts.push_back(QFont("Liberation Sans", 11));
        FindItem(form, "Schriftart1")->trigger();
        fake->boxes.clear();
        form->Schriftart1Click();
        QCOMPARE(fake->fontDialogs.size(), 2);
        QCOMPARE(fake->fontDialogs[1].family(), QString("Liberation Sans"));
        QVERIFY(fake->boxes.isEmpty());
    }

    void chosenFontChangesOnlyTheCurrentPageAndIsRemembered()
    {
        WriteBytes(path("Erste.pas"), "PROGRAM Erste;\r\n");
        openFile(path("Erste.pas"));
        TZelkPage* erste = editor();
        form->FileNewItemClick();
        TZelkPage* neu = editor();
        const QFont settingsFont = erste->font();
        QCOMPARE(settingsFont.family(), QString::fromStdString(Fontname));

        fake->fonts.push_back(QFont("Liberation Serif", 14, QFont::Bold));
        FindItem(form, "Schriftart1")->trigger();
        QCOMPARE(fake->fontDialogs.size(), 1);
        QCOMPARE(fake->fontDialogs[0].family(), QString("Courier New"));
        QCOMPARE(fake->fontDialogs[0].pixelSize(), 13);
        QCOMPARE(neu->font().family(), QString("Liberation Serif"));
        QCOMPARE(neu->font().pointSize(), 14);
        QVERIFY(neu->font().bold());
        QCOMPARE(erste->font(), settingsFont);

        // A page opened afterwards takes the font of the settings.
        WriteBytes(path("Dritte.pas"), "PROGRAM Dritte;\r\n");
        openFile(path("Dritte.pas"));
        QCOMPARE(editor()->font(), settingsFont);

        // The second time, on another page, the dialog opens with the font
        // chosen the first time; cancelling changes nothing.
        EditorWindow->SelectPage(EditorWindow->PageIndex(erste));
        form->Schriftart1Click();
        QCOMPARE(fake->fontDialogs.size(), 2);
        QCOMPARE(fake->fontDialogs[1].family(), QString("Liberation Serif"));
        QCOMPARE(fake->fontDialogs[1].pointSize(), 14);
        QCOMPARE(erste->font(), settingsFont);
        QVERIFY(fake->boxes.isEmpty());
    }

    void printsInTheFontChosenForThePage()
    {
        if (!HavePoppler())
            QSKIP("pdftotext, pdfinfo and pdffonts (poppler-utils) are needed to read the printed PDF");
        form->FileNewItemClick();
        editor()->setPlainText("PROGRAM Serif;");
        fake->fonts.push_back(QFont("Liberation Serif", 12));
        form->Schriftart1Click();
        QVERIFY(printTo("serif.pdf"));
        const QString fonts = Run("pdffonts", {path("serif.pdf")});
        QVERIFY2(fonts.contains("LiberationSerif") && !fonts.contains("LiberationMono"), qPrintable(fonts));
    }
};

QTEST_MAIN(DruckTest)
#include "druck_test.moc"
