#include "app/windows/resultwindow.h"
#include "app/texts.h"
#include "app/widgets/uikit.h"
#include "platform/htmlview.h"

namespace mc::app {

ResultWindow::ResultWindow(QWidget *mainWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(texts::kResultCaption);
    setFixedSize(795, 506);

    auto *view = new web::HtmlView(this);
    view->setObjectName(QStringLiteral("webbrowser1"));
    view->setGeometry(rect());

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

void ResultWindow::showEvent(QShowEvent *event)
{
    if (!m_placed && m_mainWindow) {
        move(m_mainWindow->frameGeometry().center() - rect().center());
        m_placed = true;
    }
    QWidget::showEvent(event);
}

} // namespace mc::app
