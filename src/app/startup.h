#pragma once
#include "store/stores.h"

#include <QMap>
#include <QString>
#include <functional>

namespace mc::store {
class Dataset;
}

namespace mc::app {

using DatasetMap = QMap<store::StoreId, store::Dataset *>;

// Finds the stores' folder (see paths::storeFolders), gives each dataset its connection text and
// base query, then opens them in the fixed order, reporting the progress reached after each.
// Returns the folder. Throws mc::Error at the first store that fails.
QString openStores(const DatasetMap &datasets, const std::function<void(int)> &progress);

} // namespace mc::app
