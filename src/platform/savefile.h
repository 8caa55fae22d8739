#pragma once
#include <QByteArray>
#include <QString>

namespace mc::files {

// Writes bytes to path whole or not at all: into a new file beside it, renamed over the old one
// only once every byte is on disk. Throws mc::Error naming the file as shownName when it cannot
// (a full disk, a read-only folder); the old file is then unchanged.
void writeWhole(const QString &path, const QByteArray &bytes, const QString &shownName);

} // namespace mc::files
