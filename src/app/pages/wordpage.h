#pragma once
#include "app/widgets/widgets.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The word section (FlatPanel14): word list, headword details and explanation.
class WordPage final : public PagePanel {
    Q_OBJECT
public:
    WordPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
