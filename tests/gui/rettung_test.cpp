// An exception out of an event handler: the application catches it before it
// reaches Qt's event loop, saves every modified page beside its file without
// touching the file itself, names the rescue files and ends.
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>
#include <new>
#include <stdexcept>

#include "GuiFixtures.h"
#include "mainwindow/ZelkRettung.h"

namespace {

// An object whose every event handler fails, as one would when memory runs out.
class Werfer : public QObject {
public:
    bool speicher = true;
    bool event(QEvent*) override
    {
        if (speicher)
            throw std::bad_alloc();
        throw std::runtime_error("kaputt");
    }
};

QByteArray Inhalt(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

}  // namespace

class RettungTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void modifiedPagesAreSavedBesideTheirFilesAndTheProgramEnds()
    {
        QFile datei(path("ROBO1.PAS"));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n");
        datei.close();
        QFile alt(path("ROBO1.PAS.gerettet"));  // an earlier rescue stays as it is
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.close();
        openFile(path("ROBO1.PAS"));
        editor()->moveCursor(QTextCursor::End);
        editor()->insertPlainText(QStringLiteral("{ geändert }"));
        form->FileNewItemClick();
        editor()->insertPlainText(QStringLiteral("PROGRAM Neu;"));
        form->FileNewItemClick();  // unchanged: nothing to rescue

        auto* app = static_cast<TZelkApplication*>(qApp);
        int status = -1;
        app->Beenden = [&status](int s) { status = s; };
        Werfer werfer;
        QEvent ereignis(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&werfer, &ereignis));

        QCOMPARE(status, 70);
        QCOMPARE(fake->boxes.size(), 1);
        const QString text = fake->boxes.first().text;
        QVERIFY2(text.startsWith(QStringLiteral("Der Speicher reicht nicht aus.")), qPrintable(text));
        QVERIFY2(text.contains(path("ROBO1.PAS.gerettet-2")), qPrintable(text));
        QVERIFY2(text.contains(path("neu.pas.gerettet")), qPrintable(text));
        QCOMPARE(Inhalt(path("ROBO1.PAS")), QByteArray("PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n"));
        QCOMPARE(Inhalt(path("ROBO1.PAS.gerettet")), QByteArray());
        QCOMPARE(Inhalt(path("ROBO1.PAS.gerettet-2")),
                 QByteArray("PROGRAM Robo1;\r\nBEGIN\r\nEND.\r\n{ ge\xC3\xA4ndert }"));
        QCOMPARE(Inhalt(path("neu.pas.gerettet")), QByteArray("PROGRAM Neu;"));

        // Any other exception ends the program the same way.
        werfer.speicher = false;
        status = -1;
        QVERIFY(!QCoreApplication::sendEvent(&werfer, &ereignis));
        QCOMPARE(status, 70);
        QVERIFY(fake->boxes.last().text.startsWith(QStringLiteral("Interner Fehler: kaputt")));
    }
};

int main(int argc, char** argv)
{
    TZelkApplication app(argc, argv);
    RettungTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "rettung_test.moc"
