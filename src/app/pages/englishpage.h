#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The English-Chinese section (FlatPanel8): word list and a picture panel with the details.
class EnglishPage final : public SectionPage {
    Q_OBJECT
public:
    EnglishPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
