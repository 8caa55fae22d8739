#include "app/widgets/historypanel.h"
#include "app/widgets/widgets.h"
#include "core/error.h"
#include "lookup/texts.h"
#include "platform/messages.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mc::app {
namespace {

enum Column { StarColumn, KeyColumn, PinyinColumn, ExplanationColumn };
constexpr int kEntryRole = Qt::UserRole;

QTreeWidget *makeList(const QString &objectName, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(objectName);
    list->setColumnCount(4);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

} // namespace

HistoryPanel::HistoryPanel(lookup::UserData &data, QWidget *parent)
    : QWidget(parent),
      m_data(data),
      m_history(makeList(QStringLiteral("historyList"), this)),
      m_favourites(makeList(QStringLiteral("favouritesList"), this))
{
    setObjectName(QStringLiteral("historyPanel"));
    closeOnEscape(this);
    auto *exportButton = new QPushButton(QStringLiteral("导出…"), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    connect(exportButton, &QPushButton::clicked, this, &HistoryPanel::onExportClicked);
    auto *sheetButton = new QPushButton(QStringLiteral("生成字帖…"), this);
    sheetButton->setObjectName(QStringLiteral("sheetButton"));
    connect(sheetButton, &QPushButton::clicked, this, [this] { emit sheetRequested(wordBookText()); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("查询记录"), this));
    layout->addWidget(m_history, 3);
    auto *bookTitle = new QHBoxLayout;
    bookTitle->addWidget(new QLabel(QStringLiteral("生词本"), this));
    bookTitle->addStretch();
    bookTitle->addWidget(sheetButton);
    bookTitle->addWidget(exportButton);
    layout->addLayout(bookTitle);
    layout->addWidget(m_favourites, 2);

    for (QTreeWidget *list : {m_history, m_favourites}) {
        connect(list, &QTreeWidget::itemClicked, this, &HistoryPanel::onItemClicked);
        connect(list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
            emit entryActivated(item->data(StarColumn, kEntryRole).value<lookup::Entry>());
        });
    }
    const auto refill = [this] {
        fill(m_history, m_data.history());
        fill(m_favourites, m_data.favourites());
    };
    // A star shows in both lists, so either change refills both.
    connect(&m_data, &lookup::UserData::historyChanged, this, refill);
    connect(&m_data, &lookup::UserData::favouritesChanged, this, refill);
    refill();
}

QString HistoryPanel::wordBookText() const
{
    QStringList keys;
    for (const lookup::Entry &entry : m_data.favourites())
        keys.append(entry.key);
    return keys.join(u' ');
}

void HistoryPanel::fill(QTreeWidget *list, const QList<lookup::Entry> &entries)
{
    list->clear();
    for (const lookup::Entry &entry : entries) {
        const bool favourite = list == m_favourites || m_data.isFavourite(entry.store, entry.key);
        const QString explanation = entry.explanation.section(u'\n', 0, 0);
        auto *item = new QTreeWidgetItem(
            list, {favourite ? lookup::texts::kStarOn : lookup::texts::kStarOff, entry.key, entry.pinyin, explanation});
        item->setData(StarColumn, kEntryRole, QVariant::fromValue(entry));
        item->setToolTip(StarColumn, favourite ? lookup::texts::kRemoveFavourite : lookup::texts::kAddFavourite);
        item->setToolTip(ExplanationColumn, entry.explanation);
    }
}

void HistoryPanel::onItemClicked(QTreeWidgetItem *item, int column)
{
    if (column == StarColumn)
        m_data.toggleFavourite(item->data(StarColumn, kEntryRole).value<lookup::Entry>());
}

void HistoryPanel::onExportClicked()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出生词本"),
                                                      QDir::home().filePath(QStringLiteral("生词本.csv")),
                                                      QStringLiteral("CSV 文件 (*.csv)"));
    if (!path.isEmpty())
        exportTo(path);
}

bool HistoryPanel::exportTo(const QString &path)
{
    try {
        m_data.exportCsv(path);
        return true;
    } catch (const Error &e) {
        Messages::current().error(errorReportText(e.text()));
        return false;
    }
}

} // namespace mc::app
