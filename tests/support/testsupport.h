#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

namespace mc::web {
class HtmlView;
}

namespace mc::test {

// Creates an SQLite store at path from one CREATE TABLE statement and rows of values.
void makeStore(const QString &path, const QString &createTable, const QString &table, const QList<QVariantList> &rows);

// Folder of the stores built from tests/fixtures by the store builder.
QString fixtureStores();

// Copies the fixture stores into <dir>/data, as a program run from dir expects them.
void copyFixtureStores(const QString &dir, const QStringList &except = {});

// A scratch folder that is the working directory while it lives, with the fixture stores in
// data/ unless asked for none; the working directory before it comes back at its end.
class WorkingFolder {
public:
    enum Stores { FixtureStores, NoStores };
    explicit WorkingFolder(Stores stores = FixtureStores, const QStringList &exceptStores = {});
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// Runs a script in the view's page and waits for its answer, processing events (30 s at most).
QVariant evaluate(web::HtmlView &view, const QString &script);

} // namespace mc::test
