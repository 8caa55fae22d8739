#pragma once
#include "app/widgets/widgets.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The character section (FlatPanel4): character list, detail column and explanation.
class CharacterPage final : public PagePanel {
    Q_OBJECT
public:
    CharacterPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
