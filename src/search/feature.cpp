#include "search/feature.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "search/keywordboxes.h"
#include "search/keywordsearch.h"
#include "search/listorder.h"
#include "search/radicalpicker.h"
#include "search/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>

Q_LOGGING_CATEGORY(lcSearch, "mc.search")

namespace mc::search {
namespace {

store::Dataset *sectionDataset(const SearchControls &controls, store::StoreId store)
{
    store::Dataset *data = controls.datasets.value(store);
    if (!data)
        qCWarning(lcSearch) << "no dataset for store" << int(store);
    return data;
}

// The mode a search button runs in: the item of its mode list or the direction on its button.
int currentMode(const SearchControls &controls, ModeControl modes)
{
    if (modes == ModeControl::None)
        return 0;
    if (modes == ModeControl::Direction)
        return controls.direction ? directions().indexOf(controls.direction->text()) : -1;
    const QComboBox *combo = controls.modeLists.value(modes);
    return combo ? combo->currentIndex() : -1;
}

void searchFrom(const SearchControls &controls, const SearchEntry &any)
{
    const SearchEntry *entry = findSearch(any.button, currentMode(controls, any.modeControl));
    if (!entry)
        return;
    QLineEdit *edit = controls.boxes.value(entry->box);
    store::Dataset *data = sectionDataset(controls, entry->store);
    if (!edit || !data)
        return;
    LineEditKeywordBox box(edit);
    runSearch(*entry, box, *data);
}

// Sets the mode list or the direction button to the search's mode, as the user would.
void chooseMode(const SearchControls &controls, const SearchEntry &entry)
{
    if (QComboBox *combo = controls.modeLists.value(entry.modeControl))
        combo->setCurrentIndex(entry.mode);
    else if (entry.modeControl == ModeControl::Direction && controls.direction)
        controls.direction->setText(directions().value(entry.mode));
}

// Makes the first row whose column holds value current.
bool selectRow(store::Dataset &data, const QString &column, const QString &value)
{
    int row = -1;
    guarded([&] { row = data.findRow(column, value); });
    if (row < 0)
        return false;
    data.setCurrentRow(row);
    return true;
}

// Gives a mode list the items of the searches it chooses between.
void fillModes(QComboBox *combo, ModeControl modes)
{
    const QStringList items = modeCaptions(modes);
    QStringList present;
    for (int i = 0; i < combo->count(); ++i)
        present.append(combo->itemText(i));
    if (present == items)
        return;
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(0);
}

void wireSearches(const SearchControls &controls)
{
    QList<SearchButton> buttons;
    QList<SearchBox> boxes;
    for (const SearchEntry &entry : searches()) {
        auto search = [controls, entry] { guarded([&] { searchFrom(controls, entry); }); };
        if (!buttons.contains(entry.button)) {
            buttons.append(entry.button);
            if (QAbstractButton *button = controls.buttons.value(entry.button))
                QObject::connect(button, &QAbstractButton::clicked, button, search);
            else
                qCWarning(lcSearch) << "no search button" << int(entry.button);
        }
        if (!boxes.contains(entry.box)) {
            boxes.append(entry.box);
            // Enter in a box does what its own search button does (the English box: the exact search).
            QAbstractButton *button = controls.buttons.value(entry.button);
            if (QLineEdit *edit = controls.boxes.value(entry.box))
                new KeywordBoxWatcher(edit, [button] {
                    if (button && button->isEnabled())
                        button->click();
                });
            else
                qCWarning(lcSearch) << "no keyword box" << int(entry.box);
        }
    }
    for (auto it = controls.modeLists.cbegin(); it != controls.modeLists.cend(); ++it)
        fillModes(it.value(), it.key());
}

void informOnClick(QAbstractButton *button, const QString &text)
{
    if (button) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [text] { guarded([&] { Messages::current().information(text); }); });
    }
}

void wireHelpAndDirection(const SearchControls &controls)
{
    informOnClick(controls.idiomHelp, texts::kIdiomHelp);
    informOnClick(controls.xiehouyuHelp, texts::kXiehouyuHelp);
    if (QAbstractButton *direction = controls.direction) {
        QObject::connect(direction, &QAbstractButton::clicked, direction, [direction] {
            guarded([&] {
                direction->setText(direction->text() == texts::kEnglishToChinese ? texts::kChineseToEnglish
                                                                                 : texts::kEnglishToChinese);
            });
        });
    }
}

void wireListButtons(const SearchControls &controls)
{
    for (const OrderButton &order : orderButtons()) {
        QAbstractButton *button = controls.orderButtons.value(order.store);
        store::Dataset *data = sectionDataset(controls, order.store);
        if (!button || !data)
            continue;
        if (button->text().isEmpty())
            button->setText(order.startCaption);
        QObject::connect(button, &QAbstractButton::clicked, button, [order, button, data] {
            guarded([&] { button->setText(clickOrder(order, button->text(), *data)); });
        });
    }
    for (auto it = controls.refreshButtons.cbegin(); it != controls.refreshButtons.cend(); ++it) {
        store::Dataset *data = sectionDataset(controls, it.key());
        if (!data || !it.value())
            continue;
        const QString baseQuery = store::storeInfo(it.key()).baseQuery;
        QObject::connect(it.value(), &QAbstractButton::clicked, it.value(),
                         [baseQuery, data] { guarded([&] { reloadWithBusy(*data, baseQuery); }); });
    }
}

void wireRadicalPicker(const SearchControls &controls, std::function<RadicalPicker *()> radicalPicker)
{
    QComboBox *modes = controls.modeLists.value(ModeControl::CharacterModes);
    QLineEdit *keyword = controls.boxes.value(SearchBox::Character);
    if (!modes || !keyword)
        return;
    // The radical search's item opens the picker.
    int radicalMode = -1;
    for (const SearchEntry &entry : searches()) {
        if (entry.modeControl == ModeControl::CharacterModes && entry.fill == Fill::Radical)
            radicalMode = entry.mode;
    }
    QWidget *window = controls.window;
    auto wired = std::make_shared<QPointer<RadicalPicker>>();
    QObject::connect(modes, &QComboBox::activated, keyword, [=](int index) {
        guarded([&] {
            if (index != radicalMode)
                return;
            RadicalPicker *picker = radicalPicker();
            if (*wired != picker) {
                *wired = picker;
                QObject::connect(picker, &RadicalPicker::confirmed, keyword,
                                 [keyword](const QString &text) { guarded([&] { keyword->setText(text); }); });
            }
            picker->showOver(window);
        });
    });
}

} // namespace

bool SectionSearch::open(store::StoreId store, const QString &headword) const
{
    const SearchEntry *entry = firstSearch(store);
    if (!m_controls || !entry)
        return false;
    const SearchControls &controls = *m_controls;
    QLineEdit *box = controls.boxes.value(entry->box);
    store::Dataset *data = sectionDataset(controls, store);
    if (!box || !data)
        return false;
    chooseMode(controls, *entry);
    box->setText(headword);
    guarded([&] { searchFrom(controls, *entry); });
    return selectRow(*data, store::storeInfo(store).headColumn(), headword);
}

RadicalPicker *createRadicalPicker()
{
    return new RadicalPicker;
}

SectionSearch install(const SearchControls &controls, std::function<RadicalPicker *()> radicalPicker)
{
    wireSearches(controls);
    wireHelpAndDirection(controls);
    wireListButtons(controls);
    if (radicalPicker)
        wireRadicalPicker(controls, std::move(radicalPicker));
    return SectionSearch(std::make_shared<const SearchControls>(controls));
}

} // namespace mc::search
