#include "platform/webschemes.h"

#include "mc/config.h"
#include "platform/offlineroutes.h"
#include "platform/webaddress.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QWebEngineUrlRequestJob>

namespace mc::web {
namespace {

void replyWith(QWebEngineUrlRequestJob *job, const QByteArray &contentType, const QByteArray &body)
{
    // The job reads the device on another thread until it is destroyed; tie the buffer to it.
    auto *buffer = new QBuffer(job);
    buffer->setData(body);
    buffer->open(QIODevice::ReadOnly);
    job->reply(contentType, buffer);
}

} // namespace

void ResourceSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    static const QRegularExpression number(QStringLiteral("^/([1-9][0-9]*)$"));
    const QRegularExpressionMatch match = number.match(url.path());
    if (url.host().compare(resourceHost(), Qt::CaseInsensitive) != 0 || !match.hasMatch()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QFile page(QStringLiteral(":/pages/") + match.captured(1));
    if (!page.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // No charset: the page's own declaration or the profile's default encoding applies.
    replyWith(job, QByteArrayLiteral("text/html"), page.readAll());
}

QByteArray localFileContentType(const QString &path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    const QString name = type.name();
    // Pages refer to pictures, style sheets and scripts beside them; everything else, whatever
    // its extension (.db, .dat, .txt), is a page.
    if (name.startsWith(u"image/") || name.startsWith(u"font/") || name == u"text/css"
        || name == u"application/javascript" || name == u"text/javascript")
        return name.toLatin1();
    return QByteArrayLiteral("text/html");
}

void LocalFileSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    const QString path = url.path();
    if (url.host().compare(QString::fromUtf16(kLocalFileHost), Qt::CaseInsensitive) != 0 || !QFileInfo(path).isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    replyWith(job, localFileContentType(path), file.readAll());
}

void OfflineSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    // Routes are written against the address the page asked for.
    QUrl original = job->requestUrl();
    original.setScheme(QStringLiteral("http"));
    original.setFragment(QString());
    const std::optional<offline::Reply> reply = offline::answer(original);
    if (!reply) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    replyWith(job, reply->mimeType, reply->body);
}

void OfflineRedirect::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    if ((url.scheme() != u"http" && url.scheme() != u"https")
        || url.host().compare(QStringLiteral(MC_OFFLINE_HOST), Qt::CaseInsensitive) != 0)
        return;
    QUrl target = url;
    target.setScheme(QString::fromUtf16(kOfflineScheme));
    target.setPort(-1);
    target.setUserInfo(QString());
    info.redirect(target);
}

void LocalFileFence::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!m_enabled)
        return;
    const QUrl url = info.requestUrl();
    if (!isLocalFileUrl(url))
        return;
    // The program's own navigation has no initiator; anything the page asks for has one.
    const bool programNavigation = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame
        && (info.navigationType() == QWebEngineUrlRequestInfo::NavigationTypeTyped
            || info.navigationType() == QWebEngineUrlRequestInfo::NavigationTypeReload)
        && !info.initiator().isValid();
    if (!programNavigation)
        info.block(true);
}

} // namespace mc::web
