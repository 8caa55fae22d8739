#include "startup/xwatch.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <poll.h>
#include <xcb/xcb.h>

namespace mc::bench {
namespace {

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

} // namespace

XWatch::~XWatch()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(2000);
    }
}

bool XWatch::start()
{
    int number = 90;
    while (number < 200
           && (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
               || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))))
        ++number;
    m_display = QStringLiteral(":%1").arg(number);
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments({m_display, QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                           QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1366x768x24")});
    m_server.setStandardOutputFile(QProcess::nullDevice());
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start();
    if (!m_server.waitForStarted(5000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000 && m_server.state() == QProcess::Running) {
        xcb_connection_t *c = xcb_connect(m_display.toLatin1().constData(), nullptr);
        if (!xcb_connection_has_error(c)) {
            m_connection = c;
            break;
        }
        xcb_disconnect(c);
        QThread::msleep(100);
    }
    if (!m_connection)
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    m_pidAtom = atom(m_connection, "_NET_WM_PID");
    m_nameAtom = atom(m_connection, "_NET_WM_NAME");
    m_utf8Atom = atom(m_connection, "UTF8_STRING");
    xcb_flush(m_connection);
    return true;
}

QString XWatch::property(unsigned window, unsigned atom, unsigned type) const
{
    xcb_get_property_reply_t *reply
        = xcb_get_property_reply(m_connection, xcb_get_property(m_connection, 0, window, atom, type, 0, 1024), nullptr);
    QString value;
    if (reply && xcb_get_property_value_length(reply) > 0) {
        const auto *data = static_cast<const char *>(xcb_get_property_value(reply));
        if (type == XCB_ATOM_CARDINAL)
            value = QString::number(*reinterpret_cast<const uint32_t *>(data));
        else
            value = QString::fromUtf8(data, xcb_get_property_value_length(reply));
    }
    free(reply);
    return value;
}

std::optional<XWatch::Map> XWatch::takeMap()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        std::optional<Map> map;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *notify = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (!notify->override_redirect) {
                map = Map{property(notify->window, m_pidAtom, XCB_ATOM_CARDINAL).toLongLong(),
                          property(notify->window, m_nameAtom, m_utf8Atom)};
                if (map->title.isEmpty())
                    map->title = property(notify->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            }
        }
        free(event);
        if (map)
            return map;
    }
    return std::nullopt;
}

std::optional<XWatch::Map> XWatch::nextMap(int timeoutMs)
{
    if (auto map = takeMap())
        return map;
    pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) > 0)
        return takeMap();
    return std::nullopt;
}

void XWatch::drain()
{
    while (takeMap()) {}
}

} // namespace mc::bench
