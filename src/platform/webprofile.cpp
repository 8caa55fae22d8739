#include "platform/webprofile.h"

#include "platform/webschemes.h"

#include <QCoreApplication>
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
class ProfileOwner final {
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

// The variables setUpEngine set, with the values they had before (null: unset).
QList<QPair<const char *, QByteArray>> &engineVariables()
{
    static QList<QPair<const char *, QByteArray>> variables;
    return variables;
}

void setEngineVariable(const char *name, const QByteArray &value)
{
    engineVariables().append({name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()});
    qputenv(name, value);
}

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

void setUpEngine()
{
    // Chromium's default gives every view a page process of its own, even for pages of the same
    // site; ours are nearly all our own pages and share one. Other sites still get their own.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site"))
        setEngineVariable("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --process-per-site").trimmed());

    // Our pages are text and a few pictures, drawn once and scrolled. An OpenGL context costs the
    // process its driver (on most machines without a graphics card, a compiler for shaders as
    // well): about 64 MiB of the program's memory, more than every page together, and time at
    // start. Without it the web engine draws its pages in software and hands them over as
    // pictures.
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        return;
    setEngineVariable("QT_QUICK_BACKEND", "software");
    setEngineVariable("QT_XCB_GL_INTEGRATION", "none");
}

void restoreEnvironment()
{
    for (const auto &[name, value] : std::as_const(engineVariables())) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    engineVariables().clear();
}

QWebEngineProfile *profile()
{
    static ProfileOwner owner;
    return owner.profile();
}

} // namespace mc::web
