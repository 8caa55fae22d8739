#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The character section (FlatPanel4): character list, detail column and explanation.
class CharacterPage final : public SectionPage {
    Q_OBJECT
public:
    CharacterPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
