#include "support/testsupport.h"

#include "platform/htmlview.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace mc::test {

void makeStore(const QString &path, const QString &createTable, const QString &table, const QList<QVariantList> &rows)
{
    QFile::remove(path);
    sqlite3 *db = nullptr;
    QVERIFY2(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK, "cannot create store");
    QVERIFY(sqlite3_exec(db, createTable.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const QVariantList &row : rows) {
        QStringList marks;
        for (qsizetype i = 0; i < row.size(); ++i)
            marks.append(QStringLiteral("?"));
        const QByteArray sql
            = QStringLiteral("INSERT INTO \"%1\" VALUES (%2)").arg(table, marks.join(QLatin1Char(','))).toUtf8();
        sqlite3_stmt *stmt = nullptr;
        QVERIFY(sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK);
        for (int i = 0; i < row.size(); ++i) {
            const QVariant &v = row.at(i);
            if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
            else {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
        QCOMPARE(sqlite3_step(stmt), SQLITE_DONE);
        sqlite3_finalize(stmt);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

QString fixtureStores()
{
    return QStringLiteral(MC_FIXTURE_STORES);
}

void copyFixtureStores(const QString &dir, const QStringList &except)
{
    QDir(dir).mkpath(QStringLiteral("data"));
    const QDir source(fixtureStores());
    const QStringList files = source.entryList({QStringLiteral("*.db"), QStringLiteral("*.json")}, QDir::Files);
    QVERIFY2(!files.isEmpty(), "fixture stores missing: run the fixture_stores test first");
    for (const QString &file : files) {
        if (except.contains(file))
            continue;
        const QString target = dir + QStringLiteral("/data/") + file;
        QFile::remove(target);
        QVERIFY(QFile::copy(source.filePath(file), target));
    }
}

WorkingFolder::WorkingFolder(Stores stores, const QStringList &exceptStores) : m_previous(QDir::currentPath())
{
    QVERIFY(m_dir.isValid());
    if (stores == FixtureStores)
        copyFixtureStores(m_dir.path(), exceptStores);
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder()
{
    QDir::setCurrent(m_previous);
}

SmallDisk::SmallDisk(qint64 bytes)
{
    if (::geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting a small file system needs root");
        return;
    }
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        m_whyNot
            = QStringLiteral("no mount namespace of our own: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_whyNot = QStringLiteral("cannot mount a tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {}
    // Down to the last byte: a page the blocks did not fill.
    while (::write(fd, "x", 1) > 0) {}
    ::close(fd);
}

bool SmallDisk::makeReadOnly()
{
    return m_mounted
        && ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

QVariant evaluate(web::HtmlView &view, const QString &script)
{
    QVariant value;
    QEventLoop loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
        value = v;
        loop.quit();
    });
    loop.exec();
    return value;
}

} // namespace mc::test
