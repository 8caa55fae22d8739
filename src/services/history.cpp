#include "services/history.h"
#include "services/historylayout.h"
#include "services/offlinelookup.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>
#include <memory>

namespace mc::services {
namespace {

const QString kNoEvents = QStringLiteral("这一天暂无收录的历史事件。");

QString dayKey(int month, int day)
{
    return QStringLiteral("%1-%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0'));
}

QString dayName(QDate date)
{
    return QStringLiteral("%1月%2日").arg(date.month()).arg(date.day());
}

QString eventLine(const QJsonValue &event)
{
    const QJsonObject e = event.toObject();
    // Lines must stay lines: the reader splits the rendered text at line breaks.
    const QString text = e.value(QStringLiteral("text")).toString().simplified();
    const QJsonValue year = e.value(QStringLiteral("year"));
    const QString yearText = year.isDouble() ? QString::number(year.toInteger()) : year.toString().trimmed();
    return yearText.isEmpty() ? text : yearText + QStringLiteral("年 ") + text;
}

// A day of a leap year, so that 2月29日 can be chosen.
QDate chosenDay(const QUrlQuery &query, QDate today)
{
    const QDate chosen(2000, query.queryItemValue(QStringLiteral("m")).toInt(),
                       query.queryItemValue(QStringLiteral("d")).toInt());
    return chosen.isValid() ? chosen : QDate(2000, today.month(), today.day());
}

QString link(const QString &query, const QString &text, bool marked = false)
{
    return QStringLiteral("<a href=\"?%1\"%2>%3</a>")
        .arg(query.toHtmlEscaped(), marked ? QStringLiteral(" class=\"on\"") : QString(), text);
}

QString dayLink(QDate date, const QString &text)
{
    return link(QStringLiteral("m=%1&d=%2").arg(date.month()).arg(date.day()), text);
}

QString dateChoices(QDate day)
{
    QString line = QStringLiteral("<span class=\"sel\">") + history::kDateLead;
    for (int m = 1; m <= 12; ++m)
        line += link(QStringLiteral("m=%1&d=1").arg(m), QString::number(m), m == day.month());
    line += history::kMonthMark;
    for (int d = 1; d <= 31; ++d)
        line += link(QStringLiteral("m=%1&d=%2").arg(day.month()).arg(d), QString::number(d), d == day.day());
    return line + history::kDayMark + QStringLiteral("</span>");
}

QString escapedLines(const QStringList &lines)
{
    QString html;
    for (const QString &line : lines)
        html += line.toHtmlEscaped() + QStringLiteral("<br>");
    return html;
}

} // namespace

HistoryEvents HistoryEvents::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return HistoryEvents(QJsonDocument::fromJson(file.readAll()).object());
}

QStringList HistoryEvents::linesOn(int month, int day) const
{
    QStringList lines;
    for (const QJsonValue &event : m_days.value(dayKey(month, day)).toArray())
        lines.append(eventLine(event));
    return lines;
}

QStringList HistoryEvents::linesHolding(const QString &keyword) const
{
    QStringList lines;
    if (keyword.isEmpty())
        return lines;
    for (auto it = m_days.constBegin(); it != m_days.constEnd(); ++it) {
        const QDate date = QDate::fromString(QStringLiteral("2000-") + it.key(), Qt::ISODate);
        for (const QJsonValue &event : it.value().toArray()) {
            const QString line = eventLine(event);
            if (line.contains(keyword, Qt::CaseInsensitive))
                lines.append(dayName(date) + u' ' + line);
        }
    }
    return lines;
}

QByteArray historyPage(const HistoryEvents &events, const QUrlQuery &query, QDate today)
{
    const QDate day = chosenDay(query, today);
    const QString keyword = query.queryItemValue(QStringLiteral("kw"), QUrl::FullyDecoded).trimmed();
    const QStringList lines = keyword.isEmpty() ? events.linesOn(day.month(), day.day()) : events.linesHolding(keyword);
    const QString heading
        = keyword.isEmpty() ? dayName(day) + QStringLiteral(" 大事记") : QStringLiteral("含“%1”的大事记").arg(keyword);
    const QString count = lines.isEmpty() ? QStringLiteral("没有找到记录。")
                                          : QStringLiteral("共 %1 条记录，按年份先后排列。").arg(lines.size());

    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + history::kTitle
        + QStringLiteral("</title><style>"
                         "body{font:14px/1.7 sans-serif;margin:16px 24px;color:#222}"
                         ".t{font-size:22px;font-weight:bold;color:#0000ff}.h{font-weight:bold;color:#7a3e00}"
                         ".sel a{color:#0645ad;text-decoration:none;margin:0 1px}.sel a.on{color:#c00;font-weight:bold}"
                         ".n{color:#777;font-size:12px}</style></head><body><div>");
    html += QStringLiteral("<span class=\"t\">") + history::kTitle + QStringLiteral("</span><br>");
    html += dayName(day) + QStringLiteral("<br>");
    html += dateChoices(day) + QStringLiteral("<br>");
    // history::kLinesBeforeEvents lines between the date choices and the first event.
    html += QStringLiteral("<br>");
    html += QStringLiteral("<span class=\"h\">%1</span><br>").arg(heading.toHtmlEscaped());
    html += count + QStringLiteral("<br>");
    html += QStringLiteral(
        "<span class=\"n\">资料来源：维基百科各日期条目的“大事记”部分（维基百科贡献者，CC BY-SA 4.0），"
        "缺少中文记录的日期取自 BSD calendar 文件。</span><br>");
    html += QStringLiteral("上一天：") + dayLink(day.addDays(-1), dayName(day.addDays(-1)))
        + QStringLiteral("\u3000下一天：") + dayLink(day.addDays(1), dayName(day.addDays(1))) + QStringLiteral("<br>");
    html += QStringLiteral("<br>");
    html += QStringLiteral("<span class=\"h\">年份　事件</span><br>");
    html += QStringLiteral("<br>");
    html += escapedLines(lines.isEmpty() ? QStringList{kNoEvents} : lines);
    // history::kLinesAfterEvents lines between the last event and the keyword prompt.
    html += QStringLiteral("<br>");
    html += QStringLiteral("<span class=\"n\">以上为全部记录。</span><br>");
    html += QStringLiteral("<br>");
    html += QStringLiteral("<span class=\"h\">按关键字查询全年的大事记</span><br>");
    html += history::kKeywordLine + QStringLiteral("<br>");
    html += QStringLiteral("<form method=\"get\" action=\"\"><input name=\"kw\" size=\"20\" value=\"%1\">"
                           "<button type=\"submit\">查询</button></form>")
                .arg(keyword.toHtmlEscaped());
    html += QStringLiteral("</div></body></html>");
    return html.toUtf8();
}

offline::Route historyRoute(const QString &dataDir)
{
    auto events = std::make_shared<std::optional<HistoryEvents>>();
    const QString path = QDir(dataDir).filePath(QStringLiteral("history.json"));
    return [events, path](const QUrl &url) -> std::optional<offline::Reply> {
        if (!*events)
            *events = HistoryEvents::fromFile(path);
        offline::Reply reply;
        reply.body = historyPage(**events, formQuery(url), QDate::currentDate());
        return reply;
    };
}

} // namespace mc::services
