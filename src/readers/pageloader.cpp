#include "readers/pageloader.h"
#include "core/error.h"
#include "platform/htmlview.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace mc::readers {

QString loadRootHtml(web::HtmlView *view, const QString &address, std::chrono::milliseconds limit)
{
    enum class Outcome { Waiting, Complete, Failed };
    Outcome outcome = Outcome::Waiting;
    QPointer<web::HtmlView> guard(view);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(view, &QObject::destroyed, &loop, &QEventLoop::quit);
    // The view completes or fails only the navigation asked for last: a completion still on its
    // way from the previous page never counts as this one.
    QObject::connect(view, &web::HtmlView::documentComplete, &loop, [&] {
        outcome = Outcome::Complete;
        loop.quit();
    });
    QObject::connect(view, &web::HtmlView::loadFailed, &loop, [&] {
        outcome = Outcome::Failed;
        loop.quit();
    });
    view->navigate(address);
    timer.start(limit);
    if (outcome == Outcome::Waiting)
        loop.exec();
    if (!guard)
        throw Error(QStringLiteral("网页窗口已关闭。"));
    QObject::disconnect(view, nullptr, &loop, nullptr);
    switch (outcome) {
    case Outcome::Complete:
        return view->rootHtml();
    case Outcome::Failed:
        throw Error(QStringLiteral("无法打开网页 %1。").arg(address));
    case Outcome::Waiting:
        break;
    }
    throw Error(QStringLiteral("网页 %1 未能按时载入。").arg(address));
}

} // namespace mc::readers
