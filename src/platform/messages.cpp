#include "platform/messages.h"
#include "platform/texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace mc {
namespace {

Messages *g_current = nullptr;

QtMessages &qtMessages()
{
    static QtMessages instance;
    return instance;
}

// Our texts never carry markup, and a keyword inside one must stay the text the user typed:
// automatic detection would render "<b>…" bold and load the picture an <img> names.
void showBox(QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

Messages &Messages::current()
{
    return g_current ? *g_current : qtMessages();
}

Messages *Messages::setCurrent(Messages *messages)
{
    return std::exchange(g_current, messages);
}

QString errorReportText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && trimmed.back().isPunct())
        return text;
    return text + QLatin1Char('.');
}

void QtMessages::information(const QString &text)
{
    showBox(QMessageBox::Information, texts::kAppTitle, text);
}

void QtMessages::plain(const QString &text)
{
    showBox(QMessageBox::NoIcon, texts::kAppTitle, text);
}

bool QtMessages::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtMessages::error(const QString &text)
{
    showBox(QMessageBox::Critical, texts::kAppTitle, text);
}

void QtMessages::applicationError(const QString &text)
{
    showBox(QMessageBox::Critical, QStringLiteral("Application Error"), text);
}

} // namespace mc
