#include "app/startup.h"
#include "core/error.h"
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

    auto dataset = [&datasets](const QString &name) {
        store::Dataset *found = datasets.value(name);
        if (!found)
            throw Error(store::unknownDatasetText(name));
        return found;
    };
    for (const store::StoreInfo &info : store::stores()) {
        store::Dataset *d = dataset(info.datasetName);
        d->setConnectionText(store::connectionText(store::storePath(info.id, folder), info.password));
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
    return folder;
}

} // namespace mc::app
