#pragma once
#include <QString>

// The program's own texts for read-aloud, the speech engine prompt, copying and stroke order.
namespace mc::speech::texts {

inline const QString kChineseTag = QStringLiteral("<LANG LANGID=\"804\">");
inline const QString kEnglishTag = QStringLiteral("<LANG LANGID=\"409\">");

inline const QString kLoadSpeechEngine = QStringLiteral("加载语音引擎");
inline const QString kLoadEngineQuestion = QStringLiteral("如果你听不到读音，\r\n\r\n你可以尝试加载语音引擎。");
inline const QString kInstallerFile = QStringLiteral("TTS5.msi");
// The prompt window opens the installer beside the program under this spelling.
inline const QString kPromptInstallerFile = QStringLiteral("TTS5.MSI");

inline const QString kPromptCaption = QStringLiteral("语音提示");
inline const QString kPromptText = QStringLiteral("要实现语音朗读功能，请点击下面的按钮");
inline const QString kPromptInstall = QStringLiteral("点击这里安装语音朗读功能");
inline const QString kPromptDontShow = QStringLiteral("以后不再显示本窗口提示");
inline const QString kPromptSettingsFile = QStringLiteral("setup.dll");
inline const QString kPromptSettingsKey = QStringLiteral("set/set");

inline const QString kViewerCaption = QStringLiteral("常用汉字笔顺");
inline const QString kNoStrokeOrder = QStringLiteral("该汉字无法查询笔顺");
inline const QString kStrokePath = QStringLiteral("/chinese/hzxx/");
inline const QString kStrokeSuffix = QStringLiteral(".swf");

inline const QString kClipboardFailed = QStringLiteral("无法打开剪贴板。");

} // namespace mc::speech::texts
