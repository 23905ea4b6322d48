// The manual Zelk.hlp against the program: every robot word in both
// spellings and every message the core can show stand in it, exactly as the
// program shows them, and every link of its contents leads somewhere. The
// words and messages are taken from the core itself, by running it.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>
#include <set>

#include "RecordingPorts.h"
#include "TranslatorHarness.h"
#include "WorldSnapshot.h"
#include "execution/ZelkPreter.h"
#include "execution/ZelkStart.h"
#include "language/ZelkFehler.h"
#include "language/ZelkVocabulary.h"
#include "world/ZelkFeld.h"

namespace {

QString ManualHtml()
{
    QFile file(QStringLiteral(ZELK_SOURCE_DIR "/resources/Zelk.hlp"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// What a reader sees: the manual as the help window lays it out.
QString ManualText()
{
    QTextDocument document;
    document.setHtml(ManualHtml());
    return document.toPlainText();
}

QStringList Missing(const QString& text, const std::set<std::string>& wanted)
{
    QStringList missing;
    for (const std::string& w : wanted)
        if (!text.contains(QString::fromStdString(w)))
            missing << QStringLiteral("\"%1\"").arg(QString::fromStdString(w));
    return missing;
}

// Everything the messages port was shown while f ran, a fresh world and
// instruction table around it.
template <class F>
std::set<std::string> MessagesOf(F f)
{
    TranslatorHarness h;
    RecordingDisplay display;
    RecordingRunControl control;
    PortsGuard guard(&h.messages, &display, &control, &h.progress, &h.pages);
    ResetWorld();
    f(h);
    ResetWorld();
    const std::vector<std::string> texts = h.messages.texts();
    return {texts.begin(), texts.end()};
}

// Translates and runs text to its end, as Start does.
void Run(TranslatorHarness& h, const std::string& text)
{
    h.add("Robo", text);
    if (StartRun(0) != TStartResult::Started)
        return;
    for (int steps = 0; steps < 100000 && Step(); ++steps) {
    }
}

}  // namespace

class HandbuchTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!ManualHtml().isEmpty(), "resources/Zelk.hlp fehlt"); }

    void namesEveryRobotWordInBothSpellings()
    {
        const QString text = ManualText();
        QStringList missing;
        for (const TRobotWord& w : RobotWords)
            for (const char* spelling : {w.WithUnderscore, w.WithoutUnderscore}) {
                const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(spelling));
                if (!text.contains(word))
                    missing << QString::fromLatin1(spelling);
            }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void explainsEverySourceError()
    {
        std::set<std::string> messages;
        for (int code = 0; code <= 100; ++code)
            if (const std::string m = ErrorMessage(static_cast<TFehler>(code)); !m.empty())
                messages.insert(m);
        QCOMPARE(int(messages.size()), 24);
        const QStringList missing = Missing(ManualText(), messages);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void explainsEveryScannerMessage()
    {
        std::set<std::string> messages = MessagesOf([](TranslatorHarness& h) {
            const std::string faulty[] = {
                "PROGRAM Ä;", "PROGRAM 2;", "PROGRAM P; }", "{$ D- } PROGRAM P;", "{ offen",
                "(* offen", "PROGRAM " + std::string(82, 'A') + ";",
            };
            for (const std::string& text : faulty)
                h.compile(text);
        });
        // The parser's follow-ups are checked above; seven are the scanner's.
        for (int code = 0; code <= 100; ++code)
            messages.erase(ErrorMessage(static_cast<TFehler>(code)));
        QCOMPARE(int(messages.size()), 7);
        const QStringList missing = Missing(ManualText(), messages);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void explainsEveryRobotAndWorkFieldMessage()
    {
        const std::set<std::string> messages = MessagesOf([](TranslatorHarness&) {
            for (int code = 0; code <= 13; ++code) {
                Welt.Meldung(code);
                Welt.AbbruchLoeschen();
            }
        });
        QCOMPARE(int(messages.size()), 11);
        const QStringList missing = Missing(ManualText(), messages);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void explainsEveryMessageThatEndsARun()
    {
        const std::set<std::string> messages = MessagesOf([](TranslatorHarness& h) {
            Run(h, "PROGRAM P; FUNCTION F; BEGIN END; BEGIN IF F THEN VOR END.");
            Run(h, "PROGRAM P; FUNCTION F; BEGIN RETURN VORNE_FREI; RETURN VORNE_FREI END;"
                   " BEGIN WHILE F DO END.");
            Run(h, "PROGRAM P; PROCEDURE Q; BEGIN Q END; BEGIN Q END.");
            Run(h, "PROGRAM P; BEGIN ARBEITSFELD(GIBTESNICHT); VOR END.");
            h.add("Einheit", "UNIT E; INTERFACE IMPLEMENTATION END.");
            StartRun(0);
            StartRun(1);
        });
        QCOMPARE(int(messages.size()), 6);
        const QStringList missing = Missing(ManualText(), messages);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    void everyLinkOfTheManualHasItsPlace()
    {
        QTextDocument document;
        document.setHtml(ManualHtml());
        QSet<QString> anchors;
        QSet<QString> links;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                for (const QString& name : format.anchorNames())
                    anchors.insert(name);
                if (format.anchorHref().startsWith(QLatin1Char('#')))
                    links.insert(format.anchorHref().mid(1));
            }
        QVERIFY(links.size() > 30);
        QVERIFY(anchors.contains(QStringLiteral("inhalt")));
        const QSet<QString> broken = links - anchors;
        QVERIFY2(broken.isEmpty(), qPrintable(QStringList(broken.values()).join(", ")));
    }
};

QTEST_MAIN(HandbuchTest)
#include "handbuch_test.moc"
