#pragma once
#include <QString>

// Texts of the parts finder, the structure block and the practice sheets, exactly as shown.
namespace mc::learn::texts {
// Structures, named after the first operator of the character's description sequence.
inline const QString kSingle = QStringLiteral("独体字");
inline const QString kLeftRight = QStringLiteral("左右结构");
inline const QString kLeftMiddleRight = QStringLiteral("左中右结构");
inline const QString kTopBottom = QStringLiteral("上下结构");
inline const QString kTopMiddleBottom = QStringLiteral("上中下结构");
inline const QString kEnclosed = QStringLiteral("全包围结构");
inline const QString kOpenBelow = QStringLiteral("半包围结构（上三包围）");
inline const QString kOpenAbove = QStringLiteral("半包围结构（下三包围）");
inline const QString kOpenRight = QStringLiteral("半包围结构（左三包围）");
inline const QString kFromTopLeft = QStringLiteral("半包围结构（左上包围）");
inline const QString kFromTopRight = QStringLiteral("半包围结构（右上包围）");
inline const QString kFromBottomLeft = QStringLiteral("半包围结构（左下包围）");
inline const QString kInterwoven = QStringLiteral("穿插结构");
inline const QString kTriangle = QStringLiteral("品字结构");

inline const QString kPictographic = QStringLiteral("象形字");
inline const QString kIdeographic = QStringLiteral("会意字");
inline const QString kIndicative = QStringLiteral("指事字");
inline const QString kPictophonetic = QStringLiteral("形声字");

// The structure block: its heading, then lines of label and value.
inline const QString kStructureHeading = QStringLiteral("字的构成");
inline const QString kStructureLabel = QStringLiteral("结构：");
inline const QString kPartsLabel = QStringLiteral("部件：");
inline const QString kFormationLabel = QStringLiteral("造字：");
inline const QString kEnglishLabel = QStringLiteral("英文：");
inline const QString kMeaningPart = QStringLiteral("形旁 %1");
inline const QString kSoundPart = QStringLiteral("声旁 %1");
inline const QString kPartSeparator = QStringLiteral("、");
inline const QString kClauseSeparator = QStringLiteral("，");

// Practice sheets.
inline const QString kSheetTitle = QStringLiteral("字帖");
inline const QString kSheetDate = QStringLiteral("yyyy年M月d日");
inline const QString kNoStrokeOrder = QStringLiteral("以下字暂无笔顺数据，只有范字：%1");
inline const QString kPageNumber = QStringLiteral("第 %1 页 / 共 %2 页");

// The parts panel of the quick lookup.
inline const QString kPartsButton = QStringLiteral("部件");
inline const QString kPicked = QStringLiteral("已选部件：%1");
inline const QString kPickHint = QStringLiteral("点选部件（可重复点选），或在查询框输入“+”加部件，如 +木子");
inline const QString kUndoPick = QStringLiteral("撤销");
inline const QString kClearPicks = QStringLiteral("清除");
inline const QString kFound = QStringLiteral("找到 %1 个字");
inline const QString kFoundFirst = QStringLiteral("找到 %1 个字，列出最常用的 %2 个");
inline const QString kNoneFound = QStringLiteral("没有同时含这些部件的字");
inline const QString kStrokeGroup = QStringLiteral("%1画");

// The practice sheet dialog.
inline const QString kMakeSheet = QStringLiteral("生成字帖…");
inline const QString kSheetDialogTitle = QStringLiteral("生成字帖");
inline const QString kSheetText = QStringLiteral("练习的字：");
inline const QString kSheetTitleLabel = QStringLiteral("标题：");
inline const QString kSheetCells = QStringLiteral("每行格数：");
inline const QString kSheetTracing = QStringLiteral("描红个数：");
inline const QString kSheetGrid = QStringLiteral("格子：");
inline const QString kGridTian = QStringLiteral("田字格");
inline const QString kGridMi = QStringLiteral("米字格");
inline const QString kSavePdf = QStringLiteral("保存 PDF…");
inline const QString kPrint = QStringLiteral("打印…");
inline const QString kClose = QStringLiteral("关闭");
inline const QString kSheetSummary = QStringLiteral("%1 个字，%2 页");
inline const QString kNoCharacters = QStringLiteral("请输入要练习的汉字");
inline const QString kPdfFilter = QStringLiteral("PDF 文件 (*.pdf)");
inline const QString kSaved = QStringLiteral("字帖已保存到 %1");
} // namespace mc::learn::texts
