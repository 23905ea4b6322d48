// Window titles as the window manager reads them from the X server: exactly
// the windows' own, nothing of the program's name appended.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include "ProgramWindows.h"
#include "platform/DialogService.h"
#include "dialogs/ZelkGauge.h"
#include "mainwindow/ZelkMain.h"

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    auto* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

QString PlatformTitle(QWidget* window)
{
    xcb_connection_t* c = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    auto* r = xcb_get_property_reply(c, xcb_get_property(c, 0, window->winId(), Atom(c, "_NET_WM_NAME"),
                                                         Atom(c, "UTF8_STRING"), 0, 256), nullptr);
    const QString title = r ? QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r)),
                                                xcb_get_property_value_length(r))
                            : QString();
    std::free(r);
    return title;
}

}  // namespace

class WindowTitlesTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowShowsExactlyItsOwnTitle()
    {
        std::unique_ptr<TZelkForm> form(CreateZelkForm());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(PlatformTitle(form.get()), QString("Zelk - der Roboter"));

        for (const char* title : {"Error", "Warning", "Confirm"}) {
            QString seen;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(box);
                seen = PlatformTitle(box);
                box->reject();
            });
            dialogs().Show(MsgIcon::Error, title, "Text", MsgButtons::Ok);
            QCOMPARE(seen, QString(title));
        }
        compilerDlg()->show();
        QCOMPARE(PlatformTitle(compilerDlg()), QString("Compilieren"));
    }
};

QTEST_MAIN(WindowTitlesTest)
#include "windowtitles_test.moc"
