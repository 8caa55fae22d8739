#pragma once
#include "app/widgets/fieldviews.h"
#include "app/widgets/widgets.h"
#include "store/datasetmodel.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

class QAbstractButton;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace mc::store {
class Dataset;
}

namespace mc::app {

class DataGrid;
class SideBar;

// A page at the main window's designed size, and the area beside its side bar; hand-placed
// controls are placed for these and grow from them (see GrowingParent).
inline constexpr QSize kDesignedPage(762, 491);
inline constexpr QSize kDesignedRest(762 - 2 * 2 - 199, 491 - 2 * 2);

// The controls of a section page that the features work, by what they do; a page leaves out what
// it does not have.
struct PageControls {
    QComboBox *modes = nullptr;           // the search mode list
    QAbstractButton *direction = nullptr; // the English-Chinese direction
    QLineEdit *keyword = nullptr;
    QAbstractButton *search = nullptr;
    QLineEdit *otherKeyword = nullptr;      // the page's second search: persons
    QAbstractButton *otherSearch = nullptr; // persons, or the fuzzy English search
    QAbstractButton *help = nullptr;
    QAbstractButton *order = nullptr;
    QAbstractButton *refresh = nullptr;
    QAbstractButton *readAloud = nullptr;
    QAbstractButton *readExplanation = nullptr;
    QAbstractButton *copy = nullptr;
    QAbstractButton *copyExplanation = nullptr;
    QAbstractButton *strokeOrder = nullptr;
    QWidget *firstHalf = nullptr; // the xiehouyu's halves copy on a click
    QWidget *secondHalf = nullptr;
};

// A dictionary section's page: hands the controls it builds to the features that work them.
class SectionPage : public PagePanel {
public:
    const PageControls &controls() const { return m_controls; }

protected:
    using PagePanel::PagePanel;
    PageControls m_controls;
};

// How a section's side bar and its one-column list look.
struct ListLook {
    QString sideBarName;
    QString caption;
    QColor captionBackground;
    QString gridName;
    QString column;
    int pixels;
    QColor text;
    QColor background;
};

// Builds the common frame of a page: the returned layout holds the side bar (with the list
// bound to dataset) and receives the page's other areas.
QHBoxLayout *pageFrame(QWidget *page, store::Dataset *dataset, const ListLook &look, DataGrid **grid = nullptr,
                       SideBar **sideBar = nullptr);

// A column beside the side bar taking the rest of the page; its areas stack without gaps.
QVBoxLayout *restColumn(QWidget *page, QHBoxLayout *frame);

// A button under a list, the body's full width.
QPushButton *listButton(SideBar *sideBar, const QString &name, const QString &caption, int height, bool bold,
                        const QColor &colour);

// How a field view of the current row looks.
struct FieldLook {
    QString column;
    QString name;
    QFont font;
    QColor colour;
    Qt::Alignment alignment = {}; // the label's own when empty
};

// A field view of dataset's current row, boxed at place in parent.
FieldBox *fieldView(QWidget *parent, store::Dataset *dataset, const FieldLook &look, const QRect &place,
                    FieldBox::Fit fit);

} // namespace mc::app
