#include "platform/textcodec.h"
#include "platform/savefile.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace mc::textcodec {

QByteArray encode(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

qsizetype byteLength(const QString &text)
{
    return encode(text).size();
}

QString truncateToBytes(const QString &text, qsizetype maxBytes)
{
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype step = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const qsizetype bytes = byteLength(text.mid(i, step));
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += step;
    }
    return text.left(i);
}

void writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encode(line);
        bytes += "\r\n";
    }
    files::writeWhole(path, bytes, QFileInfo(path).fileName());
}

} // namespace mc::textcodec
