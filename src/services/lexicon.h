#pragma once
#include "platform/offlineroutes.h"

#include <QString>

namespace mc::services {

// Distance of the search box from the page's top, in CSS pixels: inside the band the lexicon
// window's overlays leave open.
inline constexpr int kLexiconSearchTop = 136;

// The online lexicon's search page over the word store in dataDir; with a keyword, the words
// holding it follow the search box.
QByteArray lexiconPage(const QString &dataDir, const QString &keyword);

// Answers /search/?q=<keyword>&c=2.
offline::Route lexiconRoute(const QString &dataDir);

} // namespace mc::services
