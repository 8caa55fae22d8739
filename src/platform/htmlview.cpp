#include "platform/htmlview.h"

#include "core/error.h"
#include "platform/viewpage.h"
#include "platform/webprofile.h"

#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

namespace mc::web {
namespace {

// Runs beside the page's own scripts, so it works with the page's JavaScript switched off and
// cannot be fooled by what the page defines.
constexpr quint32 kWorld = QWebEngineScript::ApplicationWorld;

const QString &snapshotScript()
{
    static const QString script
        = QStringLiteral("(function () {"
                         "  var body = document.body, root = document.documentElement;"
                         "  return [document.title, body ? body.innerText : '', root ? root.innerHTML : ''];"
                         "})()");
    return script;
}

QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

} // namespace

HtmlView::HtmlView(QWidget *parent) : QWebEngineView(parent), m_page(new ViewPage(this))
{
    setPage(m_page);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { emit progressChanged(progress, 100); });
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            onLoadStarted();
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            onLoadSucceeded(info.url());
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            onLoadFailed(info.url());
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            break;
        }
    });
}

HtmlView::~HtmlView() = default;

void HtmlView::navigate(const QString &address)
{
    const QUrl url = urlForAddress(address);
    // A snapshot still on its way belongs to a document the caller has moved away from.
    ++m_generation;
    m_unstarted = url;
    m_page->load(url);
}

void HtmlView::requireDocument() const
{
    if (!m_hasDocument)
        throw Error(QStringLiteral("网页中没有文档。"));
}

QString HtmlView::title() const
{
    requireDocument();
    return m_title;
}

QString HtmlView::bodyText() const
{
    requireDocument();
    return m_bodyText;
}

QString HtmlView::rootHtml() const
{
    requireDocument();
    return m_rootHtml;
}

void HtmlView::setBodyOverflowHidden()
{
    requireDocument();
    m_page->runJavaScript(QStringLiteral("if (document.body) document.body.style.overflowX = 'hidden';"), kWorld);
}

void HtmlView::zoomMiddle()
{
    // Five text sizes, from 0 to 4; the middle one is the page's own size.
    setZoomFactor(1.0);
}

void HtmlView::setSilent(bool silent)
{
    m_page->setSilent(silent);
}

void HtmlView::setScriptsEnabled(bool on)
{
    m_page->setScriptsEnabled(on);
}

void HtmlView::setLocalFilesIsolated(bool on)
{
    m_page->setLocalFilesIsolated(on);
}

bool HtmlView::hasDocument() const
{
    return m_hasDocument;
}

void HtmlView::onLoadStarted()
{
    m_unstarted.clear();
    ++m_generation;
}

void HtmlView::onLoadSucceeded(const QUrl &url)
{
    const quint64 generation = m_generation;
    m_page->runJavaScript(snapshotScript(), kWorld, [this, url, generation](const QVariant &result) {
        if (generation != m_generation)
            return; // a newer load has begun; this document is gone
        const QVariantList parts = result.toList();
        m_title = parts.value(0).toString();
        m_bodyText = withCrLf(parts.value(1).toString());
        m_rootHtml = parts.value(2).toString();
        m_hasDocument = true;
        emit documentComplete(publicUrl(url));
    });
}

void HtmlView::onLoadFailed(const QUrl &url)
{
    // A load that fails while a newer one is asked for reports its failure under the newer
    // address, and the newer load then never starts: ask for it once more.
    if (!m_unstarted.isEmpty() && url == m_unstarted) {
        m_unstarted.clear();
        m_page->load(url);
        return;
    }
    // The view shows its own failure page, which is no document of ours.
    m_hasDocument = false;
    m_title.clear();
    m_bodyText.clear();
    m_rootHtml.clear();
    emit loadFailed(publicUrl(url));
}

} // namespace mc::web
