#include "services/feature.h"
#include "services/history.h"
#include "services/lexicon.h"
#include "services/offlinelookup.h"
#include "services/strokes.h"

namespace mc::services {

void install(const QString &dataDir)
{
    offline::addRoute(QStringLiteral("/scripts/flex/TodayOnHistory/"), historyRoute(dataDir));
    offline::addRoute(QStringLiteral("/s"), offlineLookupRoute(dataDir));
    offline::addRoute(QStringLiteral("/search/"), lexiconRoute(dataDir));
    offline::addRoute(QStringLiteral("/chinese/hzxx/"), strokesRoute(dataDir));
}

} // namespace mc::services
