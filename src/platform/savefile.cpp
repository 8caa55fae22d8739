#include "platform/savefile.h"
#include "core/error.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace mc::files {

void writeWhole(const QString &path, const QByteArray &bytes, const QString &shownName)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, and flushed before the commit: commit() alone can miss the failure of the last
    // buffered write and rename an empty file over the old one.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && file.flush() && file.error() == QFileDevice::NoError;
    if (written && file.commit())
        return;
    file.cancelWriting();
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() < bytes.size())
        throw Error(QStringLiteral("无法写入文件 %1：磁盘空间不足。").arg(shownName));
    throw Error(QStringLiteral("无法写入文件 %1。").arg(shownName));
}

} // namespace mc::files
