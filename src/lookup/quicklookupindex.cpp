#include "lookup/quicklookupindex.h"
#include "core/error.h"
#include "lookup/simplifier.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace mc::lookup {
namespace {

using store::StoreId;

constexpr qint64 kOrdBits = 24;
constexpr int kMaxMixedKeys = 16;
// The longest prefix, in characters, the pinyin table has an index of its own for. A longer
// prefix makes the full-text engine merge the lists of every token it begins, all of them
// before the first row comes.
constexpr qsizetype kLongestIndexedPrefix = 4;

qint64 section(store::StoreId store)
{
    return groupInfo(store).indexSection;
}

qint64 firstRow(store::StoreId store)
{
    return section(store) << kOrdBits;
}

qint64 lastRow(store::StoreId store)
{
    return firstRow(store) + (qint64(1) << kOrdBits) - 1;
}

// The stores whose entries have pinyin for the index to match.
bool hasPinyin(store::StoreId store)
{
    return store::storeInfo(store).columns.contains(QLatin1String("spell"));
}

// The characters of the text as one phrase of tokens: "中国" -> "中 国". Characters that are
// not letters or digits separate tokens in the index too, so they are left out.
QString phrase(const QString &text)
{
    QStringList tokens;
    for (char32_t c : text.toUcs4()) {
        if (QChar::isLetterOrNumber(c))
            tokens.append(QString::fromUcs4(&c, 1));
    }
    return tokens.isEmpty() ? QString() : QLatin1Char('"') + tokens.join(QLatin1Char(' ')) + QLatin1Char('"');
}

QString anyOf(const QStringList &keys, bool prefix)
{
    QStringList quoted;
    for (const QString &k : keys)
        quoted.append(QLatin1Char('"') + k + QLatin1Char('"') + (prefix ? QStringLiteral(" *") : QString()));
    return QLatin1Char('(') + quoted.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

bool pastPrefixIndex(const QStringList &keys)
{
    return std::all_of(keys.cbegin(), keys.cend(),
                       [](const QString &k) { return k.toUcs4().size() > kLongestIndexedPrefix; });
}

// Past every text that starts with the prefix, in the index's binary order.
QString prefixEnd(const QString &prefix)
{
    return prefix + QString::fromUcs4(U"\U0010FFFF", 1);
}

// The full-text tables: the searchable text's characters (phrases), and the pinyin forms (whole
// tokens and prefixes only).
const QString kText = QStringLiteral("terms");
const QString kPinyin = QStringLiteral("pinyin");

} // namespace

struct QuickLookupIndex::FullText {
    QString table, match;
};

struct QuickLookupIndex::Tier {
    enum Kind { KeyEqual, KeyPrefix, Terms } kind;
    Match match;
    QString arg = {};           // KeyEqual, KeyPrefix: the key
    QString tally = {};         // the key of its count in the tally table, for the short queries it holds
    QList<FullText> terms = {}; // Terms: rows matching all of them
    // Terms: one condition whose rows the engine gathers whole anyway (a prefix past the prefix
    // index); they are read once for every group and kept for the next group's turn.
    bool shared = false;
};

QuickLookupIndex::QuickLookupIndex(const QString &dataDir)
    : m_file(std::make_unique<store::StoreFile>(QDir(dataDir).filePath(QStringLiteral("search.db")), false,
                                                QStringList(), store::StoreFile::Queries::OwnIndex)),
      m_simplifier(std::make_unique<Simplifier>())
{
    // A newer keystroke stops a running statement instead of waiting for it.
    m_file->setCancelCheck([this] { return m_cancelled && m_cancelled(); });
}

QuickLookupIndex::~QuickLookupIndex() = default;

Query QuickLookupIndex::parse(const QString &text)
{
    return parseQuery(lookupText(text), m_simplifier.get());
}

qsizetype QuickLookupIndex::longestHead()
{
    if (m_longestHead < 0) {
        store::Statement st(*m_file, QStringLiteral("SELECT max(length(key)) FROM entries"), {});
        m_longestHead = st.next() ? st.integer(0) : 0;
    }
    return m_longestHead;
}

bool QuickLookupIndex::beginsHead(const QString &start)
{
    QStringList forms{start, start.toLower(), m_simplifier->simplified(start)};
    forms.removeDuplicates();
    for (const QString &form : std::as_const(forms)) {
        for (const GroupInfo &info : groups()) {
            store::Statement st(*m_file,
                                QStringLiteral("SELECT 1 FROM entries INDEXED BY entries_key "
                                               "WHERE sect = ? AND key >= ? AND key < ? LIMIT 1"),
                                {qint64(info.indexSection), form, prefixEnd(form)});
            if (st.next())
                return true;
        }
    }
    return false;
}

QString QuickLookupIndex::lookupText(const QString &text)
{
    // Shorter texts are searched whole without asking how long the headwords are.
    constexpr qsizetype kShortText = 16;
    const QString plain = text.simplified();
    if (plain.size() <= kShortText)
        return text;
    const QList<uint> codes = plain.toUcs4();
    if (codes.size() <= longestHead())
        return text;
    auto start
        = [&codes](qsizetype n) { return QString::fromUcs4(reinterpret_cast<const char32_t *>(codes.constData()), n); };
    // A start that begins a headword is begun by every shorter one: the longest is found by halves.
    qsizetype low = 1;
    qsizetype high = std::max<qsizetype>(1, m_longestHead);
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (beginsHead(start(middle)))
            low = middle;
        else
            high = middle - 1;
    }
    return start(low);
}

QStringList QuickLookupIndex::mixedKeys(const Query &query)
{
    QStringList keys{QString()};
    for (const Query::Part &part : query.parts) {
        QStringList pieces{part.text};
        if (part.han) {
            pieces = {QString()};
            for (char32_t c : part.text.toUcs4()) {
                store::Statement readings(*m_file, QStringLiteral("SELECT py FROM charpy WHERE ch = ?"),
                                          {QString::fromUcs4(&c, 1)});
                const QStringList own
                    = readings.next() ? readings.text(0).split(u' ', Qt::SkipEmptyParts) : QStringList();
                QStringList longer;
                for (const QString &p : std::as_const(pieces)) {
                    for (const QString &r : own)
                        longer.append(p + r);
                }
                pieces = longer.mid(0, kMaxMixedKeys);
            }
        }
        QStringList joined;
        for (const QString &k : std::as_const(keys)) {
            for (const QString &p : std::as_const(pieces))
                joined.append(k + p);
        }
        keys = joined.mid(0, kMaxMixedKeys);
    }
    keys.removeAll(QString());
    return keys;
}

QList<QuickLookupIndex::Tier> QuickLookupIndex::tiers(const Query &query, store::StoreId store)
{
    const auto fullText = [](Match match, QList<FullText> terms, const QString &tally = {}) {
        return Tier{Tier::Terms, match, QString(), tally, std::move(terms)};
    };
    QList<Tier> out;
    switch (query.kind) {
    case Query::Kind::Empty:
        break;
    case Query::Kind::Han:
        if (store == StoreId::Characters) {
            // Each character of the text, and as typed when that was traditional.
            const Match match = query.han.toUcs4().size() == 1 ? Match::Whole : Match::Part;
            QStringList seen;
            for (const QString &text : {query.han, query.typed}) {
                for (char32_t c : text.toUcs4()) {
                    const QString ch = QString::fromUcs4(&c, 1);
                    if (!seen.contains(ch))
                        out.append({Tier::KeyEqual, match, ch});
                    seen.append(ch);
                }
            }
            break;
        }
        if (store != StoreId::English) {
            out.append({Tier::KeyEqual, Match::Whole, query.han});
            out.append({Tier::KeyPrefix, Match::Start, query.han});
        }
        if (const QString p = phrase(query.han); !p.isEmpty()) {
            const bool oneHan = query.han.toUcs4().size() == 1 && isHan(query.han.toUcs4().constFirst());
            out.append(fullText(Match::Contains, {{kText, p}}, oneHan ? u't' + query.han : QString()));
        }
        break;
    case Query::Kind::Latin:
        if (store == StoreId::English) {
            out.append({Tier::KeyEqual, Match::Whole, query.english});
            out.append({Tier::KeyPrefix, Match::Start, query.english,
                        query.english.toUcs4().size() <= 3 ? u'k' + query.english : QString()});
        } else if (hasPinyin(store) && !query.pinyinKeys.isEmpty()) {
            if (query.syllables.size() > 1) {
                // The index holds the first reading's syllables joined by "0": these exactly, then
                // those whose last syllable starts with the last one typed.
                const QStringList parted{query.syllables.join(u'0')};
                out.append(fullText(Match::Whole, {{kPinyin, anyOf(parted, false)}}));
                out.append(fullText(Match::Start, {{kPinyin, anyOf(parted, true)}}));
                out.last().shared = pastPrefixIndex(parted);
            } else {
                out.append(fullText(Match::Whole, {{kPinyin, anyOf(query.pinyinKeys, false)}}));
                const QString &key = query.pinyinKeys.constFirst();
                const bool shortKey = query.pinyinKeys.size() == 1 && key.toUcs4().size() <= 3;
                out.append(fullText(Match::Start, {{kPinyin, anyOf(query.pinyinKeys, true)}},
                                    shortKey ? u'p' + key : QString()));
                out.last().shared = pastPrefixIndex(query.pinyinKeys);
            }
        }
        break;
    case Query::Kind::Mixed:
        if (store == StoreId::Words || store == StoreId::Idioms) {
            const QStringList keys = mixedKeys(query);
            QStringList han;
            for (const Query::Part &part : query.parts) {
                if (part.han)
                    han.append(phrase(part.text));
            }
            const FullText text{kText, han.join(QStringLiteral(" AND "))};
            if (!keys.isEmpty()) {
                out.append(fullText(Match::Whole, {{kPinyin, anyOf(keys, false)}, text}));
                out.append(fullText(Match::Start, {{kPinyin, anyOf(keys, true)}, text}));
            }
        }
        break;
    }
    return out;
}

void QuickLookupIndex::collect(const Tier &tier, store::StoreId store, int limit, QList<Hit> &hits, QSet<int> &seen)
{
    const qint64 sect = section(store);
    const qint64 rows = limit < 0 ? -1 : qint64(limit);
    std::unique_ptr<store::Statement> st;
    const store::StoreFile &db = *m_file;
    switch (tier.kind) {
    case Tier::KeyEqual:
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral("SELECT ord, rid, coalesce(head, key) FROM entries INDEXED BY entries_key "
                           "WHERE sect = ? AND key = ? ORDER BY ord LIMIT ?"),
            QVariantList{sect, tier.arg, rows});
        break;
    case Tier::KeyPrefix:
        // English headwords have no frequency and are stored in alphabetical order, so the
        // index's own order is their ranking order and nothing needs sorting.
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral("SELECT ord, rid, coalesce(head, key) FROM entries INDEXED BY entries_key "
                           "WHERE sect = ? AND key >= ? AND key < ? ORDER BY %1 LIMIT ?")
                .arg(store == StoreId::English ? QStringLiteral("key, ord") : QStringLiteral("ord")),
            QVariantList{sect, tier.arg, prefixEnd(tier.arg), rows});
        break;
    case Tier::Terms:
        if (tier.shared) {
            const auto [from, to] = groupRows(tier.terms.constFirst(), store);
            collectRows(from, to, tier.match, store, limit, hits, seen);
            return;
        }
        if (tier.terms.size() > 1) {
            const QList<qint64> rows = matchingRows(tier, store);
            collectRows(rows.cbegin(), rows.cend(), tier.match, store, limit, hits, seen);
            return;
        }
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral(
                "SELECT e.ord, e.rid, coalesce(e.head, e.key) FROM %1 t "
                "JOIN entries e ON e.sect = ?1 AND e.ord = t.rowid - ?2 WHERE %1 MATCH ?3 AND t.rowid BETWEEN ?2 AND ?4 ORDER BY t.rowid LIMIT ?5")
                .arg(tier.terms.constFirst().table),
            QVariantList{sect, firstRow(store), tier.terms.constFirst().match, lastRow(store), rows});
        break;
    }
    while ((limit < 0 || hits.size() < limit) && st->next()) {
        const int ord = int(st->integer(0));
        if (seen.contains(ord))
            continue;
        seen.insert(ord);
        hits.append({ord, st->integer(1), st->text(2), tier.match});
    }
}

// The rows of the group that match every condition of the tier, in ranking order. Each condition
// reads a table of its own, so the rows are intersected here; only mixed input gets here.
QList<qint64> QuickLookupIndex::matchingRows(const Tier &tier, store::StoreId store)
{
    QList<qint64> rows;
    for (const FullText &terms : tier.terms) {
        store::Statement st(
            *m_file,
            QStringLiteral("SELECT rowid FROM %1 WHERE %1 MATCH ? AND rowid BETWEEN ? AND ? ORDER BY rowid")
                .arg(terms.table),
            {terms.match, firstRow(store), lastRow(store)});
        QList<qint64> own;
        while (st.next())
            own.append(st.integer(0));
        if (&terms == &tier.terms.constFirst()) {
            rows = std::move(own);
        } else {
            QList<qint64> both;
            std::set_intersection(rows.cbegin(), rows.cend(), own.cbegin(), own.cend(), std::back_inserter(both));
            rows = std::move(both);
        }
        if (rows.isEmpty())
            break;
    }
    return rows;
}

std::pair<QuickLookupIndex::RowIt, QuickLookupIndex::RowIt> QuickLookupIndex::groupRows(const FullText &terms,
                                                                                        store::StoreId store)
{
    if (!m_shared || m_shared->table != terms.table || m_shared->match != terms.match) {
        store::Statement st(*m_file,
                            QStringLiteral("SELECT rowid FROM %1 WHERE %1 MATCH ? ORDER BY rowid").arg(terms.table),
                            {terms.match});
        QList<qint64> rows;
        while (st.next())
            rows.append(st.integer(0));
        m_shared = SharedRows{terms.table, terms.match, std::move(rows)};
    }
    const QList<qint64> &rows = m_shared->rows;
    return {std::lower_bound(rows.cbegin(), rows.cend(), firstRow(store)),
            std::upper_bound(rows.cbegin(), rows.cend(), lastRow(store))};
}

void QuickLookupIndex::collectRows(RowIt from, RowIt to, Match match, store::StoreId store, int limit, QList<Hit> &hits,
                                   QSet<int> &seen)
{
    // The entries are read a batch at a time, in one statement each.
    constexpr qsizetype kBatch = 64;
    while (from != to && (limit < 0 || hits.size() < limit)) {
        QStringList ords;
        for (; from != to && ords.size() < kBatch; ++from) {
            const int ord = int(*from - firstRow(store));
            if (!seen.contains(ord))
                ords.append(QString::number(ord));
        }
        if (ords.isEmpty())
            continue;
        store::Statement st(
            *m_file,
            QStringLiteral("SELECT ord, rid, coalesce(head, key) FROM entries WHERE sect = ? AND ord IN "
                           "(SELECT value FROM json_each(?)) ORDER BY ord"),
            {section(store), QString(u'[' + ords.join(u',') + u']')});
        while ((limit < 0 || hits.size() < limit) && st.next()) {
            const int ord = int(st.integer(0));
            seen.insert(ord);
            hits.append({ord, st.integer(1), st.text(2), match});
        }
    }
}

int QuickLookupIndex::count(const Tier &tier, store::StoreId store)
{
    const qint64 sect = section(store);
    const store::StoreFile &db = *m_file;
    if (!tier.tally.isEmpty()) {
        // The tally holds every key that occurs at all.
        store::Statement st(db, QStringLiteral("SELECT n FROM tally WHERE sect = ? AND key = ?"), {sect, tier.tally});
        return st.next() ? int(st.integer(0)) : 0;
    }
    if (tier.shared) {
        const auto [from, to] = groupRows(tier.terms.constFirst(), store);
        return int(std::distance(from, to));
    }
    if (tier.kind == Tier::Terms && tier.terms.size() > 1)
        return int(matchingRows(tier, store).size());
    if (tier.kind == Tier::Terms) {
        const FullText &terms = tier.terms.constFirst();
        store::Statement st(
            db, QStringLiteral("SELECT count(*) FROM %1 WHERE %1 MATCH ? AND rowid BETWEEN ? AND ?").arg(terms.table),
            {terms.match, firstRow(store), lastRow(store)});
        return st.next() ? int(st.integer(0)) : 0;
    }
    const bool prefix = tier.kind == Tier::KeyPrefix;
    store::Statement st(
        db,
        prefix ? QStringLiteral(
            "SELECT count(*) FROM entries INDEXED BY entries_key WHERE sect = ? AND key >= ? AND key < ?")
               : QStringLiteral("SELECT count(*) FROM entries INDEXED BY entries_key WHERE sect = ? AND key = ?"),
        prefix ? QVariantList{sect, tier.arg, prefixEnd(tier.arg)} : QVariantList{sect, tier.arg});
    return st.next() ? int(st.integer(0)) : 0;
}

GroupResult QuickLookupIndex::search(const Query &query, store::StoreId store, int limit, const CancelCheck &cancelled)
{
    GroupResult result;
    result.store = store;
    m_cancelled = cancelled;
    const auto reset = qScopeGuard([this] { m_cancelled = {}; });
    try {
        const QList<Tier> list = tiers(query, store);
        QSet<int> seen;
        for (const Tier &tier : list) {
            if (limit >= 0 && result.hits.size() >= limit)
                break;
            collect(tier, store, limit, result.hits, seen);
        }
        // The tiers widen one another, so the last one counts every match; the characters of a
        // text are each their own tier.
        if (store == StoreId::Characters && query.kind == Query::Kind::Han)
            result.count = int(result.hits.size());
        else if (!list.isEmpty())
            result.count = std::max(int(result.hits.size()), count(list.last(), store));
    } catch (const Error &) {
        if (!(cancelled && cancelled()))
            throw;
    }
    return result;
}

QList<GroupResult> QuickLookupIndex::searchAll(const Query &query, int limit, const CancelCheck &cancelled)
{
    QList<GroupResult> results;
    for (const GroupInfo &info : groups()) {
        if (cancelled && cancelled())
            break;
        results.append(search(query, info.store, limit, cancelled));
    }
    return results;
}

void QuickLookupIndex::warmUp()
{
    for (const QString &text : {QStringLiteral("水"), QStringLiteral("shui")})
        searchAll(parse(text), 1);
}

std::optional<store::StoreId> bestGroup(const QList<GroupResult> &results)
{
    // The window's order otherwise; an entry several stores hold shows from the one that says most.
    static const QList<StoreId> fullerFirst
        = {StoreId::Characters, StoreId::Idioms, StoreId::Words, StoreId::Xiehouyu, StoreId::English, StoreId::Sayings};
    const GroupResult *best = nullptr;
    for (const GroupResult &r : results) {
        if (!r.hits.isEmpty() && (!best || r.hits.constFirst().match < best->hits.constFirst().match))
            best = &r;
    }
    if (!best)
        return std::nullopt;
    const Hit &top = best->hits.constFirst();
    for (const GroupResult &r : results) {
        if (!r.hits.isEmpty() && r.hits.constFirst().match == top.match && r.hits.constFirst().head == top.head
            && fullerFirst.indexOf(r.store) < fullerFirst.indexOf(best->store))
            best = &r;
    }
    return best->store;
}

} // namespace mc::lookup
