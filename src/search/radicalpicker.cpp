#include "search/radicalpicker.h"
#include "search/radicals.h"
#include "search/texts.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace mc::search {
namespace {

QFont pixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Every cell in its row's band colours; selection and focus show in the chosen-radical label,
// not in the cell.
class BandDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const Band band = bandOfRow(index.row());
        painter->save();
        painter->fillRect(option.rect, band.background);
        painter->setPen(band.text);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

QLabel *label(QWidget *parent, const QString &text, int left, int top)
{
    auto *l = new QLabel(text, parent);
    l->move(left, top);
    l->adjustSize();
    return l;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

RadicalPicker::RadicalPicker(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(texts::kPickerCaption);
    setFont(pixelFont(QStringLiteral("宋体"), 13));
    setFixedSize(566, 397);
    setModal(false);

    // Cells of 18 pixels plus a one-pixel grid line: the whole table shows without scrolling.
    m_table = new QTableWidget(kRadicalRows, kRadicalColumns, this);
    m_table->setObjectName(QStringLiteral("StringGrid1"));
    m_table->setGeometry(64, 13, 344, 363);
    m_table->setFont(pixelFont(QStringLiteral("宋体"), 12));
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    for (QHeaderView *header : {m_table->horizontalHeader(), m_table->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setDefaultSectionSize(19);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setItemDelegate(new BandDelegate(m_table));
    for (int row = 0; row < kRadicalRows; ++row) {
        for (int column = 0; column < kRadicalColumns; ++column) {
            auto *item = new QTableWidgetItem(radicalAt(row, column));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_table->setItem(row, column, item);
        }
    }

    for (const RadicalGroup &group : radicalGroups())
        setTextColour(label(this, group.label, 32, group.labelTop), Qt::blue);

    m_chosen = new QLabel(texts::kFirstRadical, this);
    m_chosen->setObjectName(QStringLiteral("Label1"));
    m_chosen->setGeometry(440, 48, 96, 97);
    m_chosen->setFont(pixelFont(QStringLiteral("宋体"), 96));
    m_chosen->setAlignment(Qt::AlignCenter);
    setTextColour(m_chosen, Qt::blue);

    QLabel *heading = label(this, texts::kOtherStrokes, 432, 208);
    heading->setFont(pixelFont(QStringLiteral("黑体"), 16));
    heading->adjustSize();
    setTextColour(heading, QColor(0, 0, 128));
    label(this, texts::kOptional, 440, 232);

    m_strokes = new QLineEdit(this);
    m_strokes->setObjectName(QStringLiteral("edit1"));
    m_strokes->setGeometry(448, 256, 81, 52);
    m_strokes->setFont(pixelFont(QStringLiteral("宋体"), 44));
    m_strokes->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_strokes));
    m_strokes->setInputMethodHints(Qt::ImhDigitsOnly);
    m_strokes->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_strokes->installEventFilter(this);

    auto *confirmButton = new QPushButton(texts::kConfirm, this);
    confirmButton->setObjectName(QStringLiteral("Button1"));
    confirmButton->setGeometry(440, 320, 97, 25);
    // Enter in the stroke box must not confirm.
    confirmButton->setAutoDefault(false);
    connect(confirmButton, &QPushButton::clicked, this, &RadicalPicker::confirm);

    connect(m_table, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { m_chosen->setText(radicalAt(row, column)); });
    m_table->setCurrentCell(0, 0);
}

void RadicalPicker::showOver(QWidget *owner)
{
    if (owner) {
        const QRect frame = frameGeometry();
        move(owner->frameGeometry().center() - frame.center() + pos());
    }
    show();
    raise();
    activateWindow();
}

QString RadicalPicker::chosenRadical() const
{
    return m_chosen->text();
}

QString RadicalPicker::strokes() const
{
    return m_strokes->text();
}

bool RadicalPicker::eventFilter(QObject *watched, QEvent *event)
{
    // Every click into the stroke box starts it afresh.
    if (watched == m_strokes && event->type() == QEvent::MouseButtonPress)
        m_strokes->clear();
    return QDialog::eventFilter(watched, event);
}

void RadicalPicker::confirm()
{
    hide();
    emit confirmed(m_chosen->text() + m_strokes->text());
}

} // namespace mc::search
