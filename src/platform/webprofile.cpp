#include "platform/webprofile.h"

#include "platform/error.h"
#include "platform/webschemes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlScheme>

namespace mc::web {
namespace {

QByteArray schemeName(const char16_t *scheme)
{
    return QString::fromUtf16(scheme).toLatin1();
}

// Sets the default profile up once and keeps the handlers alive as long as it lives.
class ProfileOwner final
{
public:
    ProfileOwner() : m_profile(QWebEngineProfile::defaultProfile())
    {
        QWebEngineSettings *settings = m_profile->settings();
        // Most of our pages and the generated ones carry no charset declaration.
        settings->setDefaultTextEncoding(QStringLiteral("GB18030"));
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);

        m_profile->installUrlSchemeHandler(schemeName(kResourceScheme), new ResourceSchemeHandler(m_profile));
        m_profile->installUrlSchemeHandler(schemeName(kLocalFileScheme), new LocalFileSchemeHandler(m_profile));
        m_profile->installUrlSchemeHandler(schemeName(kOfflineScheme), new OfflineSchemeHandler(m_profile));
        m_profile->setUrlRequestInterceptor(new OfflineRedirect(m_profile));
    }

    QWebEngineProfile *profile() const { return m_profile; }

private:
    QWebEngineProfile *m_profile;
};

} // namespace

void registerSchemes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Views in several windows share one rendering context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const auto add = [](const char16_t *name, QWebEngineUrlScheme::Flags flags) {
        QWebEngineUrlScheme scheme(schemeName(name));
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled | flags);
        QWebEngineUrlScheme::registerScheme(scheme);
    };
    add(kResourceScheme, QWebEngineUrlScheme::LocalAccessAllowed);
    // Local files are out of reach of web content: only pages that are themselves local or
    // ours may load them.
    add(kLocalFileScheme, QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    // The offline services stand in for remote ones and get no more than a web page would.
    add(kOfflineScheme, {});
}

QWebEngineProfile *profile()
{
    static ProfileOwner owner;
    return owner.profile();
}

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

    static const QStringList webSchemes = {
        QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("about"), QStringLiteral("data"),
        QString::fromUtf16(kResourceScheme), QString::fromUtf16(kLocalFileScheme),
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

} // namespace mc::web
