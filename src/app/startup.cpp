#include "app/startup.h"
#include "platform/paths.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/storefile.h"
#include "store/stores.h"

#include <QDir>
#include <QFileInfo>

namespace mc::app {

QString openStores(const DatasetMap &datasets, const std::function<void(int)> &progress)
{
    QStringList files;
    for (const store::StoreInfo &info : store::stores())
        files.append(QFileInfo(info.file).fileName());
    const QString folder = paths::findStoreFolder(files);
    // Stores under the working directory are held on the files themselves, as always; shared
    // stores are held per user, so one user's copy never locks another user out.
    store::StoreFile::setLockFolder(folder == paths::storeFolders().constFirst() ? QString() : paths::cacheFolder());

    for (auto it = datasets.cbegin(); it != datasets.cend(); ++it) {
        const store::StoreInfo &info = store::storeInfo(it.key());
        store::Dataset *d = it.value();
        d->setConnectionText(store::connectionText(store::storePath(info.id, folder), info.password));
        d->setKeyColumns(info.keyColumns);
        d->setStoreTable(info.table, info.columns);
        d->setTitle(info.title);
        d->appendQuery(info.baseQuery);
    }
    for (const store::OpenStep &step : store::openingOrder()) {
        if (store::Dataset *d = datasets.value(step.store))
            d->open();
        if (progress)
            progress(step.progress);
    }
    return folder;
}

} // namespace mc::app
