#include "app/pages/idiompage.h"
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
#include <QVBoxLayout>

namespace mc::app {

IdiomPage::IdiomPage(store::Dataset *dataset, QWidget *parent)
    : SectionPage(QStringLiteral("FlatPanel1"), ui::kPageBackground, parent)
{
    SideBar *side = nullptr;
    QHBoxLayout *layout
        = pageFrame(this, dataset,
                    {QStringLiteral("DCOutBar1"), texts::kIdiomGroup, QColor(240, 240, 240), QStringLiteral("DBGrid1"),
                     QStringLiteral("name"), 15, QColor(0, 0, 255), QColor(245, 245, 245)},
                    nullptr, &side);
    m_controls.order
        = listButton(side, QStringLiteral("PDJButton19"), search::texts::kIdiomOrderStart, 30, false, ui::kDarkGreen);
    m_controls.refresh
        = listButton(side, QStringLiteral("btnRefreshCy"), search::texts::kRefreshIdioms, 30, false, ui::kDarkGreen);

    QVBoxLayout *restLayout = restColumn(this, layout);
    QWidget *rest = restLayout->parentWidget();

    const QColor brown(128, 64, 0);
    auto *detail = new QWidget(rest);
    detail->setObjectName(QStringLiteral("pnlIdiomDetail"));
    detail->setFixedHeight(151);
    ui::setBackground(detail, QColor(244, 244, 255));
    restLayout->addWidget(detail);

    m_controls.modes
        = ui::modeList(detail, QStringLiteral("ComboBox2"), search::modeCaptions(search::ModeControl::IdiomModes),
                       QRect(32, 16, 185, 27), ui::song(19), brown);
    ui::setBackground(m_controls.modes, QColor(247, 247, 255));
    m_controls.keyword = ui::keywordBox(detail, QStringLiteral("Edit4"), QRect(225, 16, 137, 27), ui::song(19), brown);
    m_controls.search = ui::textButton(detail, QStringLiteral("PDJButton3"), texts::kSearch, QRect(377, 12, 70, 33),
                                       ui::song(16, true), brown);
    m_controls.help = ui::textButton(detail, QStringLiteral("PDJButton4"), texts::kHelp, QRect(457, 12, 70, 33),
                                     ui::song(16, true), brown);

    auto *detailGrows = new GrowingParent(detail, QSize(kDesignedRest.width(), detail->height()));
    const QColor nameColour(255, 128, 64);
    ui::caption(detail, texts::kIdiomCaption, 68, 72, ui::song(19), nameColour);
    detailGrows->add(
        fieldView(detail, dataset,
                  {QStringLiteral("name"), QStringLiteral("idiomViewName"), ui::song(19, true), nameColour},
                  QRect(141, 72, 400, 26), FieldBox::Fit::Fill),
        {0, 0, 1, 0});

    const QColor spellColour(166, 83, 0);
    ui::caption(detail, texts::kSpellCaption, 68, 110, ui::song(16), spellColour);
    detailGrows->add(fieldView(detail, dataset,
                               {QStringLiteral("spell"), QStringLiteral("idiomViewSpell"), ui::arial(16), spellColour},
                               QRect(141, 109, 400, 22), FieldBox::Fit::Fill),
                     {0, 0, 1, 0});

    m_controls.readAloud
        = pictureButton(detail, QStringLiteral("PDJButton29"), art::speakerIcon(), texts::kReadAloud, 11, 104);
    m_controls.copy = pictureButton(detail, QStringLiteral("PDJButton34"), art::copyIcon(), texts::kCopy, 43, 104);

    auto *text = new QWidget(rest);
    text->setObjectName(QStringLiteral("pnlIdiomText"));
    ui::setBackground(text, Qt::white);
    restLayout->addWidget(text, 1);
    auto *textGrows = new GrowingParent(text, QSize(kDesignedRest.width(), kDesignedRest.height() - detail->height()));
    QLabel *art = picture(text, QStringLiteral("imgIdiom"),
                          art::scene(QSize(400, 176),
                                     {QColor(255, 255, 255), QColor(238, 244, 238), QColor(120, 160, 130),
                                      QStringLiteral("成"), true, false, true, 110}),
                          150, 150);
    textGrows->add(art, {1, 1, 0, 0});
    // Stacked without overlapping, so no memo covers the last line of the one above; the room the
    // window gains goes to the three in equal shares.
    struct Memo {
        QString column;
        QString name;
        int top;
        int height;
    };
    const Memo memos[] = {{QStringLiteral("derivation"), QStringLiteral("idiomMemoDerivation"), 20, 72},
                          {QStringLiteral("content"), QStringLiteral("idiomMemoContent"), 92, 72},
                          {QStringLiteral("samples"), QStringLiteral("idiomMemoSamples"), 164, 97}};
    qreal below = 0;
    for (const Memo &m : memos) {
        auto *memo = new FieldMemo(dataset, m.column, text);
        memo->setObjectName(m.name);
        memo->setGeometry(13, m.top, 517, m.height);
        memo->setFont(ui::song(13));
        ui::setForeground(memo, brown);
        memo->setSeeThrough();
        textGrows->add(memo, {0, below, 1, 1.0 / 3});
        below += 1.0 / 3;
    }
}

} // namespace mc::app
