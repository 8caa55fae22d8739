#pragma once
#include "app/pages/pagekit.h"

namespace mc::store {
class Dataset;
}

namespace mc::app {

// The famous-sayings section (FlatPanel2): list and two searches, person above saying.
class SayingsPage final : public SectionPage {
    Q_OBJECT
public:
    SayingsPage(store::Dataset *dataset, QWidget *parent);
};

} // namespace mc::app
