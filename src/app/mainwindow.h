#pragma once
#include <QMainWindow>

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The main window: section bar, menu and the eight pages. It owns the six datasets.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    store::Dataset *dataset(const QString &name) const;
};

} // namespace mc::app
