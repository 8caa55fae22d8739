#include "search/feature.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "search/keywordboxes.h"
#include "search/keywordsearch.h"
#include "search/listorder.h"
#include "search/radicalpicker.h"
#include "search/searchtable.h"
#include "search/texts.h"
#include "store/dataset.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSearch, "mc.search")

namespace mc::search {
namespace {

template <class T>
T *control(QWidget *mainWindow, const QString &name)
{
    T *found = mainWindow->findChild<T *>(name);
    if (!found)
        qCWarning(lcSearch) << "no control" << name;
    return found;
}

store::Dataset *dataset(QWidget *mainWindow, const QString &name)
{
    return control<store::Dataset>(mainWindow, name);
}

// The mode a search button runs in: the item of its mode list or the direction on its button.
int currentMode(QWidget *mainWindow, const QString &modeControl)
{
    if (modeControl.isEmpty())
        return 0;
    QObject *modeObject = mainWindow->findChild<QObject *>(modeControl);
    if (auto *combo = qobject_cast<QComboBox *>(modeObject))
        return combo->currentIndex();
    if (auto *button = qobject_cast<QAbstractButton *>(modeObject))
        return directions().indexOf(button->text());
    return -1;
}

void searchFrom(QWidget *mainWindow, const SearchEntry &any)
{
    const SearchEntry *entry = findSearch(any.button, currentMode(mainWindow, any.modeControl));
    if (!entry)
        return;
    auto *edit = control<QLineEdit>(mainWindow, entry->box);
    store::Dataset *data = dataset(mainWindow, sectionInfo(entry->section).dataset);
    if (!edit || !data)
        return;
    LineEditKeywordBox box(edit);
    runSearch(*entry, box, *data);
}

// Gives a mode list the items of the searches it chooses between.
void fillModes(QComboBox *combo)
{
    QStringList items;
    for (const SearchEntry &entry : searches()) {
        if (entry.modeControl == combo->objectName() && !items.contains(entry.modeCaption))
            items.append(entry.modeCaption);
    }
    QStringList present;
    for (int i = 0; i < combo->count(); ++i)
        present.append(combo->itemText(i));
    if (present == items)
        return;
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(0);
}

void wireSearches(QWidget *mainWindow)
{
    // Enter starts the search only in these boxes.
    const QStringList enterBoxes = {QStringLiteral("edit2"), QStringLiteral("Edit1")};
    QStringList buttons;
    QStringList boxes;
    QStringList modeLists;
    for (const SearchEntry &entry : searches()) {
        if (!buttons.contains(entry.button)) {
            buttons.append(entry.button);
            if (auto *button = control<QAbstractButton>(mainWindow, entry.button)) {
                QObject::connect(button, &QAbstractButton::clicked, button,
                                 [mainWindow, entry] { guarded([&] { searchFrom(mainWindow, entry); }); });
            }
        }
        if (!boxes.contains(entry.box)) {
            boxes.append(entry.box);
            if (auto *edit = control<QLineEdit>(mainWindow, entry.box)) {
                std::function<void()> onEnter;
                if (enterBoxes.contains(entry.box))
                    onEnter = [mainWindow, entry] { guarded([&] { searchFrom(mainWindow, entry); }); };
                new KeywordBoxWatcher(edit, onEnter);
            }
        }
        if (!entry.modeControl.isEmpty() && !modeLists.contains(entry.modeControl)) {
            modeLists.append(entry.modeControl);
            if (auto *combo = mainWindow->findChild<QComboBox *>(entry.modeControl))
                fillModes(combo);
        }
    }
}

void wireHelpAndDirection(QWidget *mainWindow)
{
    const QList<std::pair<QString, QString>> help = {{QStringLiteral("PDJButton4"), texts::kIdiomHelp},
                                                     {QStringLiteral("PDJButton6"), texts::kXiehouyuHelp}};
    for (const auto &[name, text] : help) {
        if (auto *button = control<QAbstractButton>(mainWindow, name)) {
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [text] { guarded([&] { Messages::current().information(text); }); });
        }
    }
    if (auto *direction = control<QAbstractButton>(mainWindow, QStringLiteral("PDJButton9"))) {
        QObject::connect(direction, &QAbstractButton::clicked, direction, [direction] {
            guarded([&] {
                direction->setText(direction->text() == texts::kEnglishToChinese ? texts::kChineseToEnglish
                                                                                 : texts::kEnglishToChinese);
            });
        });
    }
}

void wireListButtons(QWidget *mainWindow)
{
    for (const OrderButton &order : orderButtons()) {
        auto *button = control<QAbstractButton>(mainWindow, order.button);
        store::Dataset *data = dataset(mainWindow, order.dataset);
        if (!button || !data)
            continue;
        if (button->text().isEmpty())
            button->setText(order.startCaption);
        QObject::connect(button, &QAbstractButton::clicked, button, [order, button, data] {
            guarded([&] { button->setText(clickOrder(order, button->text(), *data)); });
        });
    }
    const QList<QAbstractButton *> all = mainWindow->findChildren<QAbstractButton *>();
    for (const RefreshButton &refresh : refreshButtons()) {
        store::Dataset *data = dataset(mainWindow, refresh.dataset);
        for (QAbstractButton *button : all) {
            if (data && button->text() == refresh.caption) {
                QObject::connect(button, &QAbstractButton::clicked, button, [refresh, data] {
                    guarded([&] { reloadWithBusy(*data, refresh.baseQuery); });
                });
            }
        }
    }
}

void wireRadicalPicker(QWidget *mainWindow, RadicalPicker *picker)
{
    auto *modes = control<QComboBox>(mainWindow, QStringLiteral("combobox1"));
    auto *keyword = control<QLineEdit>(mainWindow, QStringLiteral("edit2"));
    if (!modes || !keyword)
        return;
    // The radical search's item opens the picker.
    int radicalMode = -1;
    for (const SearchEntry &entry : searches()) {
        if (entry.modeControl == modes->objectName() && entry.fill == Fill::Radical)
            radicalMode = entry.mode;
    }
    QObject::connect(modes, &QComboBox::activated, picker, [mainWindow, picker, radicalMode](int index) {
        guarded([&] {
            if (index == radicalMode)
                picker->showOver(mainWindow);
        });
    });
    QObject::connect(picker, &RadicalPicker::confirmed, keyword,
                     [keyword](const QString &text) { guarded([&] { keyword->setText(text); }); });
}

} // namespace

QWidget *createRadicalPicker()
{
    return new RadicalPicker;
}

void install(QWidget *mainWindow, QWidget *radicalPicker)
{
    wireSearches(mainWindow);
    wireHelpAndDirection(mainWindow);
    wireListButtons(mainWindow);
    if (auto *picker = qobject_cast<RadicalPicker *>(radicalPicker))
        wireRadicalPicker(mainWindow, picker);
}

} // namespace mc::search
