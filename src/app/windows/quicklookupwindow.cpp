#include "app/windows/quicklookupwindow.h"
#include "app/learn/learnhooks.h"
#include "app/widgets/handwritingpad.h"
#include "app/widgets/widgets.h"
#include "lookup/entryreader.h"
#include "lookup/quicklookupservice.h"
#include "lookup/scriptchoice.h"
#include "lookup/texts.h"
#include "lookup/userdata.h"
#include "platform/guard.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mc::app {
namespace {

enum Role { StoreRole = Qt::UserRole, RowRole, HeadRole, MoreRole };

store::StoreId storeOf(const QTreeWidgetItem *item)
{
    return store::StoreId(item->data(0, StoreRole).toInt());
}

// Labels of the fields the detail pane shows; columns not named here are not shown.
QString fieldLabel(const QString &column)
{
    static const QHash<QString, QString> labels = {
        {QStringLiteral("name"), QStringLiteral("名称")},       {QStringLiteral("oldname"), QStringLiteral("繁体")},
        {QStringLiteral("word"), QStringLiteral("词语")},       {QStringLiteral("ord"), QStringLiteral("繁体")},
        {QStringLiteral("spell"), QStringLiteral("拼音")},      {QStringLiteral("pyjm"), QStringLiteral("拼音简码")},
        {QStringLiteral("part"), QStringLiteral("部首")},       {QStringLiteral("sum"), QStringLiteral("部外笔画")},
        {QStringLiteral("strokes"), QStringLiteral("总笔画")},  {QStringLiteral("wbcode"), QStringLiteral("五笔")},
        {QStringLiteral("areacode"), QStringLiteral("区位码")}, {QStringLiteral("content"), QStringLiteral("解释")},
        {QStringLiteral("derivation"), QStringLiteral("出处")}, {QStringLiteral("samples"), QStringLiteral("示例")},
        {QStringLiteral("end1"), QStringLiteral("后半句")},     {QStringLiteral("单词"), QStringLiteral("单词")},
        {QStringLiteral("解释"), QStringLiteral("解释")},
    };
    return labels.value(column);
}

QString entryHtml(const QList<QPair<QString, QString>> &fields)
{
    QString html;
    for (const auto &[column, value] : fields) {
        const QString label = fieldLabel(column);
        if (label.isEmpty() || value.trimmed().isEmpty())
            continue;
        html += QStringLiteral("<p><b>%1</b><br>%2</p>")
                    .arg(label.toHtmlEscaped(),
                         lookup::ScriptChoice::instance().shown(value).toHtmlEscaped().replace(u'\n',
                                                                                               QStringLiteral("<br>")));
    }
    return html;
}

} // namespace

QuickLookupWindow::QuickLookupWindow(QuickLookupActions actions, lookup::UserData *userData, const QString &dataDir,
                                     QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_actions(std::move(actions)),
      m_service(new lookup::QuickLookupService(dataDir, this)),
      m_reader(std::make_unique<lookup::EntryReader>(dataDir)),
      m_box(new QLineEdit(this)),
      m_problem(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_entry(new QTextBrowser(this)),
      m_star(new QToolButton(this)),
      m_handwriting(new QToolButton(this)),
      m_userData(userData),
      m_dataDir(dataDir)
{
    setObjectName(QStringLiteral("QuickLookup"));
    setWindowTitle(lookup::texts::kWindowTitle);
    closeOnEscape(this);
    m_box->setObjectName(QStringLiteral("QuickLookupBox"));
    m_box->setClearButtonEnabled(true);
    m_problem->setObjectName(QStringLiteral("QuickLookupProblem"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->hide();
    m_list->setObjectName(QStringLiteral("QuickLookupList"));
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_entry->setObjectName(QStringLiteral("QuickLookupEntry"));
    auto *readAloud = new QPushButton(lookup::texts::kReadAloud, this);
    readAloud->setObjectName(QStringLiteral("QuickLookupReadAloud"));
    auto *copy = new QPushButton(lookup::texts::kCopy, this);
    copy->setObjectName(QStringLiteral("QuickLookupCopy"));
    m_star->setObjectName(QStringLiteral("QuickLookupStar"));
    m_star->setVisible(m_userData != nullptr);
    QFont starFont = m_star->font();
    starFont.setPointSizeF(starFont.pointSizeF() * 1.4);
    m_star->setFont(starFont);
    m_handwriting->setObjectName(QStringLiteral("QuickLookupHandwriting"));
    m_handwriting->setText(lookup::texts::kHandwriting);
    m_handwriting->setCheckable(true);
    auto *history = new QAction(lookup::texts::kHistoryItem, this);
    history->setObjectName(QStringLiteral("QuickLookupHistory"));
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    addAction(history);

    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_entry);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_star);
    buttons->addStretch();
    buttons->addWidget(readAloud);
    buttons->addWidget(copy);
    rightLayout->addLayout(buttons);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_list);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 2);
    auto *top = new QHBoxLayout;
    top->addWidget(m_box);
    top->addWidget(m_handwriting);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_problem);
    layout->addWidget(splitter);

    resize(760, 520);
    // Where the user left it; the first time, over the main window.
    if (!restoreGeometry(QSettings().value(QStringLiteral("quickLookup/geometry")).toByteArray()))
        centreOverOnFirstShow(this, parent);

    connect(m_box, &QLineEdit::textChanged, m_service, &lookup::QuickLookupService::search);
    connect(m_box, &QLineEdit::textEdited, this, [this] { m_wanted.reset(); });
    connect(m_box, &QLineEdit::returnPressed, this, [this] {
        QTreeWidgetItem *item = m_list->currentItem();
        activate(item && item->data(0, RowRole).isValid() ? item : firstHit());
    });
    connect(m_service, &lookup::QuickLookupService::resultsReady, this, &QuickLookupWindow::showResults);
    // Said once, in the window: every keystroke fails the same way, and a box each time would be
    // in the way of the sections' own searches, which work without the index.
    connect(m_service, &lookup::QuickLookupService::failed, this, [this](const QString &message) {
        if (!m_problem->isHidden())
            return;
        m_problem->setText(lookup::texts::kIndexUnavailable.arg(message));
        m_problem->show();
    });
    connect(m_service, &lookup::QuickLookupService::groupReady, this,
            [this](const QString &, const lookup::GroupResult &r) { showGroup(r); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) { showEntry(item); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { activate(item); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { activate(item); });
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, MoreRole).toBool())
            activate(item);
        else if (item == m_list->currentItem())
            remember(); // also the hit the window picked, clicked
    });
    connect(readAloud, &QPushButton::clicked, this, [this] {
        if (m_store && m_actions.readAloud)
            guarded([this] { m_actions.readAloud(*m_store, m_fields); });
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        if (m_store && m_actions.copy)
            guarded([this] { m_actions.copy(*m_store, m_fields); });
    });
    connect(m_star, &QToolButton::clicked, this, [this] {
        if (m_userData && m_store)
            m_userData->toggleFavourite(lookup::entryOf(*m_store, m_fields));
    });
    if (m_userData)
        connect(m_userData, &lookup::UserData::favouritesChanged, this, &QuickLookupWindow::updateStar);
    connect(m_handwriting, &QToolButton::toggled, this, &QuickLookupWindow::showHandwriting);
    connect(history, &QAction::triggered, this, &QuickLookupWindow::historyRequested);
    m_box->installEventFilter(this);
    updateStar();
    attachLearning(this, top, dataDir);
}

// Also when the program ends with the window open: closing the main window closes no other.
QuickLookupWindow::~QuickLookupWindow()
{
    if (isVisible())
        QSettings().setValue(QStringLiteral("quickLookup/geometry"), saveGeometry());
}

void QuickLookupWindow::lookUp(const QString &text)
{
    show();
    raise();
    activateWindow();
    m_box->setFocus();
    if (m_box->text() == text)
        m_service->search(text);
    else
        m_box->setText(text);
}

void QuickLookupWindow::lookUpEntry(const lookup::Entry &entry)
{
    m_wanted = std::pair(entry.store, entry.key);
    lookUp(entry.key);
}

// The pad sits under the box; it is made the first time it is shown, which loads its model.
void QuickLookupWindow::showHandwriting(bool on)
{
    if (on && !m_pad) {
        m_pad = new HandwritingPad(this);
        m_pad->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        static_cast<QVBoxLayout *>(layout())->insertWidget(1, m_pad);
        connect(m_pad, &HandwritingPad::candidateChosen, this, [this](const QString &character) {
            m_box->insert(character);
            m_box->setFocus();
        });
    }
    if (!m_pad || m_pad->isHidden() != on)
        return;
    m_pad->setVisible(on);
    if (!isVisible())
        return;
    // The window grows by the pad rather than squeezing the hits, as far as its screen lets it
    // (the hits give up the rest), and gives back what it grew when the pad goes.
    if (!on) {
        resize(width(), height() - m_padGrowth);
        m_padGrowth = 0;
        return;
    }
    const QRect area = screen()->availableGeometry();
    const int frame = frameGeometry().height() - height();
    const int room = m_pad->sizeHint().height() + layout()->spacing();
    m_padGrowth = qMax(0, qMin(room, area.height() - frame - height()));
    resize(width(), height() + m_padGrowth);
    if (const int below = frameGeometry().bottom() - area.bottom(); below > 0)
        move(x(), qMax(area.top(), y() - below));
}

void QuickLookupWindow::closeEvent(QCloseEvent *event)
{
    QSettings().setValue(QStringLiteral("quickLookup/geometry"), saveGeometry());
    QWidget::closeEvent(event);
}

// Down from the box goes into the list at the hit shown, as in any search field with results below
// it; that hit counts as chosen even when the window had picked it.
bool QuickLookupWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down) {
        QTreeWidgetItem *shown = m_list->currentItem();
        if (QTreeWidgetItem *hit = shown && shown->data(0, RowRole).isValid() ? shown : firstHit()) {
            m_list->setFocus();
            m_list->setCurrentItem(hit);
            remember();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuickLookupWindow::showResults(const QString &text, const QList<lookup::GroupResult> &results)
{
    const QScopedValueRollback picking(m_picking, true);
    QTreeWidgetItem *wanted = nullptr;
    m_list->clear();
    for (const lookup::GroupResult &r : results) {
        if (r.count == 0)
            continue;
        auto *header = new QTreeWidgetItem(m_list);
        header->setData(0, StoreRole, int(r.store));
        header->setFlags(Qt::ItemIsEnabled);
        QFont bold = header->font(0);
        bold.setBold(true);
        header->setFont(0, bold);
        fillGroup(header, r);
        header->setExpanded(true);
        if (m_wanted && *m_wanted == std::pair(r.store, text)) {
            for (int i = 0; i < header->childCount() && !wanted; ++i) {
                if (header->child(i)->data(0, HeadRole).toString() == text)
                    wanted = header->child(i);
            }
        }
    }
    if (m_wanted && m_wanted->second == text)
        m_wanted.reset();
    if (!wanted)
        wanted = bestHit(results);
    if (!wanted && !text.trimmed().isEmpty()) {
        auto *none = new QTreeWidgetItem(m_list, {lookup::texts::kNothingFound});
        none->setFlags(Qt::ItemIsEnabled);
    }
    if (wanted) {
        m_list->setCurrentItem(wanted);
        m_list->scrollToItem(wanted);
    } else {
        showEntry(nullptr);
    }
}

void QuickLookupWindow::showGroup(const lookup::GroupResult &result)
{
    const QScopedValueRollback picking(m_picking, true);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *header = m_list->topLevelItem(i);
        if (storeOf(header) == result.store) {
            qDeleteAll(header->takeChildren());
            fillGroup(header, result);
        }
    }
}

void QuickLookupWindow::fillGroup(QTreeWidgetItem *header, const lookup::GroupResult &r)
{
    header->setText(0, QStringLiteral("%1 (%2)").arg(lookup::groupInfo(r.store).title).arg(r.count));
    for (const lookup::Hit &hit : r.hits) {
        auto *item = new QTreeWidgetItem(header, {hit.head});
        item->setData(0, StoreRole, int(r.store));
        item->setData(0, RowRole, hit.rowId);
        item->setData(0, HeadRole, hit.head);
    }
    if (!r.complete()) {
        auto *more = new QTreeWidgetItem(header, {lookup::texts::kMore});
        more->setData(0, StoreRole, int(r.store));
        more->setData(0, MoreRole, true);
        more->setForeground(0, palette().link());
    }
}

// The best match over all groups, wherever its group stands in the list.
QTreeWidgetItem *QuickLookupWindow::bestHit(const QList<lookup::GroupResult> &results) const
{
    const std::optional<store::StoreId> best = lookup::bestGroup(results);
    for (int i = 0; best && i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *header = m_list->topLevelItem(i);
        if (storeOf(header) == *best && header->childCount())
            return header->child(0);
    }
    return firstHit();
}

QTreeWidgetItem *QuickLookupWindow::firstHit() const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->childCount())
            return m_list->topLevelItem(i)->child(0);
    }
    return nullptr;
}

void QuickLookupWindow::showEntry(QTreeWidgetItem *item)
{
    m_fields.clear();
    m_store.reset();
    m_remembered = false;
    if (item && item->data(0, RowRole).isValid()) {
        m_store = storeOf(item);
        guarded([&] { m_fields = m_reader->fields(*m_store, item->data(0, RowRole).toLongLong()); });
    }
    const bool character = m_store == store::StoreId::Characters;
    m_entry->setHtml(character ? withStructure(entryHtml(m_fields), m_dataDir, m_fields) : entryHtml(m_fields));
    updateStar();
    if (!m_picking)
        remember();
}

void QuickLookupWindow::remember()
{
    if (m_remembered || !m_userData || !m_store || m_fields.isEmpty())
        return;
    m_remembered = true;
    m_userData->addLookup(lookup::entryOf(*m_store, m_fields));
}

void QuickLookupWindow::updateStar()
{
    const bool shown = m_store && !m_fields.isEmpty();
    const bool favourite
        = shown && m_userData && m_userData->isFavourite(*m_store, lookup::entryOf(*m_store, m_fields).key);
    m_star->setEnabled(shown);
    m_star->setText(favourite ? lookup::texts::kStarOn : lookup::texts::kStarOff);
    m_star->setToolTip(favourite ? lookup::texts::kRemoveFavourite : lookup::texts::kAddFavourite);
}

void QuickLookupWindow::activate(QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (item->data(0, MoreRole).toBool()) {
        m_service->loadAll(storeOf(item));
        return;
    }
    if (!item->data(0, RowRole).isValid())
        return;
    // Opened in its section, the entry is looked up as much as one chosen here.
    m_list->setCurrentItem(item);
    remember();
    if (m_actions.open)
        m_actions.open(storeOf(item), item->data(0, HeadRole).toString());
}

} // namespace mc::app
