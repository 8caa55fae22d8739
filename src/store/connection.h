#pragma once
#include <QString>

namespace mc::store {

// A connection text of the form
//   Provider=...;Data Source=data/xhb.db;Mode=Share Deny Read|Share Deny Write;
//   Persist Security Info=False;Jet OLEDB:Database Password=...
struct ConnectionSettings {
    QString provider;
    QString dataSource;
    QString password;
    bool shareDenyRead = false;
    bool shareDenyWrite = false;
};

QString connectionText(const QString &dataSource, const QString &password);

// Throws mc::Error when the text names no data source.
ConnectionSettings parseConnectionText(const QString &text);

} // namespace mc::store
