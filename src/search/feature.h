#pragma once
#include "search/searchtable.h"

#include <QMap>
#include <functional>
#include <memory>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace mc::store {
class Dataset;
enum class StoreId;
} // namespace mc::store

namespace mc::search {

class RadicalPicker;

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

// The section searches as the rest of the program reaches them (the quick lookup opens its
// entries through it), handed out by install(). Copies work the same controls; one made with
// no controls opens nothing. Use it only while the controls live.
class SectionSearch final {
public:
    SectionSearch() = default;

    // Finds headword in its store's section the way a user finds it there: the section's first
    // search (see firstSearch) in its mode, with headword in its keyword box, runs exactly as a
    // click on its search button runs it, report boxes and all; then the row holding headword
    // becomes current (a containment search may list more rows). Showing the section's page is
    // the caller's part. Returns whether the headword's row is current.
    bool open(store::StoreId store, const QString &headword) const;

private:
    friend SectionSearch install(const SearchControls &controls, std::function<RadicalPicker *()> radicalPicker);
    explicit SectionSearch(std::shared_ptr<const SearchControls> controls) : m_controls(std::move(controls)) {}

    std::shared_ptr<const SearchControls> m_controls;
};

// The radical picker window (TForm4), created hidden.
RadicalPicker *createRadicalPicker();
// Wires the keyword searches, character modes, order and refresh buttons, and hands out the
// section searches for the rest of the program. The picker is asked for when it is first opened.
SectionSearch install(const SearchControls &controls, std::function<RadicalPicker *()> radicalPicker);

} // namespace mc::search
