#include "learn/sheetsource.h"
#include "core/error.h"
#include "learn/partsindex.h"
#include "store/storefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <memory>

namespace mc::learn {

QStringList sheetCharacters(const QString &text)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString &c : codePoints(text)) {
        if (QChar::script(c.toUcs4().value(0)) != QChar::Script_Han || seen.contains(c))
            continue;
        seen.insert(c);
        out.append(c);
    }
    return out;
}

QList<SheetCharacter> loadSheetCharacters(const QStringList &characters, const QString &dataDir,
                                          const StrokeReader &strokes)
{
    std::unique_ptr<store::StoreFile> store;
    const QString file = QDir(dataDir).filePath(QStringLiteral("xhb.db"));
    try {
        if (QFileInfo::exists(file))
            store = std::make_unique<store::StoreFile>(file, false);
    } catch (const Error &) {
        // no readings then; the sheet is still worth having
    }
    QList<SheetCharacter> out;
    for (const QString &c : characters) {
        SheetCharacter sc{c, {}, strokes ? strokes(c) : QByteArray()};
        if (store) {
            store::Statement row(*store, QStringLiteral("SELECT spell FROM hz WHERE name = ? LIMIT 1"), {c});
            // "xíng,háng": the everyday reading comes first.
            if (row.next())
                sc.pinyin = row.text(0).section(u',', 0, 0).trimmed();
        }
        out.append(sc);
    }
    return out;
}

} // namespace mc::learn
