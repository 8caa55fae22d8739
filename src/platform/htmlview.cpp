#include "platform/htmlview.h"

#include "core/error.h"
#include "platform/viewpage.h"
#include "platform/webprofile.h"

#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

namespace mc::web {
namespace {

// Runs beside the page's own scripts, so it works with the page's JavaScript switched off and
// cannot be fooled by what the page defines.
constexpr quint32 kWorld = QWebEngineScript::ApplicationWorld;

// A snapshot is taken again this often while the document is not there yet, for this long.
constexpr int kSnapshotPauseMs = 50;
constexpr int kSnapshotAttempts = 200;
// Chromium's code for a load that another one replaced.
constexpr int kAborted = -3;

const QString &snapshotScript()
{
    static const QString script
        = QStringLiteral("(function () {"
                         "  var body = document.body, root = document.documentElement;"
                         "  return [location.href, document.readyState,"
                         "          document.title, body ? body.innerText : '', root ? root.innerHTML : ''];"
                         "})()");
    return script;
}

bool sameDocument(const QUrl &a, const QUrl &b)
{
    return publicUrl(a).matches(publicUrl(b),
                                QUrl::StripTrailingSlash | QUrl::NormalizePathSegments | QUrl::RemoveFragment);
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
    // The status of a load is not always reported under the load it belongs to: when one load
    // replaces another that is about to finish, the replaced one may report success (or its
    // failure under the new address) and the new one nothing at all. So an ending only says
    // that the page changed; what it shows now is asked of the page itself (see takeSnapshot).
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            ++m_generation; // a snapshot still on its way is of the document that goes
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            takeSnapshot(m_generation, 0, info.url());
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            if (info.errorCode() == kAborted && !info.isErrorPage())
                takeSnapshot(m_generation, 0, QUrl());
            else
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
    m_expected = url;
    m_leaving = m_page->url();
    m_askedAgain = false;
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

// Completes a document once the page shows one whole: loaded to the end and, after navigate(),
// the one asked for, or the one the load ended at after a redirect, never the one it replaced.
// Anything short of that is asked again a moment later, as long as no newer load has begun.
void HtmlView::takeSnapshot(quint64 generation, int attempt, const QUrl &reported)
{
    m_page->runJavaScript(snapshotScript(), kWorld, [this, generation, attempt, reported](const QVariant &result) {
        if (generation != m_generation)
            return; // a newer load has begun; this document is gone
        const QVariantList parts = result.toList();
        const QUrl shown(parts.value(0).toString());
        const bool complete = parts.size() == 5 && parts.at(1).toString() == QLatin1String("complete");
        const bool asked = m_expected.isEmpty() || sameDocument(shown, m_expected)
            || (!reported.isEmpty() && sameDocument(shown, reported) && !sameDocument(shown, m_leaving));
        if (!complete || !asked) {
            if (attempt < kSnapshotAttempts) {
                QTimer::singleShot(kSnapshotPauseMs, this, [this, generation, attempt, reported] {
                    if (generation == m_generation)
                        takeSnapshot(generation, attempt + 1, reported);
                });
            } else if (!asked && !m_askedAgain) {
                // The load asked for was lost with the one it replaced: ask for it once more.
                m_askedAgain = true;
                m_page->load(m_expected);
            }
            return;
        }
        m_expected.clear();
        m_title = parts.value(2).toString();
        m_bodyText = withCrLf(parts.value(3).toString());
        m_rootHtml = parts.value(4).toString();
        m_hasDocument = true;
        emit documentComplete(publicUrl(shown));
    });
}

void HtmlView::onLoadFailed(const QUrl &url)
{
    // An earlier load that failed after navigate() asked for another says nothing about that one.
    if (!m_expected.isEmpty() && !sameDocument(url, m_expected)) {
        takeSnapshot(m_generation, 0, QUrl());
        return;
    }
    m_expected.clear();
    // The view shows its own failure page, which is no document of ours.
    m_hasDocument = false;
    m_title.clear();
    m_bodyText.clear();
    m_rootHtml.clear();
    emit loadFailed(publicUrl(url));
}

} // namespace mc::web
