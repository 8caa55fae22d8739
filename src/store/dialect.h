#pragma once
#include <QString>
#include <QVariantList>

namespace mc::store {

// A query text of the form  select * from <table> [where <condition>]  turned into SQLite.
// Literals become bound parameters, so a keyword can never change the statement.
struct TranslatedQuery {
    QString table;
    QString where;       // SQLite condition with '?' placeholders, empty for none
    QVariantList params; // values for the placeholders, in order
};

// Throws mc::Error with a readable text for anything but the accepted form.
TranslatedQuery translateQuery(const QString &text);

// Double-quotes a name for SQLite.
QString quoteName(const QString &name);

} // namespace mc::store
