#pragma once
#include "app/widgets/widgets.h"

namespace mc::app {

// The welcome page (flatpanel16): the picture column with the award and the maker's contact
// lines, and a large picture.
class WelcomePage final : public PagePanel {
    Q_OBJECT
public:
    explicit WelcomePage(QWidget *parent);
};

} // namespace mc::app
