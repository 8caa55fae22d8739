#pragma once
#include <QProcess>
#include <QString>
#include <optional>

struct xcb_connection_t;

namespace mc::bench {

// An X server of the bench's own (Xvfb, -noreset, no window manager) and a watch on the
// top-level windows mapped on it.
class XWatch final {
public:
    XWatch() = default;
    ~XWatch();
    XWatch(const XWatch &) = delete;
    XWatch &operator=(const XWatch &) = delete;

    bool start(); // on the first free display from :90
    QString displayName() const { return m_display; }

    struct Map {
        qint64 pid = 0; // _NET_WM_PID of the window, 0 when it has none
        QString title;
    };
    // The next top-level window mapped (menus and tooltips left out), waiting up to timeoutMs.
    std::optional<Map> nextMap(int timeoutMs);
    void drain(); // drops the events seen so far

private:
    std::optional<Map> takeMap();
    QString property(unsigned window, unsigned atom, unsigned type) const;

    QProcess m_server;
    QString m_display;
    xcb_connection_t *m_connection = nullptr;
    unsigned m_pidAtom = 0, m_nameAtom = 0, m_utf8Atom = 0;
};

} // namespace mc::bench
