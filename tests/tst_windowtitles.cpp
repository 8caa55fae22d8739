#include "app/application.h"
#include "app/windows/licencedialog.h"
#include "app/windows/mainwindow.h"
#include "app/windows/windows.h"
#include "platform/messages.h"
#include "platform/webprofile.h"
#include "readers/keywordprompt.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>

using namespace mc;

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// The title as a window manager reads it: the window's _NET_WM_NAME on the X server.
QString windowManagerTitle(QWidget *window)
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return QStringLiteral("(not on X)");
    xcb_connection_t *connection = x11->connection();
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(connection, 0, xcb_window_t(window->winId()), atom(connection, "_NET_WM_NAME"),
                           atom(connection, "UTF8_STRING"), 0, 1024);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (!reply)
        return QStringLiteral("(no reply)");
    const QString title = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply)),
                                            xcb_get_property_value_length(reply));
    std::free(reply);
    return title;
}

// Reads the title of the modal box that open() shows, then closes the box.
QString titleOfModal(const std::function<void()> &open)
{
    QString title = QStringLiteral("(no box)");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box || !QTest::qWaitForWindowExposed(box))
            return;
        poll.stop();
        title = windowManagerTitle(box);
        box->reject();
    });
    poll.start(20);
    open();
    return title;
}

} // namespace

class TestWindowTitles final : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::WorkingFolder> m_folder;
    std::unique_ptr<app::Application> m_app;

private slots:
    void initTestCase()
    {
        QVERIFY(qApp->nativeInterface<QNativeInterface::QX11Application>());
        m_folder = std::make_unique<test::WorkingFolder>();
        m_app = std::make_unique<app::Application>();
        QVERIFY(m_app->start());
    }

    void cleanupTestCase()
    {
        m_app.reset();
        m_folder.reset();
    }

    // clang-format off
    void windowsCarryExactlyTheirTitles_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::newRow("main") << "TForm1" << "明川字典词典 Z2020 build 01.01";
        QTest::newRow("splash") << "TForm2" << "明川字典词典";
        QTest::newRow("speech prompt") << "TForm3" << "语音提示";
        QTest::newRow("radical picker") << "TForm4" << "汉字部首检索";
        QTest::newRow("more") << "TForm5" << "我们还有更精彩的......";
        QTest::newRow("lookup result") << "TForm6" << "在线字典词典";
        QTest::newRow("stroke order") << "TForm7" << "常用汉字笔顺";
        QTest::newRow("lexicon") << "TForm9" << "现代汉语 - 在线辞海";
    }
    // clang-format on
    void windowsCarryExactlyTheirTitles()
    {
        QFETCH(QString, window);
        QFETCH(QString, title);
        QWidget *shown = m_app->windows().secondary(window);
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!shown && w->objectName() == window)
                shown = w;
        }
        QVERIFY(shown);
        const bool wasVisible = shown->isVisible();
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QCOMPARE(windowManagerTitle(shown), title);
        if (!wasVisible)
            shown->hide(); // not close(): the speech prompt would store its setting beside the program
    }

    void boxesCarryExactlyTheirTitles_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("title");
        QTest::newRow("confirmation") << 0 << "Confirm";
        QTest::newRow("plain") << 1 << "明川字典词典";
        QTest::newRow("information") << 2 << "明川字典词典";
        QTest::newRow("error report") << 3 << "明川字典词典";
        QTest::newRow("application error") << 4 << "Application Error";
        QTest::newRow("lookup keyword") << 5 << "在线字典词典 ";
        QTest::newRow("licences") << 6 << "数据来源与许可";
    }
    void boxesCarryExactlyTheirTitles()
    {
        QFETCH(int, box);
        QFETCH(QString, title);
        QtMessages messages;
        const QString text = QStringLiteral("是否确认？");
        const std::function<void()> open[] = {
            [&] { messages.confirm(text); },
            [&] { messages.plain(text); },
            [&] { messages.information(text); },
            [&] { messages.error(text); },
            [&] { messages.applicationError(text); },
            [this] { readers::askKeyword(m_app->windows().main); },
            [this] { app::LicenceDialog(m_app->windows().main).exec(); },
        };
        QCOMPARE(titleOfModal(open[box]), title);
    }
};

int main(int argc, char *argv[])
{
    web::registerSchemes();
    QApplication app(argc, argv);
    TestWindowTitles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowtitles.moc"
