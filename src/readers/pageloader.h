#pragma once
#include <QString>
#include <chrono>

namespace mc::web {
class HtmlView;
}

namespace mc::readers {

// Navigates the view and waits, processing events, until that navigation's document completes;
// returns its root HTML. Throws mc::Error when the load fails, the view goes away or the time
// runs out, so a page that never completes cannot hold the program.
QString loadRootHtml(web::HtmlView *view, const QString &address, std::chrono::milliseconds limit);

} // namespace mc::readers
