#include "app/pages/wordpage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/grids.h"
#include "app/widgets/uikit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace mc::app {

WordPage::WordPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel14"), ui::kPageBackground, parent)
{
    DataGrid *grid = nullptr;
    QHBoxLayout *layout
        = pageFrame(this, dataset,
                    {QStringLiteral("DCOutBar5"), texts::kWordGroup, QColor(236, 240, 236), QStringLiteral("DBGrid5"),
                     QStringLiteral("word"), 15, ui::kDarkGreen, ui::kPageBackground},
                    &grid);
    grid->showRowIndicator();

    QVBoxLayout *restLayout = restColumn(this, layout);
    QWidget *rest = restLayout->parentWidget();

    auto *detail = new QWidget(rest);
    detail->setObjectName(QStringLiteral("pnlWordDetail"));
    detail->setFixedHeight(223);
    ui::setBackground(detail, Qt::white);
    restLayout->addWidget(detail);

    QWidget *scroll
        = picture(detail, QStringLiteral("imgWord"),
                  art::scroll(QSize(167, 160), QStringLiteral("学而时习之|不亦说乎"), QColor(60, 40, 20)), 364, 24);
    const QColor brown(128, 64, 0);
    m_controls.keyword = ui::keywordBox(detail, QStringLiteral("Edit10"), QRect(40, 28, 177, 27), ui::song(19), brown);
    m_controls.search = ui::textButton(detail, QStringLiteral("PDJButton27"), texts::kSearch, QRect(230, 25, 83, 30),
                                       ui::hei(15), brown);

    struct Row {
        QString caption;
        QString column;
        QString name;
        int viewLeft;
        int top;
        int pixels;
        QColor colour;
        int bottom; // where the next row begins
    };
    const Row rows[] = {
        {texts::kWordCaption, QStringLiteral("word"), QStringLiteral("wordViewWord"), 136, 100, 19, QColor(213, 106, 0),
         132},
        {texts::kTraditionalCaption, QStringLiteral("ord"), QStringLiteral("wordViewOrd"), 130, 132, 17,
         QColor(189, 95, 0), 160},
        // A long word's reading wraps onto the lines below, down to the panel's edge.
        {texts::kSpellCaption, QStringLiteral("spell"), QStringLiteral("wordViewSpell"), 128, 160, 16,
         QColor(125, 63, 0), 221},
    };
    for (const Row &row : rows) {
        ui::caption(detail, row.caption, 64, row.top, ui::song(row.pixels), row.colour);
        // Up to the picture on the right and the next row below.
        fieldView(detail, dataset, {row.column, row.name, ui::song(row.pixels), row.colour},
                  QRect(row.viewLeft, row.top, scroll->x() - 6 - row.viewLeft, row.bottom - row.top),
                  FieldBox::Fit::ToText);
    }
    m_controls.readAloud
        = pictureButton(detail, QStringLiteral("PDJButton13"), art::speakerIcon(), texts::kReadAloud, 43, 99);
    m_controls.copy = pictureButton(detail, QStringLiteral("PDJButton30"), art::copyIcon(), texts::kCopy, 43, 126);
    m_controls.readExplanation
        = pictureButton(detail, QStringLiteral("PDJButton26"), art::speakerIcon(), texts::kReadAloud, 43, 192);
    m_controls.copyExplanation
        = pictureButton(detail, QStringLiteral("PDJButton31"), art::copyTextIcon(), texts::kCopy, 75, 192);

    auto *explanation = new QWidget(rest);
    explanation->setObjectName(QStringLiteral("pnlWordContent"));
    ui::setBackground(explanation, Qt::white);
    auto *explanationLayout = new QVBoxLayout(explanation);
    explanationLayout->setContentsMargins(23, 0, 28, 0);
    auto *content = new FieldMemo(dataset, QStringLiteral("content"), explanation);
    content->setObjectName(QStringLiteral("wordMemoContent"));
    content->setFont(ui::song(15));
    ui::setForeground(content, QColor(102, 51, 0));
    ui::setBackground(content, Qt::white);
    explanationLayout->addWidget(content);
    restLayout->addWidget(explanation, 1);
}

} // namespace mc::app
