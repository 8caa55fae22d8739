#include "app/startup.h"
#include "core/error.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/stores.h"

namespace mc::app {

void openStores(const DatasetMap &datasets, const std::function<void(int)> &progress)
{
    auto dataset = [&datasets](const QString &name) {
        store::Dataset *found = datasets.value(name);
        if (!found)
            throw Error(QStringLiteral("程序内部错误：找不到列表 %1。").arg(name));
        return found;
    };
    for (const store::StoreInfo &info : store::stores()) {
        store::Dataset *d = dataset(info.datasetName);
        d->setConnectionText(store::connectionText(info.file, info.password));
        d->setKeyColumns(info.keyColumns);
        d->setStoreTable(info.table, info.columns);
        d->setTitle(info.title);
    }
    for (const store::StoreInfo &info : store::stores())
        dataset(info.datasetName)->appendQuery(info.baseQuery);
    for (const store::OpenStep &step : store::openingOrder()) {
        dataset(step.datasetName)->open();
        if (progress)
            progress(step.progress);
    }
}

} // namespace mc::app
