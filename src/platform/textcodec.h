#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Where text must be measured or stored as 8-bit Chinese text, it goes through GB18030.
namespace mc::textcodec {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Length of the text in GB18030 bytes.
qsizetype byteLength(const QString &text);

// The longest prefix of text whose encoding fits in maxBytes, never splitting a character.
QString truncateToBytes(const QString &text, qsizetype maxBytes);

// Writes lines ending in CR LF, GB18030, no byte-order mark, replacing the file only once the
// whole text is on disk. Throws mc::Error on failure; the old file is then unchanged.
void writeLines(const QString &path, const QStringList &lines);

} // namespace mc::textcodec
