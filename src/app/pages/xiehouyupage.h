#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The xiehouyu section (FlatPanel7): list, search bar and the two halves of the saying.
class XiehouyuPage final : public SectionPage {
    Q_OBJECT
public:
    XiehouyuPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
