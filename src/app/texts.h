#pragma once
#include <QString>

// The application shell's own texts.
namespace mc::texts {

inline const QString kAppTitle = QStringLiteral("明川字典词典");
inline const QString kMainCaption = QStringLiteral("明川字典词典 Z2020 build 01.01");

} // namespace mc::texts
