#include "app/learn/partspanel.h"
#include "learn/partsindex.h"
#include "learn/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace mc::app {
namespace {

constexpr int kColumns = 11; // parts in a row of the grid, after the stroke count

QFont scaled(QFont font, double factor)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

} // namespace

PartsPanel::PartsPanel(const QString &dataDir, QWidget *parent)
    : QWidget(parent),
      m_index(std::make_unique<learn::PartsIndex>(dataDir)),
      m_picked(new QLabel(this)),
      m_count(new QLabel(this)),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("PartsPanel"));
    auto *grid = new QWidget;
    auto *gridLayout = new QGridLayout(grid);
    gridLayout->setSpacing(1);
    gridLayout->setContentsMargins(2, 2, 2, 2);
    const QFont partFont = scaled(font(), 1.25);
    int row = -1, column = kColumns, strokes = -1;
    for (const learn::Component &part : m_index->panel()) {
        if (part.strokes != strokes || column == kColumns) {
            ++row;
            column = 0;
            if (part.strokes != strokes) {
                auto *label = new QLabel(learn::texts::kStrokeGroup.arg(part.strokes), grid);
                label->setEnabled(false);
                gridLayout->addWidget(label, row, 0);
                strokes = part.strokes;
            }
        }
        auto *button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("PartsButton"));
        button->setText(part.text);
        button->setFont(partFont);
        button->setAutoRaise(true);
        button->setToolTip(learn::texts::kFound.arg(part.characters));
        gridLayout->addWidget(button, row, 1 + column++);
        m_buttons.insert(part.text, button);
        connect(button, &QToolButton::clicked, this, [this, text = part.text] { pick(text); });
    }
    gridLayout->setColumnStretch(kColumns + 1, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PartsGrid"));
    scroll->setWidget(grid);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every column in sight: the list of results takes what is left.
    scroll->setMinimumWidth(grid->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width()
                            + 2 * scroll->frameWidth());

    m_picked->setObjectName(QStringLiteral("PartsPicked"));
    m_count->setObjectName(QStringLiteral("PartsCount"));
    auto *undo = new QToolButton(this);
    undo->setObjectName(QStringLiteral("PartsUndo"));
    undo->setText(learn::texts::kUndoPick);
    auto *clear = new QToolButton(this);
    clear->setObjectName(QStringLiteral("PartsClear"));
    clear->setText(learn::texts::kClearPicks);
    m_list->setObjectName(QStringLiteral("PartsResults"));
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setUniformItemSizes(true);
    m_list->setFont(scaled(font(), 1.6));

    auto *status = new QHBoxLayout;
    status->addWidget(m_picked, 1);
    status->addWidget(undo);
    status->addWidget(clear);
    auto *right = new QVBoxLayout;
    right->addLayout(status);
    right->addWidget(m_count);
    right->addWidget(m_list, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    layout->addLayout(right, 1);

    connect(undo, &QToolButton::clicked, this, &PartsPanel::undoPick);
    connect(clear, &QToolButton::clicked, this, &PartsPanel::clearPicks);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit characterChosen(item->text()); });
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit characterChosen(item->text()); });
    update();
}

PartsPanel::~PartsPanel() = default;

QToolButton *PartsPanel::partButton(const QString &part) const
{
    return m_buttons.value(part);
}

void PartsPanel::pick(const QString &part)
{
    m_picks.append(part);
    update();
}

void PartsPanel::setPicks(const QStringList &parts)
{
    if (parts == m_picks)
        return;
    m_picks = parts;
    update();
}

void PartsPanel::undoPick()
{
    if (!m_picks.isEmpty())
        m_picks.removeLast();
    update();
}

void PartsPanel::clearPicks()
{
    m_picks.clear();
    update();
}

void PartsPanel::update()
{
    m_results = m_index->search(m_picks);
    m_picked->setText(m_picks.isEmpty() ? learn::texts::kPickHint
                                        : learn::texts::kPicked.arg(m_picks.join(QStringLiteral(" + "))));
    m_list->clear();
    for (const QString &c : m_results.mid(0, kShown))
        m_list->addItem(c);
    if (m_picks.isEmpty())
        m_count->clear();
    else if (m_results.isEmpty())
        m_count->setText(learn::texts::kNoneFound);
    else if (m_results.size() > kShown)
        m_count->setText(learn::texts::kFoundFirst.arg(m_results.size()).arg(kShown));
    else
        m_count->setText(learn::texts::kFound.arg(m_results.size()));
}

} // namespace mc::app
