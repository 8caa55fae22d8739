#include "app/pages/xiehouyupage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/growth.h"
#include "app/widgets/uikit.h"
#include "search/searchtable.h"
#include "search/texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace mc::app {
namespace {
constexpr int kDetailWidth = kDesignedRest.width();
} // namespace

XiehouyuPage::XiehouyuPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel7"), ui::kPageBackground, parent)
{
    SideBar *side = nullptr;
    QHBoxLayout *layout
        = pageFrame(this, dataset,
                    {QStringLiteral("DCOutBar3"), texts::kXiehouyuGroup, QColor(242, 242, 242),
                     QStringLiteral("DBGrid3"), QStringLiteral("name"), 15, ui::kDarkGreen, QColor(241, 242, 245)},
                    nullptr, &side);
    m_controls.order
        = listButton(side, QStringLiteral("PDJButton20"), search::texts::kAlphabetAscending, 36, false, ui::kDarkGreen);
    m_controls.refresh
        = listButton(side, QStringLiteral("btnRefreshXhy"), search::texts::kRefreshXiehouyu, 36, false, ui::kDarkGreen);

    auto *detail = new QWidget(this);
    detail->setObjectName(QStringLiteral("pnlXiehouyuDetail"));
    ui::setBackground(detail, Qt::white);
    layout->addWidget(detail, 1);

    auto *grows = new GrowingParent(detail, kDesignedRest);
    QLabel *art = picture(detail, QStringLiteral("imgXiehouyu"),
                          art::scene(QSize(200, 187),
                                     {QColor(255, 250, 240), QColor(246, 232, 214), QColor(170, 120, 80),
                                      QStringLiteral("歇"), true, true, false, 255}),
                          350, 295);
    grows->add(art, {1, 1, 0, 0});
    const QColor brown(102, 51, 0);
    m_controls.modes
        = ui::modeList(detail, QStringLiteral("ComboBox3"), search::modeCaptions(search::ModeControl::XiehouyuModes),
                       QRect(32, 30, 129, 27), ui::song(19), brown);
    m_controls.keyword = ui::keywordBox(detail, QStringLiteral("Edit1"), QRect(172, 30, 181, 27), ui::song(19), brown);
    m_controls.search = ui::textButton(detail, QStringLiteral("PDJButton5"), texts::kSearch, QRect(356, 26, 78, 33),
                                       ui::song(17, true), brown);
    m_controls.help = ui::textButton(detail, QStringLiteral("PDJButton6"), texts::kHelp, QRect(437, 26, 78, 33),
                                     ui::song(17, true), brown);
    m_controls.readAloud
        = pictureButton(detail, QStringLiteral("PDJButton28"), art::speakerIcon(), texts::kReadAloud, 43, 90);
    m_controls.copy = pictureButton(detail, QStringLiteral("PDJButton35"), art::copyIcon(), texts::kCopy, 74, 90);

    // Each half as wide as its text, up to the page's edge, above the next half and the picture.
    FieldBox *first = fieldView(detail, dataset,
                                {QStringLiteral("name"), QStringLiteral("DBText11"), ui::hei(24), QColor(128, 64, 0)},
                                QRect(48, 136, kDetailWidth - 8 - 48, 178 - 136), FieldBox::Fit::ToText);
    first->setHint(texts::kClickToCopy);
    m_controls.firstHalf = first->label();
    FieldBox *second = fieldView(detail, dataset,
                                 {QStringLiteral("end1"), QStringLiteral("DBText12"), ui::hei(20), QColor(198, 99, 0)},
                                 QRect(49, 178, kDetailWidth - 8 - 49, 295 - 178), FieldBox::Fit::ToText);
    second->setHint(texts::kClickToCopy);
    m_controls.secondHalf = second->label();
    grows->add(first, {0, 0, 1, 0});
    grows->add(second, {0, 0, 1, 1});
}

} // namespace mc::app
