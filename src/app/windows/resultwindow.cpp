#include "app/windows/resultwindow.h"
#include "app/texts.h"
#include "app/widgets/uikit.h"
#include "app/widgets/widgets.h"
#include "platform/htmlview.h"

namespace mc::app {

ResultWindow::ResultWindow(QWidget *mainWindow) : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setUpFixedWindow(this, QStringLiteral("TForm6"), texts::kResultCaption, QSize(795, 506), mainWindow);

    m_view = new web::HtmlView(this);
    m_view->setObjectName(QStringLiteral("webbrowser1"));
    m_view->setGeometry(rect());

    // Two plain panels hide the top and bottom of the page.
    auto *top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setGeometry(0, 0, 795, 57);
    ui::setBackground(top, ui::kPageBackground);
    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("Panel2"));
    bottom->setGeometry(0, 506 - 124, 795, 124);
    ui::setBackground(bottom, ui::kPageBackground);
}

} // namespace mc::app
