#pragma once
#include "lookup/groups.h"
#include "lookup/query.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace mc::store {
class StoreFile;
}

namespace mc::lookup {

class Simplifier;

struct Hit {
    int ord = 0;      // place in ranking order within the group
    qint64 rowId = 0; // the row's rowid in its store
    QString head;
};

struct GroupResult {
    Group group = Group::Characters;
    int count = 0;   // every match of the group
    QList<Hit> hits; // the first of them in ranking order
    bool complete() const { return hits.size() >= count; }
};

// True once a newer search has made this one pointless.
using CancelCheck = std::function<bool()>;

// The quick lookup over search.db: exact matches first, then entries starting with the text,
// then entries containing it; within each by word frequency, then store order. Reads only the
// index, never a store table. One thread at a time.
class LookupIndex final {
public:
    // Opens <dataDir>/search.db read-only; throws mc::Error when it cannot.
    explicit LookupIndex(const QString &dataDir);
    ~LookupIndex();

    // Reads the box's text as the lookup searches it. A text longer than any headword is read
    // by its longest start that begins a headword, as a selection is, so a pasted page costs
    // no more than a phrase.
    Query parse(const QString &text);

    // The first `limit` hits of one group (all when limit < 0) and the group's count. Returns
    // nothing useful once cancelled says so; check it afterwards.
    GroupResult search(const Query &query, Group group, int limit, const CancelCheck &cancelled = {});
    QList<GroupResult> searchAll(const Query &query, int limit, const CancelCheck &cancelled = {});

private:
    struct Tier;
    QString lookupText(const QString &text);
    bool beginsHead(const QString &start);
    qsizetype longestHead();
    QList<Tier> tiers(const Query &query, Group group);
    QStringList mixedKeys(const Query &query);
    void collect(const Tier &tier, Group group, int limit, QList<Hit> &hits, QSet<int> &seen);
    int count(const Tier &tier, Group group);

    std::unique_ptr<store::StoreFile> m_file;
    std::unique_ptr<Simplifier> m_simplifier;
    CancelCheck m_cancelled;
    qsizetype m_longestHead = -1;
};

} // namespace mc::lookup
