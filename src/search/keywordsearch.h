#pragma once
#include <QString>

namespace mc::store {
class Dataset;
}

namespace mc::search {

struct SearchEntry;

// What the search reads its keyword from and writes the normalised keyword back into.
class KeywordBox {
public:
    virtual ~KeywordBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

// The keyword search every section shares: checks the keyword, normalises its question marks,
// replaces the dataset's query with the entry's, opens it, reports, and handles an empty result.
// Store errors are thrown as mc::Error for the command's guard; the dataset then stays closed.
void runSearch(const SearchEntry &entry, KeywordBox &box, store::Dataset &dataset);

// Makes a query the dataset's and opens it.
void replaceQuery(store::Dataset &dataset, const QString &query);

// Reloads a section's whole table behind the busy window.
void reloadWithBusy(store::Dataset &dataset, const QString &baseQuery);

} // namespace mc::search
