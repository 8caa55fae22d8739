#pragma once
#include <QString>
#include <QUrl>
#include <QWebEngineView>

namespace mc::web {

class SilentPage;

// A web view that shows web pages, local files of any extension as HTML, and the pages compiled
// into the program ("res://<program file name>/<n>"). When a document completes, its title, body
// text and root HTML are captured so callers can read them synchronously.
class HtmlView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit HtmlView(QWidget *parent = nullptr);
    ~HtmlView() override;

    // Returns at once; documentComplete or loadFailed follows.
    void navigate(const QString &address);

    QString title() const;    // of the last completed document
    QString bodyText() const; // rendered body text, lines joined by "\r\n"
    QString rootHtml() const; // innerHTML of the root element

    void setBodyOverflowHidden();
    void zoomMiddle();
    void setSilent(bool silent);
    void setScriptsEnabled(bool on);
    void setLocalFilesIsolated(bool on);
    bool hasDocument() const;

signals:
    void documentComplete(const QUrl &url);
    void progressChanged(int progress, int maximum);
    void loadFailed(const QUrl &url);

private:
    void onLoadFinished(bool ok);
    void takeSnapshot(const QUrl &url, quint64 generation);
    void applyOverflow();

    SilentPage *m_page = nullptr;
    QString m_title;
    QString m_bodyText;
    QString m_rootHtml;
    bool m_hasDocument = false;
    bool m_overflowHidden = false;
    quint64 m_generation = 0;
};

// File name of the running program: the host part of res:// addresses.
QString programFileName();

} // namespace mc::web
