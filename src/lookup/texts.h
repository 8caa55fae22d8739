#pragma once
#include <QString>

// The quick lookup's own texts, exactly as the user sees them.
namespace mc::lookup::texts {
inline const QString kWindowTitle = QStringLiteral("快速查询");
inline const QString kMenu = QStringLiteral("查询");
inline const QString kMenuItem = QStringLiteral("快速查询");
inline const QString kMore = QStringLiteral("更多…");
inline const QString kNothingFound = QStringLiteral("没有找到");
inline const QString kReadAloud = QStringLiteral("朗读");
inline const QString kCopy = QStringLiteral("复制");
inline const QString kHistoryItem = QStringLiteral("查询记录和生词本");
inline const QString kHandwriting = QStringLiteral("手写");
inline const QString kStarOn = QStringLiteral("★");
inline const QString kStarOff = QStringLiteral("☆");
inline const QString kAddFavourite = QStringLiteral("加入生词本");
inline const QString kRemoveFavourite = QStringLiteral("移出生词本");
inline const QString kCharacters = QStringLiteral("字");
inline const QString kWords = QStringLiteral("词语");
inline const QString kIdioms = QStringLiteral("成语");
inline const QString kXiehouyu = QStringLiteral("歇后语");
inline const QString kEnglish = QStringLiteral("英汉");
inline const QString kSayings = QStringLiteral("名言");
inline const QString kSimplifiedClassicalText = QStringLiteral("以简体字显示国语辞典释义");
inline const QString kConvertedForDisplay = QStringLiteral("（原文为繁体字，此处按读者设定转为简体字显示）");
// Shown in the window, once, when its index cannot be read; %1 is what went wrong.
inline const QString kIndexUnavailable = QStringLiteral("快速查询暂时无法使用：%1 各栏目中的查询不受影响。");
} // namespace mc::lookup::texts
