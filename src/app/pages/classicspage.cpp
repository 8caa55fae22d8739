#include "app/pages/classicspage.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/uikit.h"
#include "platform/htmlview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QListWidget>
#include <QPlainTextEdit>

namespace mc::app {
namespace {

QListWidget *classicsTitles(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("FlatListBoxExt1"));
    list->setFont(ui::song(16, true));
    ui::setForeground(list, QColor(70, 40, 10));
    ui::setBackground(list, QColor(250, 248, 240));
    list->setFrameShape(QFrame::NoFrame);
    list->setUniformItemSizes(true);
    for (const QString &title : texts::kClassicsTitles) {
        auto *item = new QListWidgetItem(title, list);
        item->setSizeHint(QSize(0, 30));
    }
    return list;
}

QListWidget *buttonList(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("DCOutBarVertListView7"));
    list->setViewMode(QListView::ListMode);
    list->setIconSize(QSize(16, 16));
    list->setSpacing(6); // twelve pixels between neighbouring items
    list->setFrameShape(QFrame::NoFrame);
    QPalette palette = list->palette();
    QLinearGradient fade(0, 0, 0, 480);
    fade.setColorAt(0, Qt::white);
    fade.setColorAt(1, QColor(214, 226, 236));
    palette.setBrush(QPalette::Base, fade);
    list->setPalette(palette);
    const QIcon icon = art::barIcon(QStringLiteral("书"), QColor(120, 90, 40));
    for (const QString &title : texts::kClassicsTitles)
        new QListWidgetItem(icon, title, list);
    return list;
}

} // namespace

ClassicsPage::ClassicsPage(QWidget *parent) : PagePanel(QStringLiteral("FlatPanel12"), ui::kPageBackground, parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    auto *side = new SideBar(texts::kClassicsGroup, QColor(236, 240, 236), this);
    side->setObjectName(QStringLiteral("DCOutBar4"));
    side->body()->setObjectName(QStringLiteral("DCOutBarGroup7"));
    // Both lists fill the group; the title list, created last, covers the button-style list.
    auto *stack = new QGridLayout;
    stack->setContentsMargins(0, 0, 0, 0);
    m_pictureTitles = buttonList(side->body());
    stack->addWidget(m_pictureTitles, 0, 0);
    m_titles = classicsTitles(side->body());
    stack->addWidget(m_titles, 0, 0);
    side->bodyLayout()->addLayout(stack, 1);
    layout->addWidget(side);

    auto *gap = new QWidget(this);
    gap->setObjectName(QStringLiteral("pnl3"));
    gap->setFixedWidth(16);
    layout->addWidget(gap);

    // The loader view is created first so that the reader view lies above it and hides it.
    auto *readerArea = new QWidget(this);
    auto *readerLayout = new QGridLayout(readerArea);
    readerLayout->setContentsMargins(0, 0, 0, 0);
    m_loader = new web::HtmlView(readerArea);
    m_loader->setObjectName(QStringLiteral("WebBrowser1"));
    m_loader->setFixedSize(160, 90);
    readerLayout->addWidget(m_loader, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    m_reader = new web::HtmlView(readerArea);
    m_reader->setObjectName(QStringLiteral("WebBrowser2"));
    readerLayout->addWidget(m_reader, 0, 0);
    layout->addWidget(readerArea, 1);

    // Text buffers of the today-in-history page; never shown.
    for (const QString &name : {QStringLiteral("Memo1"), QStringLiteral("Memo2")}) {
        auto *buffer = new QPlainTextEdit(this);
        buffer->setObjectName(name);
        buffer->setVisible(false);
    }
}

} // namespace mc::app
