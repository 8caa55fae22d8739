#pragma once
#include "learn/practicesheet.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace mc::learn {

// The characters of a text a sheet is made for: its Han characters, each once, in order.
QStringList sheetCharacters(const QString &text);

// A character's stroke data (JSON), empty when there is none.
using StrokeReader = std::function<QByteArray(const QString &character)>;

// The sheet's rows for the characters: the everyday reading from the character store
// <dataDir>/xhb.db (none when the store lacks it or is missing) and the strokes from the reader.
QList<SheetCharacter> loadSheetCharacters(const QStringList &characters, const QString &dataDir,
                                          const StrokeReader &strokes);

} // namespace mc::learn
