#pragma once
#include "platform/offlineroutes.h"

#include <QDate>
#include <QJsonObject>
#include <QStringList>

class QUrlQuery;

namespace mc::services {

// The events of every day of the year, from the history file the builder ships
// ({"MM-DD": [{"year": "1941", "text": "…"}, …]}).
class HistoryEvents final {
public:
    HistoryEvents() = default;
    explicit HistoryEvents(const QJsonObject &days) : m_days(days) {}
    // A missing or unreadable file gives no events at all.
    static HistoryEvents fromFile(const QString &path);

    // One line per event of that day, "1941年 …", in the file's order.
    QStringList linesOn(int month, int day) const;
    // Events of any day whose text holds the keyword, as "12月8日 1941年 …".
    QStringList linesHolding(const QString &keyword) const;

private:
    QJsonObject m_days;
};

// The today-in-history page: events of the day asked for by m= and d= (today without them), or
// of every day matching kw=. The lines its text renders to are what the reader takes apart: the
// date choices, eight lines, the events, four lines, the keyword prompt.
QByteArray historyPage(const HistoryEvents &events, const QUrlQuery &query, QDate today);

// Answers /scripts/flex/TodayOnHistory/ from <dataDir>/history.json, read at the first request.
offline::Route historyRoute(const QString &dataDir);

} // namespace mc::services
