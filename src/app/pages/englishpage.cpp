#include "app/pages/englishpage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/growth.h"
#include "app/widgets/uikit.h"
#include "search/texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace mc::app {

EnglishPage::EnglishPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel8"), ui::kPageBackground, parent)
{
    QHBoxLayout *layout
        = pageFrame(this, dataset,
                    {QStringLiteral("DCOutBar7"), texts::kEnglishGroup, QColor(236, 240, 236),
                     QStringLiteral("DBGrid7"), QStringLiteral("单词"), 16, QColor(128, 0, 255), ui::kPageBackground});
    auto *detail = new QWidget(this);
    detail->setObjectName(QStringLiteral("pnlEnglishDetail"));
    ui::setBackground(detail, Qt::white);
    layout->addWidget(detail, 1);

    auto *panel = new QLabel(detail);
    panel->setObjectName(QStringLiteral("suiImagePanel2"));
    panel->setGeometry(3, 8, 552, 416);
    auto paint = [panel](const QSize &size) {
        panel->setPixmap(art::scene(
            size,
            {QColor(255, 255, 255), QColor(240, 246, 252), QColor(150, 176, 200), QString(), false, false, true, 120}));
    };
    paint(panel->size());
    (new GrowingParent(detail, kDesignedRest))->add(panel, {0, 0, 1, 1});
    auto *grows = new GrowingParent(panel, panel->size());

    QWidget *scroll = picture(
        panel, QStringLiteral("imgEnglish"),
        art::scroll(QSize(148, 222), QStringLiteral("书山有路勤为径|学海无涯苦作舟"), QColor(40, 60, 90)), 396, 195);
    const QColor green = ui::kDarkGreen;
    m_controls.direction = ui::textButton(panel, QStringLiteral("PDJButton9"), search::texts::kEnglishToChinese,
                                          QRect(24, 16, 75, 36), ui::song(16), green);
    m_controls.keyword = ui::keywordBox(panel, QStringLiteral("Edit6"), QRect(120, 20, 161, 24), ui::song(16), green);
    m_controls.search = ui::textButton(panel, QStringLiteral("PDJButton10"), texts::kExactSearch,
                                       QRect(294, 16, 107, 36), ui::song(16), green);
    m_controls.otherSearch = ui::textButton(panel, QStringLiteral("PDJButton15"), texts::kFuzzySearch,
                                            QRect(406, 16, 107, 36), ui::song(16), green);
    m_controls.readAloud = pictureButton(panel, QStringLiteral("PDJButton23"), art::speakerIcon(), QString(), 42, 160);
    m_controls.copy
        = pictureButton(panel, QStringLiteral("PDJButton38"), art::copyTextIcon(), texts::kCopyExplanation, 82, 160);

    // Both views keep clear of the scroll picture beside them; as the window grows, the picture
    // keeps to the right and the explanation takes the room.
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    FieldBox *word = fieldView(
        panel, dataset,
        {QStringLiteral("单词"), QStringLiteral("englishViewWord"), ui::arial(21, true), QColor(191, 96, 0), topLeft},
        QRect(36, 214, 477, 75), FieldBox::Fit::Fill);
    FieldBox *explanation = fieldView(
        panel, dataset,
        {QStringLiteral("解释"), QStringLiteral("englishViewExplanation"), ui::arial(21), QColor(255, 128, 0), topLeft},
        QRect(36, 286, 477, 83), FieldBox::Fit::Fill);
    grows->add(scroll, {1, 0, 0, 0});
    grows->add(word, {0, 0, 1, 0});
    grows->add(explanation, {0, 0, 1, 1});
    auto keepClear = [scroll, word, explanation](const QSize &) {
        word->keepClearOf(scroll->geometry());
        explanation->keepClearOf(scroll->geometry());
    };
    keepClear({});
    grows->onResize([paint, keepClear](const QSize &size) {
        paint(size);
        keepClear(size);
    });
}

} // namespace mc::app
