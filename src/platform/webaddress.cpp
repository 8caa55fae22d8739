#include "platform/webaddress.h"

#include "core/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace mc::web {

bool isLocalFileUrl(const QUrl &url)
{
    return url.scheme() == u"file" || url.scheme() == QStringView(kLocalFileScheme);
}

QUrl publicUrl(const QUrl &url)
{
    if (url.scheme() == QStringView(kLocalFileScheme)) {
        QUrl file = QUrl::fromLocalFile(url.path());
        file.setQuery(url.query(QUrl::FullyEncoded), QUrl::StrictMode);
        file.setFragment(url.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
        return file;
    }
    if (url.scheme() == QStringView(kOfflineScheme)) {
        QUrl web = url;
        web.setScheme(QStringLiteral("http"));
        return web;
    }
    return url;
}

QUrl urlForAddress(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        throw Error(QStringLiteral("网页地址为空。"));

    static const QStringList webSchemes = {QStringLiteral("http"),
                                           QStringLiteral("https"),
                                           QStringLiteral("about"),
                                           QStringLiteral("data"),
                                           QString::fromUtf16(kResourceScheme),
                                           QString::fromUtf16(kLocalFileScheme),
                                           QString::fromUtf16(kOfflineScheme)};
    QString path = trimmed;
    const QUrl url(trimmed);
    if (url.isValid() && url.scheme().size() > 1) {
        const QString scheme = url.scheme().toLower();
        if (webSchemes.contains(scheme))
            return url;
        if (scheme == u"file")
            path = url.toLocalFile();
    }
    // Anything else is a path: served through our own scheme, so it shows as HTML whatever
    // its extension.
    QUrl local;
    local.setScheme(QString::fromUtf16(kLocalFileScheme));
    local.setHost(QString::fromUtf16(kLocalFileHost));
    local.setPath(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), QUrl::DecodedMode);
    return local;
}

QString programFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString resourceHost(const QString &fileName)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9-]{1,63}(\\.[A-Za-z0-9-]{1,63})*$"));
    // A last label of digits (or 0x and hex digits) makes the browser read the host as an address.
    static const QRegularExpression number(QStringLiteral("(^|\\.)([0-9]+|0[xX][0-9A-Fa-f]*)$"));
    if (fileName.size() <= 253 && plain.match(fileName).hasMatch() && !number.match(fileName).hasMatch()
        && !fileName.startsWith(QLatin1String("u-"), Qt::CaseInsensitive))
        return fileName;
    const QByteArray hex = fileName.toUtf8().toHex();
    QStringList labels;
    for (qsizetype at = 0; at < hex.size() || labels.isEmpty(); at += 60)
        labels.append(QStringLiteral("u-") + QString::fromLatin1(hex.mid(at, 60)));
    return labels.join(u'.');
}

} // namespace mc::web
