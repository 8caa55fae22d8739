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

// Lines of the structure block: label, then the value.
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
} // namespace mc::learn::texts
