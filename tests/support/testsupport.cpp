#include "support/testsupport.h"

#include "platform/htmlview.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <sqlite3.h>

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
