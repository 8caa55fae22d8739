#include "services/feature.h"
#include "services/strokes.h"

namespace mc::services {

void install(const QString &dataDir)
{
    offline::addRoute(QStringLiteral("/chinese/hzxx/"), strokesRoute(dataDir));
}

} // namespace mc::services
