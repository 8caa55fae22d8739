#pragma once
#include "app/widgets/widgets.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The xiehouyu section (FlatPanel7): list, search bar and the two halves of the saying.
class XiehouyuPage final : public PagePanel {
    Q_OBJECT
public:
    XiehouyuPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
