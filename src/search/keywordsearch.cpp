#include "search/keywordsearch.h"
#include "platform/busy.h"
#include "platform/messages.h"
#include "search/searchtable.h"
#include "search/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <optional>

namespace mc::search {

void replaceQuery(store::Dataset &dataset, const QString &query)
{
    dataset.clearQuery();
    dataset.appendQuery(query);
    dataset.open();
}

void reloadWithBusy(store::Dataset &dataset, const QString &baseQuery)
{
    const BusyScope busy;
    replaceQuery(dataset, baseQuery);
}

void runSearch(const SearchEntry &entry, KeywordBox &box, store::Dataset &dataset)
{
    const QString typed = box.text();
    if (typed.isEmpty() || typed == texts::kPlaceholder) {
        Messages::current().information(texts::kEnterKeyword);
        return;
    }
    const QString searchable = normaliseQuestionMarks(searchableKeyword(typed));
    if (searchable.isEmpty()) {
        Messages::current().information(texts::kEnterKeyword);
        return;
    }
    if (searchable.size() > kKeywordLimit) {
        Messages::current().information(texts::kKeywordTooLong);
        return;
    }
    box.setText(searchable);
    const QString keyword = box.text();

    {
        std::optional<BusyScope> busy;
        if (searchesWhileBusy(entry.store))
            busy.emplace();
        // The list empties before the query is known; a stroke count that is no number
        // leaves it so.
        dataset.clearQuery();
        const std::optional<QString> query = buildQuery(entry, keyword);
        if (!query)
            return;
        dataset.appendQuery(*query);
        dataset.open();
    }

    const int count = dataset.recordCount();
    if (count > 0) {
        if (entry.report != Report::None)
            Messages::current().plain(successReport(entry.report, count));
        return;
    }

    Messages::current().plain(noResultMessage(entry, keyword));
    switch (entry.noResult) {
    case NoResult::ResetWithBusy:
        reloadWithBusy(dataset, store::storeInfo(entry.store).baseQuery);
        break;
    case NoResult::Reset:
        replaceQuery(dataset, store::storeInfo(entry.store).baseQuery);
        break;
    case NoResult::Keep:
        break;
    }
}

} // namespace mc::search
