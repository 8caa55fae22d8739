#pragma once
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

// The handlers behind the program's URL schemes and the interceptors that steer requests to
// them. Only the web profile and the view's page create these.
namespace mc::web {

// res://<host for the program file name>/<n> → the compiled page :/pages/<n>.
class ResourceSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override;
};

// mc-file://local/<path> → the file, as HTML unless its extension names a web resource type.
class LocalFileSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override;
};

// mc-offline://<host>/<path> → the offline route for http://<host>/<path>.
class OfflineSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override;
};

// Profile-wide: sends requests for the offline host to the offline scheme.
class OfflineRedirect final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};

// Per page: when on, the page may not load or open local files; only the document the program
// itself navigated to is let through.
class LocalFileFence final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    bool m_enabled = false;
};

// Content type a local file is served with.
QByteArray localFileContentType(const QString &path);

} // namespace mc::web
