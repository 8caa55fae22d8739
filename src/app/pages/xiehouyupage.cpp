#include "app/pages/xiehouyupage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/uikit.h"

#include <QHBoxLayout>
#include <QLabel>

namespace mc::app {
namespace {
// The detail area at the designed window size: the page less its border and the side bar.
constexpr int kDetailWidth = 762 - 2 * 2 - 199;
} // namespace

XiehouyuPage::XiehouyuPage(store::Dataset *dataset, QWidget *parent)
    : PagePanel(QStringLiteral("FlatPanel7"), ui::kPageBackground, parent)
{
    SideBar *side = nullptr;
    QHBoxLayout *layout = pageFrame(this, dataset,
                                    {QStringLiteral("DCOutBar3"), texts::kXiehouyuGroup, QColor(242, 242, 242),
                                     QStringLiteral("DBGrid3"), QStringLiteral("name"), 15, ui::kDarkGreen,
                                     QColor(241, 242, 245)},
                                    nullptr, &side);
    listButton(side, QStringLiteral("PDJButton20"), texts::kXiehouyuOrder, 36, false, ui::kDarkGreen);
    listButton(side, QStringLiteral("btnRefreshXhy"), texts::kXiehouyuRefresh, 36, false, ui::kDarkGreen);

    auto *detail = new QWidget(this);
    detail->setObjectName(QStringLiteral("pnlXiehouyuDetail"));
    ui::setBackground(detail, Qt::white);
    layout->addWidget(detail, 1);

    picture(detail, QStringLiteral("imgXiehouyu"),
            art::scene(QSize(200, 187), {QColor(255, 250, 240), QColor(246, 232, 214), QColor(170, 120, 80),
                                         QStringLiteral("歇"), true, true, false, 255}),
            350, 295);
    const QColor brown(102, 51, 0);
    ui::modeList(detail, QStringLiteral("ComboBox3"), texts::kXiehouyuModes, QRect(32, 30, 129, 27), ui::song(19),
                 brown);
    ui::keywordBox(detail, QStringLiteral("Edit1"), QRect(172, 30, 181, 27), ui::song(19), brown);
    ui::textButton(detail, QStringLiteral("PDJButton5"), texts::kSearch, QRect(356, 26, 78, 33), ui::song(17, true),
                   brown);
    ui::textButton(detail, QStringLiteral("PDJButton6"), texts::kHelp, QRect(437, 26, 78, 33), ui::song(17, true),
                   brown);
    pictureButton(detail, QStringLiteral("PDJButton28"), art::speakerIcon(), texts::kReadAloud, 43, 90);
    pictureButton(detail, QStringLiteral("PDJButton35"), art::copyIcon(), texts::kCopy, 74, 90);

    // Each half as wide as its text, up to the page's edge, above the next half and the picture.
    auto *first = new FieldLabel(dataset, QStringLiteral("name"), FieldLabel::Sizing::Fixed, detail);
    first->setObjectName(QStringLiteral("DBText11"));
    first->setFont(ui::hei(24));
    ui::setForeground(first, QColor(128, 64, 0));
    (new FieldBox(first, QRect(48, 136, kDetailWidth - 8 - 48, 178 - 136), FieldBox::Fit::ToText))
        ->setHint(texts::kClickToCopy);

    auto *second = new FieldLabel(dataset, QStringLiteral("end1"), FieldLabel::Sizing::Fixed, detail);
    second->setObjectName(QStringLiteral("DBText12"));
    second->setFont(ui::hei(20));
    ui::setForeground(second, QColor(198, 99, 0));
    (new FieldBox(second, QRect(49, 178, kDetailWidth - 8 - 49, 295 - 178), FieldBox::Fit::ToText))
        ->setHint(texts::kClickToCopy);
}

} // namespace mc::app
