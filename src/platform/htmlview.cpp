#include "platform/htmlview.h"

#include "core/error.h"
#include "platform/viewpage.h"
#include "platform/webprofile.h"

#include <QLoggingCategory>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

namespace mc::web {
namespace {

Q_LOGGING_CATEGORY(lcView, "mc.platform.view", QtInfoMsg)

// Runs beside the page's own scripts, so it works with the page's JavaScript switched off and
// cannot be fooled by what the page defines.
constexpr quint32 kWorld = QWebEngineScript::ApplicationWorld;

// The page is asked again this often while the document is not there yet, this many times.
constexpr int kProbePauseMs = 50;
constexpr int kProbeAttempts = 200;
// Chromium's code for a load that another one replaced.
constexpr int kAborted = -3;

const QString &snapshotScript()
{
    static const QString script
        = QStringLiteral("(function () {"
                         "  var body = document.body, root = document.documentElement;"
                         "  var head = [location.href, document.readyState, performance.timeOrigin];"
                         "  if (document.readyState !== 'complete') return head;"
                         "  return head.concat([document.title, body ? body.innerText : '',"
                         "                      root ? root.innerHTML : '']);"
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
    m_probeTimer.setSingleShot(true);
    connect(&m_probeTimer, &QTimer::timeout, this, &HtmlView::probe);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { emit progressChanged(progress, 100); });
    // The status of a load is not always reported under the load it belongs to: when one load
    // replaces another that is about to finish, the replaced one may report success (or its
    // failure under the new address) and the new one nothing at all. So an ending only says
    // that the page changed; what it shows now is asked of the page itself (see probe).
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        qCDebug(lcView) << objectName() << info.status() << info.url() << info.errorCode() << "while asked for"
                        << m_expected;
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadStartedStatus:
            // A load the page starts itself: the document shown goes, with any snapshot of it.
            if (m_expected.isEmpty()) {
                ++m_navigation;
                m_leavingOrigin = 0;
            } else if (sameDocument(info.url(), m_expected)) {
                m_started = true;
            }
            break;
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            m_reported = info.url();
            probeSoon(true);
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            // A failure reported before the load asked for has started is the replaced one's, even
            // under the new address; so is one under another address. The page is asked instead.
            if ((info.errorCode() == kAborted && !info.isErrorPage())
                || (!m_expected.isEmpty() && (!m_started || !sameDocument(info.url(), m_expected))))
                probeSoon(true);
            else
                onLoadFailed(info.url());
            break;
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            break;
        }
    });
}

HtmlView::~HtmlView()
{
    // The page answers the snapshots still on their way as it goes; they must find this view whole.
    m_closing = true;
    m_probeTimer.stop();
    delete m_page;
    m_page = nullptr;
}

void HtmlView::navigate(const QString &address)
{
    const QUrl url = urlForAddress(address);
    // A snapshot still on its way belongs to a document the caller has moved away from.
    ++m_navigation;
    m_expected = url;
    m_leaving = m_page->url();
    m_leavingOrigin = m_documentOrigin;
    m_reported.clear();
    m_started = false;
    m_askedAgain = false;
    m_page->load(url);
    // Even the end of the load it replaces may go unreported: the page is asked until it shows one.
    m_probes = 0;
    probeSoon(false);
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

void HtmlView::probeSoon(bool now)
{
    if (now)
        m_probes = 0;
    if (now || !m_probeTimer.isActive())
        m_probeTimer.start(now ? 0 : kProbePauseMs);
}

// Completes a document once the page shows one whole: loaded to the end and, after navigate(),
// the one asked for (or the one the load ended at after a redirect), never the document it
// replaced, even when that one has the same address. Anything short of that is asked again a
// moment later, until the navigation has its document or a newer one has begun.
void HtmlView::probe()
{
    const quint64 navigation = m_navigation;
    if (m_completed == navigation)
        return;
    ++m_probes;
    m_page->runJavaScript(snapshotScript(), kWorld, [this, navigation](const QVariant &result) {
        if (m_closing || navigation != m_navigation || m_completed == navigation)
            return; // a newer load has begun, or this one has its document already
        const QVariantList parts = result.toList();
        const QUrl shown(parts.value(0).toString());
        const double origin = parts.value(2).toDouble();
        const bool complete = parts.size() == 6 && parts.at(1).toString() == QLatin1String("complete");
        const bool replaced = origin == 0 || origin == m_leavingOrigin;
        const bool asked = m_expected.isEmpty()
            || (!replaced
                && (sameDocument(shown, m_expected)
                    || (!m_reported.isEmpty() && sameDocument(shown, m_reported) && !sameDocument(shown, m_leaving))));
        if (!complete || !asked) {
            if (m_probes < kProbeAttempts) {
                probeSoon(false);
            } else if (!asked && !m_askedAgain) {
                // The load asked for was lost with the one it replaced: ask for it once more.
                qCDebug(lcView) << objectName() << "still shows" << shown << "; asking again for" << m_expected;
                m_askedAgain = true;
                m_started = false;
                m_page->load(m_expected);
                probeSoon(true);
            } else if (!asked) {
                onLoadFailed(m_expected); // asked twice, shown neither time
            }
            return;
        }
        m_completed = navigation;
        m_expected.clear();
        m_documentOrigin = origin;
        m_title = parts.value(3).toString();
        m_bodyText = withCrLf(parts.value(4).toString());
        m_rootHtml = parts.value(5).toString();
        m_hasDocument = true;
        emit documentComplete(publicUrl(shown));
    });
}

void HtmlView::onLoadFailed(const QUrl &url)
{
    m_completed = m_navigation;
    m_expected.clear();
    // The view shows its own failure page, which is no document of ours.
    m_hasDocument = false;
    m_title.clear();
    m_bodyText.clear();
    m_rootHtml.clear();
    emit loadFailed(publicUrl(url));
}

} // namespace mc::web
