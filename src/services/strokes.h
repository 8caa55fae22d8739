#pragma once
#include "platform/offlineroutes.h"

#include <QByteArray>
#include <QString>

namespace mc::services {

// Answers "/chinese/hzxx/<character>.swf" with a page that draws the character stroke by stroke,
// over and over, from the stroke data in <dataDir>/strokes.db.
offline::Route strokesRoute(const QString &dataDir);

// The character's stroke data (hanzi-writer JSON); empty when the store has none.
QByteArray strokeData(const QString &storePath, const QString &character);

// The page for a character; without stroke data it says that none is available.
QByteArray strokePage(const QString &character, const QByteArray &data);

} // namespace mc::services
