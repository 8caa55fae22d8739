#pragma once
#include <QString>
#include <QStringList>

// The application shell's own texts.
namespace mc::texts {

inline const QString kMainCaption = QStringLiteral("明川字典词典 Z2020 build 01.01");

// Section bar and service bar.
inline const QString kClassicsButton = QStringLiteral("名句欣赏");
inline const QString kLexiconButton = QStringLiteral("在线辞海");
inline const QString kOnlineLookupButton = QStringLiteral("在线辞典-暂时隐藏");
inline const QString kExitButton = QStringLiteral("退出软件");
inline const QString kMoreButton = QStringLiteral("更多精彩");
inline const QString kUpgradeButton = QStringLiteral("软件升级");
inline const QString kContactButton = QStringLiteral("联系作者");

// Menus.
inline const QString kSpeechMenu = QStringLiteral("语音引擎");
inline const QString kDatabaseMenu = QStringLiteral("数据库扩充");
inline const QString kExtensionNote = QStringLiteral("扩充说明");
inline const QString kVisitSite = QStringLiteral("访问软件网站");
inline const QString kContactAuthor = QStringLiteral("联系软件作者");
inline const QString kLicences = QStringLiteral("数据来源与许可");

// Confirmations and notices.
inline const QString kConfirmExit = QStringLiteral("是否确认？\r\n\r\n马上退出软件！");
inline const QString kConfirmSite = QStringLiteral("是否确认？\r\n\r\n访问软件网站？");
inline const QString kConfirmContact = QStringLiteral("是否确认？\r\n\r\n联系软件作者？");
inline const QString kConfirmChat = QStringLiteral("是否确认？\r\n\r\n启动QQ，与作者会话？");
inline const QString kConfirmMoreSite = QStringLiteral("是否确认？\r\n\r\n访问老青禾工作室软件网站？");
inline const QString kExtensionNoteText = QStringLiteral(
    "词汇巨量，不断添加！\r\n专业打造最强大的电子字典词典软件！\r\r如果你发现有未收录的汉字、词语，请及时告诉我们，\r\n"
    "我们的软件将随时为你而升级！");
inline const QString kMailSubject = QStringLiteral("?subject=联系作者");
inline const QString kChatQuery = QStringLiteral("V=1&Uin=%1&Site=在线咨询&Menu=no");

// Welcome page.
inline const QString kAwardYears = QStringLiteral("2007-2020年");
inline const QString kAward = QStringLiteral("中国优秀共享软件奖");
inline const QString kStudio = QStringLiteral("老青禾软件工作室");

// Section pages.
inline const QString kSearch = QStringLiteral("搜索");
inline const QString kHelp = QStringLiteral("说明");
inline const QString kReadAloud = QStringLiteral("读音");
inline const QString kCopy = QStringLiteral("复制");
inline const QString kCopyExplanation = QStringLiteral("复制解释");
inline const QString kClickToCopy = QStringLiteral("点下复制");
inline const QString kStrokeOrder = QStringLiteral("查笔顺");

inline const QString kCharacterGroup = QStringLiteral("【 ※明川字典※ 】");
inline const QString kSimplified = QStringLiteral("简体");
inline const QString kTraditional = QStringLiteral("繁体");
inline const QStringList kCharacterCaptions
    = {QStringLiteral("【汉字部首】"), QStringLiteral("【五笔编码】"), QStringLiteral("【部首笔划】"),
       QStringLiteral("【全字笔划】"), QStringLiteral("【区位号码】")};

inline const QString kWordGroup = QStringLiteral("【 ※明川词典※ 】");
inline const QString kWordCaption = QStringLiteral("【词条】");
inline const QString kTraditionalCaption = QStringLiteral("【繁体】");
inline const QString kSpellCaption = QStringLiteral("【拼音】");

inline const QString kIdiomGroup = QStringLiteral("【※成语词典※】");
inline const QString kIdiomCaption = QStringLiteral("【成语】");

inline const QString kXiehouyuGroup = QStringLiteral("【※歇后语典※】");

inline const QString kEnglishGroup = QStringLiteral("【 ※英汉汉英※ 】");
inline const QString kExactSearch = QStringLiteral("精确查找");
inline const QString kFuzzySearch = QStringLiteral("模糊查找");

inline const QString kSayingsGroup = QStringLiteral("【 ※名人名言※ 】");
inline const QString kSayingSearch = QStringLiteral("名言搜索");
inline const QString kPersonSearch = QStringLiteral("名人搜索");
inline const QString kFuzzyButton = QStringLiteral("模糊搜索");

inline const QString kClassicsGroup = QStringLiteral("【 ※名句欣赏※ 】");
inline const QStringList kClassicsTitles = {QStringLiteral("国学经典名句一"),
                                            QStringLiteral("国学经典名句二"),
                                            QStringLiteral("国学经典名句三"),
                                            QStringLiteral("国学经典名句四"),
                                            QStringLiteral("诗文名句精华"),
                                            QStringLiteral("百家姓"),
                                            QStringLiteral("千字文"),
                                            QStringLiteral("弟子规"),
                                            QStringLiteral("三字经"),
                                            QStringLiteral("新三字经"),
                                            QStringLiteral("老子"),
                                            QStringLiteral("小儿语"),
                                            QStringLiteral("蒙求"),
                                            QStringLiteral("三十六计"),
                                            QStringLiteral("三略"),
                                            QStringLiteral("声律启蒙"),
                                            QStringLiteral("孙子兵法"),
                                            QStringLiteral("围炉夜话"),
                                            QStringLiteral("孝经"),
                                            QStringLiteral("幼学琼林"),
                                            QStringLiteral("增广贤文"),
                                            QStringLiteral("朱子家训"),
                                            QStringLiteral("名贤集"),
                                            QStringLiteral("姓氏起源"),
                                            QStringLiteral("孔子弟子简表"),
                                            QStringLiteral("各省名称由来"),
                                            QStringLiteral("中国古代称谓"),
                                            QStringLiteral("中国历史朝代"),
                                            QStringLiteral("汉语拼音方案"),
                                            QStringLiteral("毛泽东诗词"),
                                            QStringLiteral("中国百强大学校训"),
                                            QStringLiteral("二十四诗品"),
                                            QStringLiteral("古代汉语词曲牌名"),
                                            QStringLiteral("现代灯谜常用谜格"),
                                            QStringLiteral("汉语常见通假字"),
                                            QStringLiteral("五笔字根表"),
                                            QStringLiteral("万年历")};

// Secondary windows.
inline const QString kMoreCaption = QStringLiteral("我们还有更精彩的......");
inline const QString kMoreHeader = QStringLiteral("欢迎访问我们的软件网站，下载更多精彩的免费软件！");
inline const QStringList kMorePrograms
    = {QStringLiteral("明川\n五笔通"), QStringLiteral("明川\n拼音宝"), QStringLiteral("明川\n书法帖"),
       QStringLiteral("明川\n诗词库"), QStringLiteral("明川\n万年历"), QStringLiteral("明川\n记事本"),
       QStringLiteral("明川\n计算器"), QStringLiteral("明川\n识字卡")};
inline const QString kMoreFooter1 = QStringLiteral("老青禾软件工作室 出品");
inline const QString kMoreFooter2 = QStringLiteral("点击任意位置访问软件网站，了解更多");
inline const QString kLexiconCaption = QStringLiteral("现代汉语 - 在线辞海");
inline const QString kLexiconClose = QStringLiteral("关闭");
inline const QString kLexiconDisabled = QStringLiteral("功能未启用-青禾工作室");
inline const QString kLexiconBroken = QStringLiteral("程序错误，请重启!");
inline const QString kResultCaption = QStringLiteral("在线字典词典");

} // namespace mc::texts
