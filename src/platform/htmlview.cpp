#include "platform/htmlview.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWebEnginePage>

namespace mc::web {

class SilentPage final : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
};

HtmlView::HtmlView(QWidget *parent) : QWebEngineView(parent) {}
HtmlView::~HtmlView() = default;
void HtmlView::navigate(const QString &address) { setUrl(QUrl::fromUserInput(address)); }
QString HtmlView::title() const { return m_title; }
QString HtmlView::bodyText() const { return m_bodyText; }
QString HtmlView::rootHtml() const { return m_rootHtml; }
void HtmlView::setBodyOverflowHidden() { m_overflowHidden = true; }
void HtmlView::zoomMiddle() { setZoomFactor(1.0); }
void HtmlView::setSilent(bool) {}
void HtmlView::setScriptsEnabled(bool) {}
void HtmlView::setLocalFilesIsolated(bool) {}
bool HtmlView::hasDocument() const { return m_hasDocument; }
void HtmlView::onLoadFinished(bool) {}
void HtmlView::takeSnapshot(const QUrl &, quint64) {}
void HtmlView::applyOverflow() {}

QString programFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace mc::web
