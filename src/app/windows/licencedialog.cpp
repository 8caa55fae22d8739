#include "app/windows/licencedialog.h"
#include "app/texts.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace mc::app {

QString LicenceDialog::noticePath()
{
    return QStringLiteral(":/notices/licences.html");
}

LicenceDialog::LicenceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgLicences"));
    setWindowTitle(texts::kLicences);
    resize(640, 480);
    auto *layout = new QVBoxLayout(this);
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("txtLicences"));
    browser->setOpenExternalLinks(true);
    QFile notice(noticePath());
    if (notice.open(QIODevice::ReadOnly))
        browser->setHtml(QString::fromUtf8(notice.readAll()));
    else
        browser->setPlainText(QStringLiteral("没有找到数据许可说明。"));
    layout->addWidget(browser);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace mc::app
