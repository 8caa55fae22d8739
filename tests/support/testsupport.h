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

// A file system of its own of the given size (a tmpfs), for disks that fill up. Mounting needs
// root; the mount is made in a mount namespace of this thread's own, so it is gone with the
// process whatever happens to the test. Check isMounted() and skip with whyNot() otherwise.
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Fills what is left with the file "filler".
    void fill();
    // From now on nothing on it can be written, not even by root.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_whyNot;
};

// Runs a script in the view's page and waits for its answer, processing events (30 s at most).
QVariant evaluate(web::HtmlView &view, const QString &script);

} // namespace mc::test
