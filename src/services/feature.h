#pragma once
#include <QString>

namespace mc::services {

// Registers the offline stand-ins for the remote services; dataDir holds the files the builder
// ships beside the stores (history events, stroke data) and the stores themselves.
void install(const QString &dataDir);

} // namespace mc::services
