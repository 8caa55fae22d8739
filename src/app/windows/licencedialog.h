#pragma once
#include <QDialog>

namespace mc::app {

// Where the dictionary data comes from and under which licences it is used.
class LicenceDialog final : public QDialog {
    Q_OBJECT
public:
    explicit LicenceDialog(QWidget *parent);
    static QString noticePath(); // the notice page compiled into the program
};

} // namespace mc::app
