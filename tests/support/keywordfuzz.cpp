#include "support/keywordfuzz.h"
#include "core/error.h"
#include "search/keywordsearch.h"
#include "search/searchtable.h"
#include "store/connection.h"
#include "store/dataset.h"
#include "store/storefile.h"
#include "store/stores.h"
#include "support/doubles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <memory>

namespace mc::test {
namespace {

const QStringList kFragments = {
    QStringLiteral("\" or 1=1 --"),
    QStringLiteral("\"; drop table hz; --"),
    QStringLiteral("' or ''='"),
    QStringLiteral("\") union select * from sqlite_master --"),
    QStringLiteral("%\"--"),
    QStringLiteral("\"\""),
    QStringLiteral("{keyword}"),
    QStringLiteral("{radical}"),
    QStringLiteral("{strokes}"),
    QStringLiteral("[hz]"),
    QStringLiteral("*/"),
    QStringLiteral("/*"),
    QStringLiteral("; attach database 'x' as y;"),
    QStringLiteral("\" collate nocase or \"a\"=\"a"),
    QStringLiteral("\\%"),
    QStringLiteral("\\_"),
    QStringLiteral("8 or 1=1"),
    QStringLiteral("1e5"),
    QStringLiteral(" -3 "),
    QStringLiteral("口12"),
    QStringLiteral("成？上？"),
    QStringLiteral("q?b?"),
};

const QString kSpecials = QStringLiteral("\"'\\%_？?;-*()[]=<>&#");

// A keyword must never reach a box whole: long ones would make the tally useless.
QString messageKind(const QString &text)
{
    if (text.startsWith(QStringLiteral("关键字 ")))
        return QStringLiteral("关键字 … 没有搜索到结果！");
    if (text.startsWith(QStringLiteral("符合条件记录")))
        return QStringLiteral("符合条件记录…条");
    if (text.startsWith(QStringLiteral("查到 ")))
        return QStringLiteral("查到 … 条记录");
    return text;
}

class Box final : public search::KeywordBox {
public:
    QString value;
    QString text() const override { return value; }
    void setText(const QString &text) override { value = text; }
};

} // namespace

QString KeywordSource::piece()
{
    switch (m_random.bounded(10)) {
    case 0:
    case 1: { // CJK, now and then beyond the basic plane
        if (m_random.bounded(8) == 0) {
            const char32_t c = 0x20000 + m_random.bounded(0xA6D6);
            return QString(QChar(QChar::highSurrogate(c))) + QChar(QChar::lowSurrogate(c));
        }
        return QString(QChar(char16_t(0x4E00 + m_random.bounded(0x51A6))));
    }
    case 2:
    case 3: // printable ASCII
        return QString(QChar(char16_t(0x20 + m_random.bounded(0x5F))));
    case 4:
    case 5:
        return QString(kSpecials.at(m_random.bounded(int(kSpecials.size()))));
    case 6:
        return kFragments.at(m_random.bounded(int(kFragments.size())));
    case 7: { // control characters, NUL among them
        static const char16_t controls[] = {0, 1, 7, 8, 9, 10, 13, 27, 31, 127, 0x85, 0x9F};
        return QString(QChar(controls[m_random.bounded(int(std::size(controls)))]));
    }
    case 8: // half of a surrogate pair
        return QString(QChar(char16_t(0xD800 + m_random.bounded(0x800))));
    default: // full-width forms and other symbols
        return QString(QChar(char16_t(0xFF01 + m_random.bounded(0x5E))));
    }
}

QString KeywordSource::next()
{
    const quint32 roll = m_random.bounded(1000);
    int pieces;
    if (roll < 2)
        pieces = 40000; // tens of thousands of characters
    else if (roll < 10)
        pieces = 900 + int(m_random.bounded(300)); // around the length limit
    else if (roll < 100)
        pieces = 20 + int(m_random.bounded(80));
    else
        pieces = int(m_random.bounded(8));
    if (pieces >= 40000) {
        const QString unit = m_random.bounded(2) ? QStringLiteral("%") : QStringLiteral("%_");
        return unit.repeated(pieces / unit.size());
    }
    QString keyword;
    for (int i = 0; i < pieces; ++i)
        keyword += piece();
    return keyword;
}

QStringList hostileKeywords()
{
    QFile file(QStringLiteral(MC_SOURCE_DIR "/tests/fuzz/hostile-keywords.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("hostile keyword list missing");
    QStringList keywords;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        QString keyword;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (c != QLatin1Char('\\') || i + 1 >= line.size()) {
                keyword += c;
                continue;
            }
            const QChar e = line.at(++i);
            if (e == QLatin1Char('0'))
                keyword += QChar(0);
            else if (e == QLatin1Char('t'))
                keyword += QLatin1Char('\t');
            else if (e == QLatin1Char('r'))
                keyword += QLatin1Char('\r');
            else if (e == QLatin1Char('n'))
                keyword += QLatin1Char('\n');
            else if (e == QLatin1Char('u') && i + 4 < line.size()) {
                keyword += QChar(char16_t(line.mid(i + 1, 4).toUShort(nullptr, 16)));
                i += 4;
            } else
                keyword += e;
        }
        keywords.append(keyword);
    }
    return keywords;
}

struct KeywordFuzz::State {
    QList<std::shared_ptr<store::Dataset>> datasets;
    QMap<store::StoreId, store::Dataset *> byStore;
    RecordingMessages messages;
    QSet<QString> *seen = nullptr;
    FuzzReport *report = nullptr;
};

KeywordFuzz::KeywordFuzz(bool fullCommand, int perKeyword)
    : m_state(new State), m_fullCommand(fullCommand), m_perKeyword(perKeyword)
{
    store::setStatementObserver([this](const QString &sql) {
        if (m_state->report)
            ++m_state->report->shapes[sql];
        else
            m_expected.insert(sql);
    });
    // Opened as start-up opens them: the store's own table only, every column checked.
    for (const store::StoreInfo &info : store::stores()) {
        auto d = std::make_shared<store::Dataset>(info.datasetName);
        d->setConnectionText(store::connectionText(info.file, info.password));
        d->setKeyColumns(info.keyColumns);
        d->setStoreTable(info.table, info.columns);
        d->setTitle(info.title);
        d->appendQuery(info.baseQuery);
        d->open();
        m_state->datasets.append(d);
        m_state->byStore.insert(info.id, d.get());
    }
    // The plain searches, found and not found, give the statements there should ever be.
    const QStringList plain = {QStringLiteral("水"), QStringLiteral("a"), QStringLiteral("口3"), QStringLiteral("8"),
                               QStringLiteral("zzqqzzqq")};
    for (const search::SearchEntry &entry : search::searches()) {
        store::Dataset *d = m_state->byStore.value(entry.store);
        for (const QString &keyword : plain) {
            Box box;
            box.value = keyword;
            search::runSearch(entry, box, *d);
            if (d->isOpen() && d->recordCount() > 1)
                d->setCurrentRow(1);
        }
    }
    m_state->messages.clear();
}

KeywordFuzz::~KeywordFuzz()
{
    store::setStatementObserver(nullptr);
    delete m_state;
}

void KeywordFuzz::run(const QString &keyword, FuzzReport &report)
{
    const QList<search::SearchEntry> &entries = search::searches();
    m_state->report = &report;
    const int count = m_perKeyword > 0 ? m_perKeyword : int(entries.size());
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < count; ++n) {
        const search::SearchEntry &entry = entries.at(int(m_turn++ % entries.size()));
        store::Dataset *d = m_state->byStore.value(entry.store);
        ++report.cases;
        try {
            if (m_fullCommand) {
                Box box;
                box.value = keyword;
                search::runSearch(entry, box, *d);
            } else {
                // The search's own statement, after the same keyword checks the command makes.
                const QString searchable = search::normaliseQuestionMarks(search::searchableKeyword(keyword));
                if (searchable.isEmpty() || searchable.size() > search::kKeywordLimit) {
                    ++report.messages[QStringLiteral("(keyword refused)")];
                    continue;
                }
                d->clearQuery();
                if (const std::optional<QString> query = search::buildQuery(entry, searchable)) {
                    d->appendQuery(*query);
                    d->open();
                    if (d->recordCount() > 1)
                        d->setCurrentRow(1);
                }
            }
        } catch (const Error &e) {
            QString kind = e.text();
            ++report.errors[kind];
        } catch (const std::exception &e) {
            report.foreignFailures.append(QString::fromLocal8Bit(e.what()));
        }
        for (const RecordingMessages::Shown &shown : m_state->messages.shown())
            ++report.messages[messageKind(shown.text)];
        m_state->messages.clear();
    }
    report.seconds += double(timer.nsecsElapsed()) / 1e9;
    m_state->report = nullptr;
    for (auto it = report.shapes.cbegin(); it != report.shapes.cend(); ++it) {
        if (!m_expected.contains(it.key()) && !report.unexpectedShapes.contains(it.key()))
            report.unexpectedShapes.append(it.key());
    }
}

QHash<QString, QByteArray> fileDigests(const QString &dir)
{
    QHash<QString, QByteArray> digests;
    const QDir folder(dir);
    for (const QString &name : folder.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(&file);
        digests.insert(name, hash.result().toHex());
    }
    return digests;
}

} // namespace mc::test
