#pragma once
#include "learn/partsindex.h"

#include <QString>
#include <QStringList>

namespace mc::learn {

// The structure named after the first operator of a description sequence ("⿰土也" is 左右结构;
// three equal parts stacked as 品 are 品字结构); a character without parts is 独体字.
QString structureName(const QString &ids);

// 象形字, 会意字, 形声字 … for the data's kind of character; empty for none.
QString formationName(const QString &kind);

// The structure block of a character's entry, one line each: its structure, its first-level
// parts, how it was formed (with 形旁 and 声旁 for a pictophonetic character), and, marked 英文,
// the data's English note only when nothing else explains the character: the caller says whether
// its entry has an explanation of its own. Empty for a character the data does not know.
//   结构：左右结构
//   部件：土、也
//   造字：形声字，形旁 土，声旁 也
QStringList structureLines(const CharacterParts &parts, bool explainedElsewhere = true);

} // namespace mc::learn
