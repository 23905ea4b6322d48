// The windowed program as a desktop user meets it: the toolkit's own texts
// in German, file filters that name each pattern once, and keys with Alt
// and AltGr in the editor.
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "ProgramWindows.h"
#include "GuiFixtures.h"
#include "TestFiles.h"
#include "platform/Translations.h"
#include "workfield/ZelkTeachin.h"

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

    // A program saved under the name of another would replace it unasked:
    // its dialog asks in German, and No returns to the dialog. Work fields
    // and sequences ask themselves and get no second question.
    void onlyTheProgramSaveDialogAsksBeforeReplacing()
    {
        form->FileNewItemClick();
        form->FileSaveAsItemClick();
        form->ArbeitsfeldSpeichern1Click();
        form->TeachinModus1Click();
        teachinWindow()->SaveBtnClick();
        QCOMPARE(fake->fileDialogs.size(), 3);
        QVERIFY(fake->fileDialogs[0].confirmOverwrite);
        QVERIFY(!fake->fileDialogs[1].confirmOverwrite && !fake->fileDialogs[2].confirmOverwrite);

        QVERIFY(InstallGermanTranslations());
        WriteBytes(path("ALT.PAS"), "alt");
        QString frage;
        bool zurueck = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                frage = box->text();
                box->button(QMessageBox::No)->click();
            });
            dialog->selectFile(path("ALT.PAS"));
            static_cast<QDialog*>(dialog)->accept();
            zurueck = dialog->isVisible();
            dialog->reject();
        });
        DialogService real;
        QCOMPARE(real.GetSaveFileName(form, QString(), "Programm|*.pas", "pas", dir->path(), true), QString());
        QVERIFY2(frage.contains(QStringLiteral("ALT.PAS existiert bereits")), qPrintable(frage));
        QVERIFY(zurueck);
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
