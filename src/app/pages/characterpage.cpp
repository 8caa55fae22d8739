#include "app/pages/characterpage.h"
#include "app/pages/pagekit.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/fieldviews.h"
#include "app/widgets/grids.h"
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
#include <QVBoxLayout>

namespace mc::app {
namespace {

const QColor kBrown(128, 64, 0);

} // namespace

CharacterPage::CharacterPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel4"), ui::kPageBackground, parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    auto *side = new SideBar(texts::kCharacterGroup, QColor(236, 240, 236), this);
    side->setObjectName(QStringLiteral("DCOutBar2"));
    auto *grid = new CharacterGrid(side->body());
    grid->setObjectName(QStringLiteral("dxDBGrid1"));
    grid->setFont(ui::song(16));
    ui::setForeground(grid, ui::kDarkGreen);
    ui::setBackground(grid, QColor(244, 244, 255));
    grid->bind(dataset,
               {{QStringLiteral("name"), texts::kSimplified}, {QStringLiteral("oldname"), texts::kTraditional}});
    side->bodyLayout()->addWidget(grid, 1);
    m_controls.order
        = listButton(side, QStringLiteral("PDJButton8"), search::texts::kByAlphabet, 32, true, ui::kDarkGreen);
    m_controls.refresh
        = listButton(side, QStringLiteral("btnRefreshHz"), search::texts::kRefreshCharacters, 32, true, ui::kDarkGreen);
    layout->addWidget(side);

    // Detail column: hand-placed controls; only the picture follows the column's bottom edge.
    auto *detail = new QWidget(this);
    detail->setObjectName(QStringLiteral("pnlDetail"));
    detail->setFixedWidth(232);
    ui::setBackground(detail, Qt::white);
    auto *detailLayout = new QVBoxLayout(detail);
    detailLayout->setContentsMargins(2, 0, 2, 0);
    detailLayout->addStretch(1);
    auto *art = new QLabel(detail);
    art->setObjectName(QStringLiteral("imgCharacter"));
    art->setFixedSize(228, 152);
    art->setPixmap(art::scene(
        art->size(),
        {QColor(255, 255, 255), QColor(232, 240, 246), QColor(120, 150, 170), QString(), true, false, true, 255}));
    detailLayout->addWidget(art);
    layout->addWidget(detail);

    m_controls.modes
        = ui::modeList(detail, QStringLiteral("combobox1"), search::modeCaptions(search::ModeControl::CharacterModes),
                       QRect(16, 22, 201, 27), ui::song(19), kBrown);
    m_controls.keyword = ui::keywordBox(detail, QStringLiteral("edit2"), QRect(16, 70, 121, 27), ui::song(19), kBrown);
    m_controls.search = ui::textButton(detail, QStringLiteral("PDJButton1"), texts::kSearch, QRect(144, 66, 73, 33),
                                       ui::song(16, true), kBrown);

    // The stroke-order marker comes first so that it is current before the explanation changes.
    auto *marker = new FieldLabel(dataset, QStringLiteral("url"), FieldLabel::Sizing::ToText, detail);
    marker->setObjectName(QStringLiteral("dbtxturl"));
    marker->move(8, 232);
    marker->setVisible(false);

    fieldView(detail, dataset,
              {QStringLiteral("spell"), QStringLiteral("charViewSpell"), ui::arial(27), QColor(255, 128, 64),
               Qt::AlignHCenter},
              QRect(34, 114, 159, 31), FieldBox::Fit::Shrink);

    auto *name = new FieldLabel(dataset, QStringLiteral("name"), FieldLabel::Sizing::Fixed, detail);
    name->setObjectName(QStringLiteral("charViewName"));
    name->setGeometry(32, 156, 161, 88);
    name->setAlignment(Qt::AlignCenter);
    name->setFont(ui::song(80, true));
    ui::setForeground(name, kBrown);

    m_controls.readAloud
        = pictureButton(detail, QStringLiteral("PDJButton22"), art::speakerIcon(), texts::kReadAloud, 34, 250);
    m_controls.copy = pictureButton(detail, QStringLiteral("PDJButton32"), art::copyIcon(), texts::kCopy, 66, 250);
    m_controls.copyExplanation
        = pictureButton(detail, QStringLiteral("PDJButton33"), art::copyTextIcon(), texts::kCopyExplanation, 98, 250);
    auto *strokes = ui::textButton(detail, QStringLiteral("pdjbtn1"), texts::kStrokeOrder, QRect(138, 250, 55, 25),
                                   ui::hei(15), QColor(128, 0, 128));
    strokes->setFlat(true);
    m_controls.strokeOrder = strokes;

    const QStringList columns = {QStringLiteral("part"), QStringLiteral("wbcode"), QStringLiteral("partstrokes"),
                                 QStringLiteral("strokes"), QStringLiteral("areacode")};
    const int tops[] = {288, 313, 337, 361, 385};
    for (int i = 0; i < columns.size(); ++i) {
        QLabel *label
            = ui::caption(detail, texts::kCharacterCaptions.at(i), 17, tops[i], ui::song(15), QColor(94, 47, 0));
        label->resize(90, 15 + 4);
        const QString name = QStringLiteral("charView") + columns.at(i).left(1).toUpper() + columns.at(i).mid(1);
        // Up to the column's edge and the next caption.
        fieldView(detail, dataset, {columns.at(i), name, ui::arial(15), QColor(189, 95, 0)},
                  QRect(110, tops[i], 232 - 2 - 110, 24), FieldBox::Fit::ToText);
    }

    // Explanation area.
    auto *explanation = new QWidget(this);
    explanation->setObjectName(QStringLiteral("pnlContent"));
    ui::setBackground(explanation, QColor(244, 244, 255));
    auto *explanationLayout = new QVBoxLayout(explanation);
    explanationLayout->setContentsMargins(23, 15, 0, 0);
    auto *content = new FieldMemo(dataset, QStringLiteral("content"), explanation);
    content->setObjectName(QStringLiteral("dbmemocontent"));
    content->setFont(ui::song(13));
    ui::setForeground(content, kBrown);
    ui::setBackground(content, QColor(244, 244, 255));
    explanationLayout->addWidget(content);
    layout->addWidget(explanation, 1);
}

} // namespace mc::app
