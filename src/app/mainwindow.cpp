#include "app/mainwindow.h"
#include "app/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

namespace mc::app {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(texts::kMainCaption);
    for (const store::StoreInfo &info : store::stores())
        new store::Dataset(info.datasetName, this);
    resize(794, 614);
}

MainWindow::~MainWindow() = default;

store::Dataset *MainWindow::dataset(const QString &name) const
{
    return findChild<store::Dataset *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace mc::app
