#include "app/windows/morewindow.h"
#include "app/servicecommands.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/uikit.h"
#include "app/widgets/widgets.h"
#include "platform/guard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

namespace mc::app {

MoreWindow::MoreWindow(QWidget *mainWindow) : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setUpFixedWindow(this, QStringLiteral("TForm5"), texts::kMoreCaption, QSize(435, 336), mainWindow);
    ui::setBackground(this, QColor(250, 250, 252));

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setGeometry(0, 0, 435, 49);
    ui::setBackground(header, QColor(230, 238, 246));
    auto *headerIcon = new QLabel(header);
    headerIcon->setObjectName(QStringLiteral("imgHeader"));
    headerIcon->setPixmap(art::barIcon(QStringLiteral("精"), QColor(200, 120, 30)).pixmap(32, 32));
    headerIcon->setGeometry(10, 8, 32, 32);
    QLabel *headerText = ui::caption(header, texts::kMoreHeader, 50, 16, ui::song(14, true), QColor(30, 70, 120));
    headerText->setObjectName(QStringLiteral("lblHeader"));

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("pnlBody"));
    body->setGeometry(0, 49, 435, 222);
    const QColor colours[] = {QColor(190, 60, 40),  QColor(40, 140, 110), QColor(110, 80, 40), QColor(120, 70, 160),
                              QColor(200, 120, 30), QColor(60, 100, 180), QColor(90, 110, 60), QColor(170, 60, 110)};
    for (int i = 0; i < texts::kMorePrograms.size(); ++i) {
        auto *program = new QToolButton(body);
        program->setObjectName(QStringLiteral("btnProgram%1").arg(i + 1));
        const QString name = texts::kMorePrograms.at(i);
        program->setText(name);
        program->setIcon(art::barIcon(name.mid(3, 1), colours[i]));
        program->setIconSize(QSize(32, 32));
        program->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        program->setFont(ui::song(13, true));
        program->setGeometry(17 + (i % 4) * 105, 15 + (i / 4) * 103, 88, 88);
        program->setCursor(Qt::PointingHandCursor);
        connect(program, &QToolButton::clicked, this, &MoreWindow::visit);
    }

    auto *footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("pnlFooter"));
    footer->setGeometry(0, 271, 435, 65);
    ui::setBackground(footer, QColor(238, 234, 224));
    auto *footerPicture = new QLabel(footer);
    footerPicture->setObjectName(QStringLiteral("imgFooter"));
    footerPicture->setPixmap(art::emblem(48));
    footerPicture->setGeometry(14, 8, 48, 48);
    QLabel *line1 = ui::caption(footer, texts::kMoreFooter1, 76, 14, ui::song(14, true), QColor(110, 60, 20));
    line1->setObjectName(QStringLiteral("lblFooter1"));
    QLabel *line2 = ui::caption(footer, texts::kMoreFooter2, 76, 36, ui::song(13), QColor(90, 90, 90));
    line2->setObjectName(QStringLiteral("lblFooter2"));

    for (QWidget *element :
         std::initializer_list<QWidget *>{header, headerIcon, headerText, body, footer, footerPicture, line1, line2})
        makeClickable(element);
}

void MoreWindow::makeClickable(QWidget *element)
{
    element->setCursor(Qt::PointingHandCursor);
    element->installEventFilter(this);
}

bool MoreWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Each element answers its own clicks; nothing reaches the panel beneath it.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            visit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MoreWindow::visit()
{
    guarded([this] { service::confirmThenOpen(texts::kConfirmMoreSite, service::siteUrl(), this); });
}

} // namespace mc::app
