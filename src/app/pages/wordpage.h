#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The word section (FlatPanel14): word list, headword details and explanation.
class WordPage final : public SectionPage {
    Q_OBJECT
public:
    WordPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
