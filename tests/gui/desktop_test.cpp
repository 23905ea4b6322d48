// The windowed program as a desktop user meets it: the toolkit's own texts
// in German, file filters that name each pattern once, and keys with Alt
// and AltGr in the editor.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "GuiFixtures.h"
#include "platform/Translations.h"

class DesktopTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void boxButtonsAreGerman()
    {
        QVERIFY(InstallGermanTranslations());
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            box->button(QMessageBox::No)->click();
        });
        DialogService real;
        QCOMPARE(real.Show(MsgIcon::Question, "Confirm", "?", MsgButtons::YesNoCancel), MsgAnswer::No);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Abbrechen", "Ja", "Nein"}));
    }

    void fileFiltersNameEachPatternOnce()
    {
        form->FileOpenItemClick();
        form->FileNewItemClick();
        form->FileSaveAsItemClick();
        form->ArbeitsfeldOeffnen1Click();
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->fileDialogs.size(), 4);
        for (const auto& d : std::as_const(fake->fileDialogs))
            for (const QString& f : QtFilterFromPipes(d.filter).split(";;"))
                QVERIFY2(f.count('(') == 1 && f.endsWith(')'), qPrintable(f));
    }

    void altTypesNothingButAltGrTypes()
    {
        form->FileNewItemClick();
        TZelkPage* page = editor();
        QTest::keyClick(page, Qt::Key_A);
        QTest::keyClick(page, Qt::Key_B, Qt::AltModifier);
        QTest::keyClick(page, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
        // AltGr as the X server reports it, and as Ctrl+Alt (AltGr+7 on a
        // German keyboard)
        for (const QChar c : QStringLiteral("{}[]@\\~"))
            QTest::sendKeyEvent(QTest::Click, page, Qt::Key(c.unicode()), QString(c),
                                Qt::GroupSwitchModifier);
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_7, "{", Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(page->toPlainText(), QString("a{}[]@\\~{"));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
