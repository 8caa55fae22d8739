#include "lookup/lookupindex.h"
#include "core/error.h"
#include "lookup/simplifier.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>

namespace mc::lookup {
namespace {

constexpr qint64 kOrdBits = 24;
constexpr int kMaxMixedKeys = 16;

qint64 firstRow(Group group)
{
    return qint64(group) << kOrdBits;
}

qint64 lastRow(Group group)
{
    return firstRow(group) + (qint64(1) << kOrdBits) - 1;
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

// Past every text that starts with the prefix, in the index's binary order.
QString prefixEnd(const QString &prefix)
{
    return prefix + QString::fromUcs4(U"\U0010FFFF", 1);
}

} // namespace

struct LookupIndex::Tier {
    enum Kind { KeyEqual, KeyPrefix, Terms } kind;
    QString arg;
    QString tally; // the key of its count in the tally table, for the short queries it holds
};

LookupIndex::LookupIndex(const QString &dataDir)
    : m_file(std::make_unique<store::StoreFile>(QDir(dataDir).filePath(QStringLiteral("search.db")), false,
                                                QStringList(), store::StoreFile::Queries::OwnIndex)),
      m_simplifier(std::make_unique<Simplifier>())
{
    // A newer keystroke stops a running statement instead of waiting for it.
    m_file->setCancelCheck([this] { return m_cancelled && m_cancelled(); });
}

LookupIndex::~LookupIndex() = default;

Query LookupIndex::parse(const QString &text)
{
    return parseQuery(lookupText(text), m_simplifier.get());
}

qsizetype LookupIndex::longestHead()
{
    if (m_longestHead < 0) {
        store::Statement st(*m_file, QStringLiteral("SELECT max(length(key)) FROM entries"), {});
        m_longestHead = st.next() ? st.integer(0) : 0;
    }
    return m_longestHead;
}

bool LookupIndex::beginsHead(const QString &start)
{
    QStringList forms{start, start.toLower(), m_simplifier->simplified(start)};
    forms.removeDuplicates();
    for (const QString &form : std::as_const(forms)) {
        for (const GroupInfo &info : groups()) {
            store::Statement st(*m_file,
                                QStringLiteral("SELECT 1 FROM entries INDEXED BY entries_key "
                                               "WHERE sect = ? AND key >= ? AND key < ? LIMIT 1"),
                                {qint64(info.group), form, prefixEnd(form)});
            if (st.next())
                return true;
        }
    }
    return false;
}

QString LookupIndex::lookupText(const QString &text)
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

QStringList LookupIndex::mixedKeys(const Query &query)
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

QList<LookupIndex::Tier> LookupIndex::tiers(const Query &query, Group group)
{
    QList<Tier> out;
    switch (query.kind) {
    case Query::Kind::Empty:
        break;
    case Query::Kind::Han:
        if (group == Group::Characters) {
            // Each character of the text, and as typed when that was traditional.
            QStringList seen;
            for (const QString &text : {query.han, query.typed}) {
                for (char32_t c : text.toUcs4()) {
                    const QString ch = QString::fromUcs4(&c, 1);
                    if (!seen.contains(ch))
                        out.append({Tier::KeyEqual, ch});
                    seen.append(ch);
                }
            }
            break;
        }
        if (group != Group::English) {
            out.append({Tier::KeyEqual, query.han});
            out.append({Tier::KeyPrefix, query.han});
        }
        if (const QString p = phrase(query.han); !p.isEmpty()) {
            const bool oneHan = query.han.toUcs4().size() == 1 && isHan(query.han.toUcs4().constFirst());
            out.append({Tier::Terms, QStringLiteral("text: ") + p, oneHan ? u't' + query.han : QString()});
        }
        break;
    case Query::Kind::Latin:
        if (group == Group::English) {
            out.append({Tier::KeyEqual, query.english});
            out.append({Tier::KeyPrefix, query.english,
                        query.english.toUcs4().size() <= 3 ? u'k' + query.english : QString()});
        } else if (group <= Group::Idioms && !query.pinyinKeys.isEmpty()) {
            if (query.syllables.size() > 1) {
                const QString syllables = QLatin1Char('"') + query.syllables.join(u' ') + QLatin1Char('"');
                out.append({Tier::Terms,
                            QStringLiteral("py: %1 AND syl: ^ %2").arg(anyOf(query.pinyinKeys, false), syllables)});
                out.append({Tier::Terms, QStringLiteral("syl: ^ %1 *").arg(syllables)});
            } else {
                out.append({Tier::Terms, QStringLiteral("py: ") + anyOf(query.pinyinKeys, false)});
                const QString &key = query.pinyinKeys.constFirst();
                const bool shortKey = query.pinyinKeys.size() == 1 && key.toUcs4().size() <= 3;
                out.append({Tier::Terms, QStringLiteral("py: ") + anyOf(query.pinyinKeys, true),
                            shortKey ? u'p' + key : QString()});
            }
        }
        break;
    case Query::Kind::Mixed:
        if (group == Group::Words || group == Group::Idioms) {
            const QStringList keys = mixedKeys(query);
            QString han;
            for (const Query::Part &part : query.parts) {
                if (part.han)
                    han += QStringLiteral(" AND text: ") + phrase(part.text);
            }
            if (!keys.isEmpty()) {
                out.append({Tier::Terms, QStringLiteral("py: ") + anyOf(keys, false) + han});
                out.append({Tier::Terms, QStringLiteral("py: ") + anyOf(keys, true) + han});
            }
        }
        break;
    }
    return out;
}

void LookupIndex::collect(const Tier &tier, Group group, int limit, QList<Hit> &hits, QSet<int> &seen)
{
    const qint64 sect = qint64(group);
    const qint64 rows = limit < 0 ? -1 : qint64(limit);
    std::unique_ptr<store::Statement> st;
    const store::StoreFile &db = *m_file;
    switch (tier.kind) {
    case Tier::KeyEqual:
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral(
                "SELECT ord, rid, head FROM entries INDEXED BY entries_key WHERE sect = ? AND key = ? ORDER BY ord LIMIT ?"),
            QVariantList{sect, tier.arg, rows});
        break;
    case Tier::KeyPrefix:
        // English headwords have no frequency and are stored in alphabetical order, so the
        // index's own order is their ranking order and nothing needs sorting.
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral(
                "SELECT ord, rid, head FROM entries INDEXED BY entries_key WHERE sect = ? AND key >= ? AND key < ? "
                "ORDER BY %1 LIMIT ?")
                .arg(group == Group::English ? QStringLiteral("key, ord") : QStringLiteral("ord")),
            QVariantList{sect, tier.arg, prefixEnd(tier.arg), rows});
        break;
    case Tier::Terms:
        st = std::make_unique<store::Statement>(
            db,
            QStringLiteral(
                "SELECT e.ord, e.rid, e.head FROM terms t JOIN entries e ON e.sect = ?1 AND e.ord = t.rowid - ?2 "
                "WHERE terms MATCH ?3 AND t.rowid BETWEEN ?2 AND ?4 ORDER BY t.rowid LIMIT ?5"),
            QVariantList{sect, firstRow(group), tier.arg, lastRow(group), rows});
        break;
    }
    while ((limit < 0 || hits.size() < limit) && st->next()) {
        const int ord = int(st->integer(0));
        if (seen.contains(ord))
            continue;
        seen.insert(ord);
        hits.append({ord, st->integer(1), st->text(2)});
    }
}

int LookupIndex::count(const Tier &tier, Group group)
{
    const store::StoreFile &db = *m_file;
    if (!tier.tally.isEmpty()) {
        // The tally holds every key that occurs at all.
        store::Statement st(db, QStringLiteral("SELECT n FROM tally WHERE sect = ? AND key = ?"),
                            {qint64(group), tier.tally});
        return st.next() ? int(st.integer(0)) : 0;
    }
    if (tier.kind == Tier::Terms) {
        store::Statement st(db,
                            QStringLiteral("SELECT count(*) FROM terms WHERE terms MATCH ? AND rowid BETWEEN ? AND ?"),
                            {tier.arg, firstRow(group), lastRow(group)});
        return st.next() ? int(st.integer(0)) : 0;
    }
    const bool prefix = tier.kind == Tier::KeyPrefix;
    store::Statement st(
        db,
        prefix ? QStringLiteral(
            "SELECT count(*) FROM entries INDEXED BY entries_key WHERE sect = ? AND key >= ? AND key < ?")
               : QStringLiteral("SELECT count(*) FROM entries INDEXED BY entries_key WHERE sect = ? AND key = ?"),
        prefix ? QVariantList{qint64(group), tier.arg, prefixEnd(tier.arg)} : QVariantList{qint64(group), tier.arg});
    return st.next() ? int(st.integer(0)) : 0;
}

GroupResult LookupIndex::search(const Query &query, Group group, int limit, const CancelCheck &cancelled)
{
    GroupResult result;
    result.group = group;
    m_cancelled = cancelled;
    const auto reset = qScopeGuard([this] { m_cancelled = {}; });
    try {
        const QList<Tier> list = tiers(query, group);
        QSet<int> seen;
        for (const Tier &tier : list) {
            if (limit >= 0 && result.hits.size() >= limit)
                break;
            collect(tier, group, limit, result.hits, seen);
        }
        // The tiers widen one another, so the last one counts every match; the characters of a
        // text are each their own tier.
        if (group == Group::Characters && query.kind == Query::Kind::Han)
            result.count = int(result.hits.size());
        else if (!list.isEmpty())
            result.count = std::max(int(result.hits.size()), count(list.last(), group));
    } catch (const Error &) {
        if (!(cancelled && cancelled()))
            throw;
    }
    return result;
}

QList<GroupResult> LookupIndex::searchAll(const Query &query, int limit, const CancelCheck &cancelled)
{
    QList<GroupResult> results;
    for (const GroupInfo &info : groups()) {
        if (cancelled && cancelled())
            break;
        results.append(search(query, info.group, limit, cancelled));
    }
    return results;
}

} // namespace mc::lookup
