#pragma once
#include <QString>

// The classics reader's and the online lookup's own texts.
namespace mc::readers::texts {

inline const QString kHistoryFile = QStringLiteral("lsjt.dat");

// The generated today-in-history page, before and after its event lines.
inline const QString kHistoryPageHead[] = {
    QStringLiteral("<html> "),
    QStringLiteral("<Body bgcolor=\"white\">"),
    QStringLiteral("<p align=\"center\" style=\"margin-top: 0; margin-bottom: 0\"><b><font size=\"5\" "
                   "color=\"#0000FF\">历史上的今天</font></b></p><hr size=\"1\" align=\"left\"  color=\"#FF0000\">"),
    QStringLiteral("<p style=\"margin-bottom: 0\" align=\"center\"><span style=\"font-size:12pt\">"),
    QString(),
};
inline const QString kHistoryPageTail = QStringLiteral("</span>");

inline const QString kOnlineLookupCaption = QStringLiteral("在线字典词典 ");
inline const QString kOnlineLookupPrompt = QStringLiteral("请输入关键字词           ");
inline const QString kOnlineLookupSuffix = QStringLiteral("&from=poem#detailmean");
inline const QString kOnlineLookupFile = QStringLiteral("temp.html");
inline const QString kNotCollected = QStringLiteral("该词条暂未收录！");

} // namespace mc::readers::texts
