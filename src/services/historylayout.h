#pragma once
#include <QString>

// How the today-in-history page lays out its text: the offline service writes it this way and
// the reader takes it apart by the same marks.
namespace mc::services::history {

inline const QString kTitle = QStringLiteral("历史上的今天");

// The date-choice line renders to its lead, every month number, the month mark, every day
// number and the day mark.
inline const QString kDateLead = QStringLiteral("选择日期查询： ");
inline const QString kMonthMark = QStringLiteral("月 ");
inline const QString kDayMark = QStringLiteral("日\u3000");
inline const QString kKeywordLine = QStringLiteral("输入关键字查询：");

// Lines between the date-choice line and the first event, and between the last event and the
// keyword line.
constexpr int kLinesBeforeEvents = 8;
constexpr int kLinesAfterEvents = 4;

// The rendered text of the date-choice line, whichever day is chosen.
inline QString dateSelectionLine()
{
    QString line = kDateLead;
    for (int month = 1; month <= 12; ++month)
        line += QString::number(month);
    line += kMonthMark;
    for (int day = 1; day <= 31; ++day)
        line += QString::number(day);
    return line + kDayMark;
}

} // namespace mc::services::history
