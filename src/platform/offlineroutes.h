#pragma once
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

// The offline stand-ins for remote services register here; the web profile answers requests
// for the offline host from these routes.
namespace mc::offline {

struct Reply {
    QByteArray mimeType = QByteArrayLiteral("text/html;charset=utf-8");
    QByteArray body;
};

// A route answers a request or returns nothing ("not found").
using Route = std::function<std::optional<Reply>(const QUrl &url)>;

// Routes match by path prefix ("/chinese/hzxx/"); the longest matching prefix wins.
void addRoute(const QString &pathPrefix, Route route);
std::optional<Reply> answer(const QUrl &url);
void clearRoutes();

} // namespace mc::offline
