#include "platform/offlineroutes.h"

#include <QMap>

namespace mc::offline {
namespace {
QMap<QString, Route> &routes()
{
    static QMap<QString, Route> table;
    return table;
}
} // namespace

void addRoute(const QString &pathPrefix, Route route)
{
    routes().insert(pathPrefix, std::move(route));
}

std::optional<Reply> answer(const QUrl &url)
{
    const QString path = url.path();
    const Route *best = nullptr;
    qsizetype bestLength = -1;
    for (auto it = routes().cbegin(); it != routes().cend(); ++it) {
        if (path.startsWith(it.key()) && it.key().size() > bestLength) {
            best = &it.value();
            bestLength = it.key().size();
        }
    }
    if (!best)
        return std::nullopt;
    return (*best)(url);
}

void clearRoutes()
{
    routes().clear();
}

} // namespace mc::offline
