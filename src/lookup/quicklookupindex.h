#pragma once
#include "lookup/groups.h"
#include "lookup/query.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace mc::store {
class StoreFile;
}

namespace mc::lookup {

class Simplifier;

// How a hit matches the text, best first; one scale for every group, so hits of different groups
// compare.
enum class Match {
    Whole,    // the headword, or the pinyin or initials, is the whole text
    Start,    // it starts with the text
    Contains, // the text is somewhere in it
    Part,     // it is one character of a longer text
};

struct Hit {
    int ord = 0;      // place in ranking order within the group
    qint64 rowId = 0; // the row's rowid in its store
    QString head;
    Match match = Match::Contains;
};

struct GroupResult {
    store::StoreId store = store::StoreId::Characters;
    int count = 0;   // every match of the group
    QList<Hit> hits; // the first of them in ranking order
    bool complete() const { return hits.size() >= count; }
};

// The group whose first hit is shown first: the best match over all groups (a group's own ranking
// puts its best first), the earlier group between equal ones. When other groups have the same
// entry first, it shows from the fullest of them: an idiom before a word before a xiehouyu.
std::optional<store::StoreId> bestGroup(const QList<GroupResult> &results);

// True once a newer search has made this one pointless.
using CancelCheck = std::function<bool()>;

// The quick lookup over search.db: exact matches first, then entries starting with the text,
// then entries containing it; within each by word frequency, then store order. Reads only the
// index, never a store table. One thread at a time.
class QuickLookupIndex final {
public:
    // Opens <dataDir>/search.db read-only; throws mc::Error when it cannot.
    explicit QuickLookupIndex(const QString &dataDir);
    ~QuickLookupIndex();

    // Reads the box's text as the lookup searches it. A text longer than any headword is read
    // by its longest start that begins a headword, as a selection is, so a pasted page costs
    // no more than a phrase.
    Query parse(const QString &text);

    // The first `limit` hits of one group (all when limit < 0) and the group's count. Returns
    // nothing useful once cancelled says so; check it afterwards.
    GroupResult search(const Query &query, store::StoreId store, int limit, const CancelCheck &cancelled = {});
    // Every group, in the window's order.
    QList<GroupResult> searchAll(const Query &query, int limit, const CancelCheck &cancelled = {});
    // Runs a search of each kind once (a Han and a pinyin text), so that the pages they need
    // and the tables of the traditional to simplified conversion are read before the first
    // keystroke is. Throws mc::Error as search does.
    void warmUp();

private:
    struct Tier;
    struct FullText;
    using RowIt = QList<qint64>::const_iterator;
    // The last rows read whole for a tier shared by the groups: every group's, in rowid order.
    struct SharedRows {
        QString table, match;
        QList<qint64> rows;
    };
    QString lookupText(const QString &text);
    bool beginsHead(const QString &start);
    qsizetype longestHead();
    QList<Tier> tiers(const Query &query, store::StoreId store);
    QStringList mixedKeys(const Query &query);
    void collect(const Tier &tier, store::StoreId store, int limit, QList<Hit> &hits, QSet<int> &seen);
    QList<qint64> matchingRows(const Tier &tier, store::StoreId store);
    std::pair<RowIt, RowIt> groupRows(const FullText &terms, store::StoreId store);
    void collectRows(RowIt from, RowIt to, Match match, store::StoreId store, int limit, QList<Hit> &hits,
                     QSet<int> &seen);
    int count(const Tier &tier, store::StoreId store);

    std::unique_ptr<store::StoreFile> m_file;
    std::unique_ptr<Simplifier> m_simplifier;
    CancelCheck m_cancelled;
    qsizetype m_longestHead = -1;
    std::optional<SharedRows> m_shared;
};

} // namespace mc::lookup
