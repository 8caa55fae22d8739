#pragma once
#include <QString>

class QWidget;

// The main window's service commands: each asks first and only on Yes opens an address through
// the desktop shell. The addresses are deployment values.
namespace mc::app::service {

QString siteUrl();
QString mailUrl(); // mailto link to the maker, with its subject
QString chatUrl(); // the instant-messaging web chat with the maker

// Asks question; on Yes opens target with owner as the owning window. Returns whether it opened.
bool confirmThenOpen(const QString &question, const QString &target, QWidget *owner);

bool visitSite(QWidget *owner);     // "软件升级", menu "访问软件网站", welcome web and studio lines
bool contactAuthor(QWidget *owner); // "联系作者", menu "联系软件作者", welcome e-mail line
bool chatWithAuthor(QWidget *owner);
void showExtensionNote();

} // namespace mc::app::service
