#pragma once
#include "app/widgets/widgets.h"

class QAbstractItemView;

namespace mc::web {
class HtmlView;
}

namespace mc::app {

// The classics section (FlatPanel12): the two title lists in a side bar and the reader view, with
// the hidden loader view behind it.
class ClassicsPage final : public PagePanel {
    Q_OBJECT
public:
    explicit ClassicsPage(QWidget *parent);
    web::HtmlView *readerView() const { return m_reader; }
    web::HtmlView *loaderView() const { return m_loader; }
    QAbstractItemView *titleList() const { return m_titles; }
    QAbstractItemView *pictureTitleList() const { return m_pictureTitles; } // beneath the title list

private:
    QAbstractItemView *m_titles;
    QAbstractItemView *m_pictureTitles;
    web::HtmlView *m_reader;
    web::HtmlView *m_loader;
};

} // namespace mc::app
