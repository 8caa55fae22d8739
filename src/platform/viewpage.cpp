#include "platform/viewpage.h"

#include "platform/webprofile.h"

#include <QWebEngineSettings>

namespace mc::web {

ViewPage::ViewPage(QObject *parent) : QWebEnginePage(web::profile(), parent)
{
    setUrlRequestInterceptor(&m_fence);
}

void ViewPage::setScriptsEnabled(bool on)
{
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, on);
}

void ViewPage::setLocalFilesIsolated(bool on)
{
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, !on);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, !on);
    m_fence.setEnabled(on);
}

void ViewPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (!m_silent)
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool ViewPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    // Silently agreeing also lets a page's "leave this page?" question through, so such a page
    // cannot hold the view.
    return m_silent || QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool ViewPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                QString *result)
{
    if (m_silent)
        return false;
    return QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}

void ViewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                        const QString &sourceID)
{
    if (!m_silent)
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

} // namespace mc::web
