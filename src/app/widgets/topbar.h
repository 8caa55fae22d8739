#pragma once
#include "store/stores.h"

#include <QList>
#include <QWidget>
#include <optional>

class QAbstractButton;

namespace mc::app {

// The bar across the top of the main window: the section bar on the left and, fixed to the right
// edge beneath it, the service bar that comes out as the window widens.
class TopBar final : public QWidget {
    Q_OBJECT
public:
    explicit TopBar(QWidget *parent);
    QWidget *sectionBar() const { return m_sectionBar; }
    QWidget *serviceBar() const { return m_serviceBar; }

    // A section's button and the store whose section it shows; the classics reader has none.
    struct SectionButton {
        std::optional<store::StoreId> store;
        QAbstractButton *button;
    };
    struct Buttons {
        // In bar order, which Ctrl+1 … Ctrl+7 follow: character, idiom, xiehouyu, English,
        // sayings, classics, word.
        QList<SectionButton> sections;
        QAbstractButton *onlineLookup = nullptr;
        QAbstractButton *lexicon = nullptr;
        QAbstractButton *exit = nullptr;
        QAbstractButton *more = nullptr;
        QAbstractButton *upgrade = nullptr;
        QAbstractButton *contact = nullptr;
    };
    const Buttons &buttons() const { return m_buttons; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_sectionBar;
    QWidget *m_serviceBar;
    Buttons m_buttons;
};

} // namespace mc::app
