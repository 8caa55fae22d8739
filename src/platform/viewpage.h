#pragma once
#include "platform/webschemes.h"

#include <QWebEnginePage>

namespace mc::web {

// The page behind every HtmlView: it owns what a page may do on its own (dialogs, scripts,
// reaching local files).
class ViewPage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit ViewPage(QObject *parent = nullptr);

    void setSilent(bool silent) { m_silent = silent; }
    bool isSilent() const { return m_silent; }
    void setScriptsEnabled(bool on);
    void setLocalFilesIsolated(bool on);

protected:
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;

private:
    bool m_silent = false;
    LocalFileFence m_fence;
};

} // namespace mc::web
