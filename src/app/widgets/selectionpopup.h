#pragma once
#include "lookup/userdata.h"

#include <QFrame>

class QLabel;

namespace mc::lookup {
class SelectionWatcher;
}

namespace mc::app {

// The small window near the mouse with the entry for selected text; the mouse leaving it, a click,
// or Esc or a click in this program closes it. It takes neither the mouse nor the keyboard from
// other programs: the user's next click there selects again.
class SelectionPopup final : public QFrame {
    Q_OBJECT
public:
    explicit SelectionPopup(QWidget *parent = nullptr);

    // Shows every entry the watcher finds, at the mouse.
    void follow(lookup::SelectionWatcher *watcher);
    void showEntry(const lookup::Entry &entry, const QPoint &globalPos);
    lookup::Entry entry() const { return m_entry; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    lookup::Entry m_entry;
    QLabel *m_key;
    QLabel *m_pinyin;
    QLabel *m_explanation;
};

} // namespace mc::app
