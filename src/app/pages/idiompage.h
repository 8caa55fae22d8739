#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The idiom section (FlatPanel1): idiom list, search bar, idiom details and three memos.
class IdiomPage final : public SectionPage {
    Q_OBJECT
public:
    IdiomPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
