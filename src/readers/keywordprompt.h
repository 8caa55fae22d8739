#pragma once
#include <QString>

class QWidget;

namespace mc::readers {

// Longest keyword the online lookup's input box takes, in GB18030 bytes.
inline constexpr qsizetype kKeywordByteLimit = 255;

// The online lookup's input box: caption, prompt, empty default. Returns the entered text, or "" when
// cancelled; the box takes no more than the byte limit.
QString askKeyword(QWidget *parent);

} // namespace mc::readers
