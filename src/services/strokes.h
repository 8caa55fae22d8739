#pragma once
#include "learn/partsindex.h"
#include "platform/offlineroutes.h"

#include <QByteArray>
#include <QString>

namespace mc::services {

// Answers "/chinese/hzxx/<character>.swf" with a page that draws the character stroke by stroke,
// over and over, from the stroke data in <dataDir>/strokes.db.
offline::Route strokesRoute(const QString &dataDir);

// The character's stroke data (hanzi-writer JSON); empty when the store has none or it is damaged.
QByteArray strokeData(const QString &storePath, const QString &character);

// Stroke data as stored: compressed (its length as four bytes, most significant first, then a
// zlib stream, as qCompress writes it) or plain JSON. Empty when damaged.
QByteArray unpackStrokeData(const QByteArray &stored);

// The page for a character; without stroke data it says that none is available. With the
// character's parts (parts.db beside the stroke data), a pictophonetic character draws the strokes
// of its meaning component and of its sound component each in a colour of their own, named under
// the character.
QByteArray strokePage(const QString &character, const QByteArray &data, const learn::CharacterParts &parts = {});

} // namespace mc::services
