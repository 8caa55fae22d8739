#include "app/pages/sayingspage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/growth.h"
#include "app/widgets/uikit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace mc::app {

SayingsPage::SayingsPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel2"), QColor(251, 251, 251), parent)
{
    QHBoxLayout *layout
        = pageFrame(this, dataset,
                    {QStringLiteral("DCOutBar6"), texts::kSayingsGroup, QColor(247, 247, 247),
                     QStringLiteral("DBGrid4"), QStringLiteral("name"), 15, ui::kDarkGreen, QColor(247, 247, 247)});
    layout->addStretch(1);

    // The controls lie directly on the page, placed in page coordinates.
    QWidget *scroll
        = picture(this, QStringLiteral("imgSayings"),
                  art::scroll(QSize(150, 208), QStringLiteral("读书破万卷|下笔如有神"), QColor(90, 40, 10)), 583, 262);
    const QColor brown(155, 78, 0);
    ui::caption(this, texts::kSayingSearch, 264, 21, ui::song(16, true), brown);
    m_controls.keyword = ui::keywordBox(this, QStringLiteral("Edit8"), QRect(360, 17, 209, 24), ui::song(16), brown);
    m_controls.search = ui::textButton(this, QStringLiteral("PDJButton21"), texts::kFuzzyButton,
                                       QRect(592, 10, 113, 36), ui::song(16, true), brown);
    ui::caption(this, texts::kPersonSearch, 264, 61, ui::song(16, true), brown);
    m_controls.otherKeyword
        = ui::keywordBox(this, QStringLiteral("Edit9"), QRect(360, 57, 209, 24), ui::song(16), brown);
    m_controls.otherSearch = ui::textButton(this, QStringLiteral("PDJButton24"), texts::kFuzzyButton,
                                            QRect(592, 50, 113, 36), ui::song(16, true), brown);
    m_controls.readAloud
        = pictureButton(this, QStringLiteral("PDJButton36"), art::speakerIcon(), texts::kReadAloud, 259, 98);
    m_controls.copy = pictureButton(this, QStringLiteral("PDJButton37"), art::copyIcon(), texts::kCopy, 290, 98);

    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    FieldBox *person = fieldView(this, dataset,
                                 {QStringLiteral("derivation"), QStringLiteral("sayingsViewPerson"),
                                  ui::arial(24, true), QColor(128, 64, 0), topLeft},
                                 QRect(272, 142, 489, 59), FieldBox::Fit::Fill);
    // A long saying wraps short of the scroll picture rather than running over it.
    FieldBox *saying = fieldView(
        this, dataset,
        {QStringLiteral("name"), QStringLiteral("sayingsViewSaying"), ui::arial(19), QColor(206, 103, 0), topLeft},
        QRect(272, 200, 489, 209), FieldBox::Fit::Fill);
    saying->keepClearOf(scroll->geometry());
    auto *grows = new GrowingParent(this, kDesignedPage);
    grows->add(scroll, {1, 1, 0, 0});
    grows->add(person, {0, 0, 1, 0});
    grows->add(saying, {0, 0, 1, 1});
    grows->onResize([scroll, saying](const QSize &) { saying->keepClearOf(scroll->geometry()); });
}

} // namespace mc::app
