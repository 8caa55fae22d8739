#pragma once
#include "platform/webaddress.h"

#include <QString>
#include <QTimer>
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
    void probeSoon(bool now);
    void probe();
    void onLoadFailed(const QUrl &url);

    ViewPage *m_page = nullptr;
    QString m_title;
    QString m_bodyText;
    QString m_rootHtml;
    bool m_hasDocument = false;
    bool m_closing = false;
    // Counts navigations (those asked for and those the page starts itself), so that a snapshot
    // arriving after the next one began is dropped; and the one that has its document.
    quint64 m_navigation = 0;
    quint64 m_completed = 0;
    // Documents are told apart by when their load began: a new load of the same address is
    // another document.
    double m_documentOrigin = 0; // of the document completed last
    double m_leavingOrigin = 0;  // of the one shown when navigate() was called
    QUrl m_expected;             // asked for by navigate(), not completed yet
    QUrl m_leaving;              // what the view showed (or was loading) when it was asked
    QUrl m_reported;             // where the last successful load said it ended
    bool m_started = false;      // the load asked for has reported its start
    bool m_askedAgain = false;   // the load asked for has been asked for a second time
    QTimer m_probeTimer;
    int m_probes = 0; // asked of the page since the last load ended
};

} // namespace mc::web
