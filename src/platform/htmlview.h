#pragma once
#include "platform/webaddress.h"

#include <QString>
#include <QUrl>
#include <QWebEngineView>

namespace mc::web {

class ViewPage;

// A web view that shows web pages, local files of any extension as HTML, and the pages compiled
// into the program ("res://<host for the program file name>/<n>"). When a document completes, its title, body
// text and root HTML are captured so callers can read them synchronously.
class HtmlView : public QWebEngineView {
    Q_OBJECT
public:
    explicit HtmlView(QWidget *parent = nullptr);
    ~HtmlView() override;

    // Returns at once; documentComplete or loadFailed follows. Throws mc::Error for an empty
    // address.
    void navigate(const QString &address);

    // Document access. Each throws mc::Error while the view holds no document (nothing
    // completed yet, or the last load failed).
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
    void requireDocument() const;
    void takeSnapshot(quint64 generation, int attempt, const QUrl &reported);
    void onLoadFailed(const QUrl &url);

    ViewPage *m_page = nullptr;
    QString m_title;
    QString m_bodyText;
    QString m_rootHtml;
    bool m_hasDocument = false;
    // Counts loads, so that a snapshot arriving after the next load started is dropped.
    quint64 m_generation = 0;
    QUrl m_expected;           // asked for by navigate(), not completed yet
    QUrl m_leaving;            // what the view showed (or was loading) when it was asked
    bool m_askedAgain = false; // the load asked for has been asked for a second time
};

} // namespace mc::web
