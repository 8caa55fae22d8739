#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace mc::web {
class HtmlView;
}

namespace mc::test {

// Creates an SQLite store at path from one CREATE TABLE statement and rows of values.
void makeStore(const QString &path, const QString &createTable, const QString &table,
               const QList<QVariantList> &rows);

// Folder of the stores built from tests/fixtures by the store builder.
QString fixtureStores();

// Copies the fixture stores into <dir>/data, as a program run from dir expects them.
void copyFixtureStores(const QString &dir, const QStringList &except = {});

// Runs a script in the view's page and waits for its answer, processing events (30 s at most).
QVariant evaluate(web::HtmlView &view, const QString &script);

} // namespace mc::test
