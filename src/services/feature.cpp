#include "services/feature.h"

namespace mc::services {

void install(const QString &) {}

} // namespace mc::services
