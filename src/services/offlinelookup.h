#pragma once
#include "platform/offlineroutes.h"

#include <QString>
#include <QUrlQuery>

namespace mc::services {

// The query of a form submission: "+" stands for a space.
QUrlQuery formQuery(const QUrl &url);

// LIKE pattern (escape character "\\") for texts holding the keyword, its own % and _ literal.
QString likeHolding(const QString &keyword);

// Entry text as HTML: escaped, line breaks kept.
QString entryHtml(const QString &text);

// The online dictionary's answer page for a keyword, composed from the stores in dataDir: the
// entry of each character, the word and the idiom themselves, and words and idioms holding the
// keyword. Stores are opened read-only and shared, beside the program's own held copies.
QByteArray offlineLookupPage(const QString &dataDir, const QString &keyword);

// Answers /s?wd=<keyword>&from=poem.
offline::Route offlineLookupRoute(const QString &dataDir);

} // namespace mc::services
