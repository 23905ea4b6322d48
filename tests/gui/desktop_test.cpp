// The windowed program as a desktop user meets it: the toolkit's own texts
// in German, file filters that name each pattern once, and keys with Alt
// and AltGr in the editor.
#include <QAbstractButton>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "GuiFixtures.h"
#include "ide/DialogService.h"
#include "ide/Translations.h"

class DesktopTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { QVERIFY(startProgram()); }
    void cleanup() { stopProgram(); }

    void toolkitButtonsAndMenusAreGerman()
    {
        QVERIFY(InstallGermanTranslations());
        QVERIFY(InstallGermanTranslations());  // a second call changes nothing

        // A real box, answered by its own button.
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons())
                buttons << b->text().remove('&');
            box->button(QMessageBox::No)->click();
        });
        DialogService real;
        QCOMPARE(real.Show(MsgIcon::Question, "Confirm", "Speichern?", MsgButtons::YesNoCancel),
                 MsgAnswer::No);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Abbrechen", "Ja", "Nein"}));

        // The menu of a child window made after start-up.
        QMdiSubWindow child;
        QStringList items;
        for (QAction* a : child.systemMenu()->actions())
            items << a->text().remove('&');
        QVERIFY2(items.contains("Wiederherstellen") && items.contains("Schließen"),
                 qPrintable(items.join(',')));
    }

    void fileFiltersNameEachPatternOnce()
    {
        // The filters of the program's own file dialogs, as Qt gets them.
        form->FileOpenItemClick();
        form->FileNewItemClick();
        form->FileSaveAsItemClick();
        form->ArbeitsfeldOeffnen1Click();
        form->ArbeitsfeldSpeichern1Click();
        QCOMPARE(fake->fileDialogs.size(), 4);
        for (const auto& d : std::as_const(fake->fileDialogs))
            for (const QString& f : QtFilterFromPipes(d.filter).split(";;"))
                QVERIFY2(f.count('(') == 1 && f.endsWith(')'), qPrintable(f));
        QCOMPARE(QtFilterFromPipes("Programmdateien (*.PAS) |*.PAS|Alle Dateien|*.*"),
                 QString("Programmdateien (*.PAS);;Alle Dateien (*.*)"));
    }

    void altTypesNothingButAltGrTypes()
    {
        form->FileNewItemClick();
        TZelkPage* page = editor();
        QVERIFY(page);
        page->setFocus();
        QTest::keyClick(page, Qt::Key_A);
        QTest::keyClick(page, Qt::Key_B, Qt::AltModifier);
        QTest::keyClick(page, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(page, Qt::Key_1, Qt::AltModifier);
        QCOMPARE(page->toPlainText(), QString("a"));

        // AltGr as the X server reports it, and as Ctrl+Alt (AltGr+7 on a
        // German keyboard).
        for (const QChar c : QStringLiteral("{}[]@\\~"))
            QTest::sendKeyEvent(QTest::Click, page, Qt::Key(c.unicode()), QString(c),
                                Qt::GroupSwitchModifier);
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_7, QStringLiteral("{"),
                            Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(page->toPlainText(), QString("a{}[]@\\~{"));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
