#include "app/servicecommands.h"
#include "app/texts.h"
#include "mc/config.h"
#include "platform/messages.h"
#include "platform/shell.h"

namespace mc::app::service {

QString siteUrl()
{
    return QStringLiteral(MC_MAKER_SITE);
}

QString mailUrl()
{
    return QStringLiteral("mailto:") + QStringLiteral(MC_MAKER_EMAIL) + texts::kMailSubject;
}

QString chatUrl()
{
    QString host = QStringLiteral(MC_CHAT_HOST);
    if (!host.endsWith(QLatin1Char('/')))
        host += QLatin1Char('/');
    return host + QStringLiteral("msgrd?") + texts::kChatQuery.arg(QStringLiteral(MC_MAKER_ACCOUNT));
}

bool confirmThenOpen(const QString &question, const QString &target, QWidget *owner)
{
    if (!Messages::current().confirm(question))
        return false;
    Shell::current().open(target, owner);
    return true;
}

bool visitSite(QWidget *owner)
{
    return confirmThenOpen(texts::kConfirmSite, siteUrl(), owner);
}

bool contactAuthor(QWidget *owner)
{
    return confirmThenOpen(texts::kConfirmContact, mailUrl(), owner);
}

bool chatWithAuthor(QWidget *owner)
{
    return confirmThenOpen(texts::kConfirmChat, chatUrl(), owner);
}

void showExtensionNote()
{
    Messages::current().plain(texts::kExtensionNoteText);
}

} // namespace mc::app::service
