// Window titles as the window manager gets them from the X server: exactly
// the windows' own, with nothing of the program's name appended.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include "ide/DialogService.h"
#include "ide/ZelkGauge.h"
#include "ide/ZelkMain.h"
#include "world/ZelkFeld.h"

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

QString PlatformTitle(QWidget* window)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return QStringLiteral("(no X connection)");
    const auto cookie = xcb_get_property(c, 0, xcb_window_t(window->winId()),
                                         Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), 0, 256);
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, cookie, nullptr);
    QString title;
    if (r)
        title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r)),
                                  xcb_get_property_value_length(r));
    std::free(r);
    return title;
}

}  // namespace

class WindowTitlesTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowShowsExactlyItsOwnTitle()
    {
        QTemporaryDir dir;
        const QString oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Welt.Loeschen();
        Welt.Grundstellung();
        TZelkForm* form = CreateZelkForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(PlatformTitle(form), QString("Zelk - der Roboter"));

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

        CompilerDlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(CompilerDlg));
        QCOMPARE(PlatformTitle(CompilerDlg), QString("Compilieren"));
        CompilerDlg->hide();

        delete form;
        QDir::setCurrent(oldCwd);
    }
};

QTEST_MAIN(WindowTitlesTest)
#include "windowtitles_test.moc"
