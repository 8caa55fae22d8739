#pragma once
#include <QString>

// Texts shown by more than one part of the program.
namespace mc::texts {

inline const QString kAppTitle = QStringLiteral("明川字典词典");
inline const QString kNetworkError = QStringLiteral("网络暂时出错，请稍后再试！");

} // namespace mc::texts
