#pragma once
#include "search/searchtable.h"

#include <QMap>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace mc::store {
class Dataset;
enum class StoreId;
} // namespace mc::store

namespace mc::search {

// The main window's controls and datasets the searches work on, handed over by the window that
// builds them.
struct SearchControls {
    QWidget *window = nullptr; // the radical picker opens over it
    QMap<store::StoreId, store::Dataset *> datasets;
    QMap<SearchBox, QLineEdit *> boxes;
    QMap<SearchButton, QAbstractButton *> buttons;
    QMap<ModeControl, QComboBox *> modeLists;
    QAbstractButton *direction = nullptr;
    QAbstractButton *idiomHelp = nullptr;
    QAbstractButton *xiehouyuHelp = nullptr;
    QMap<store::StoreId, QAbstractButton *> orderButtons;
    QMap<store::StoreId, QAbstractButton *> refreshButtons;
};

// The radical picker window (TForm4), created hidden at start-up.
QWidget *createRadicalPicker();
// Wires the keyword searches, character modes, order and refresh buttons.
void install(const SearchControls &controls, QWidget *radicalPicker);

} // namespace mc::search
