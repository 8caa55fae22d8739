#pragma once
#include <QString>
#include <QStringList>

// The search and listing texts the user sees.
namespace mc::search::texts {

inline const QString kPlaceholder = QStringLiteral("这里输入搜索关键字");
inline const QString kEnterKeyword = QStringLiteral("请输入搜索关键字！");
inline const QString kKeywordTooLong = QStringLiteral("搜索关键字太长，请输入不超过1000个字的关键字！");

inline const QString kNoResult = QStringLiteral("没有搜索到结果！");
inline const QString kNoCharacter = QStringLiteral("没有搜索到结果！\r\r点击确定将刷新全部汉字！");
inline const QString kNoIdiom = QStringLiteral("没有搜索到结果！\r\r点击确认将刷新全部成语！");
inline const QString kNoWordBefore = QStringLiteral("关键字 ");
inline const QString kNoWordAfter = QStringLiteral(" 没有搜索到结果！");

inline const QString kMatchesBefore = QStringLiteral("符合条件记录");
inline const QString kMatchesAfter = QStringLiteral("条");
inline const QString kFoundBefore = QStringLiteral("查到 ");
inline const QString kFoundAfter = QStringLiteral(" 条记录");

inline const QString kIdiomHelp = QStringLiteral(
    "请在文本框中输入搜索关键字！\r\r成语词典检索支持下列方式：\r成语搜索“成千上万”    支持“成？上？”\r"
    "拼音搜索“千方百计”    支持“qfbj”“q?b?”");
inline const QString kXiehouyuHelp
    = QStringLiteral("请在文本框中输入搜索关键字！\r\r检索支持下列方式：\r查找“阿斗当皇帝” 支持“阿斗？”");

inline const QString kEnglishToChinese = QStringLiteral("英汉模式");
inline const QString kChineseToEnglish = QStringLiteral("汉英模式");

// Search mode items.
inline const QString kByCharacter = QStringLiteral("直接输入汉字检索");
inline const QString kByRadical = QStringLiteral("按部首检索");
inline const QString kByRadicalStrokes = QStringLiteral("按部首笔划数");
inline const QString kByStrokes = QStringLiteral("按全字笔划数");
inline const QString kByPinyinContains = QStringLiteral("按拼音字母精确检索");
inline const QString kByPinyinEquals = QStringLiteral("按拼音字母模糊检索");
inline const QString kByIdiomName = QStringLiteral("按成语名称检索");
inline const QString kByIdiomPinyin = QStringLiteral("按成语拼音检索");
inline const QString kByIdiomMeaning = QStringLiteral("按成语释义检索");
inline const QString kByIdiomSource = QStringLiteral("按成语出处检索");
inline const QString kByIdiomSample = QStringLiteral("按成语示例检索");
inline const QString kByEitherHalf = QStringLiteral("按模糊查询");
inline const QString kByFirstHalf = QStringLiteral("按前段查询");
inline const QString kBySecondHalf = QStringLiteral("按后段查询");

// Order and refresh buttons.
inline const QString kByAlphabet = QStringLiteral("按字母表顺序排列");
inline const QString kByStrokeCount = QStringLiteral("按笔划数顺序排列");
inline const QString kIdiomOrderStart = QStringLiteral("【按照升序排列】");
inline const QString kAscending = QStringLiteral("按照升序排列");
inline const QString kDescending = QStringLiteral("按照降序排列");
inline const QString kAlphabetAscending = QStringLiteral("按字母升序排列");
inline const QString kAlphabetDescending = QStringLiteral("按字母降序排列");
inline const QString kRefreshCharacters = QStringLiteral("刷新显示全部汉字");
inline const QString kRefreshIdioms = QStringLiteral("【刷新显示全部】");
inline const QString kRefreshXiehouyu = QStringLiteral("刷新全部歇后语");

// Radical picker.
inline const QString kPickerCaption = QStringLiteral("汉字部首检索");
inline const QString kFirstRadical = QStringLiteral("丶");
inline const QString kOtherStrokes = QStringLiteral("除部首外笔划数");
inline const QString kOptional = QStringLiteral("（不输入则忽略）");
inline const QString kConfirm = QStringLiteral("确认返回");
inline const QStringList kGroupLabels
    = {QStringLiteral("一画"), QStringLiteral("二画"), QStringLiteral("三画"), QStringLiteral("四画"),
       QStringLiteral("五画"), QStringLiteral("六画"), QStringLiteral("七画"), QStringLiteral("八画"),
       QStringLiteral("九画"), QStringLiteral("其余")};

} // namespace mc::search::texts
