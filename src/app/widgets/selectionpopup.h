#pragma once
#include "lookup/userdata.h"

#include <QFrame>

class QLabel;

namespace mc::lookup {
class SelectionWatcher;
}

namespace mc::app {

// The small window near the mouse with the entry for selected text; Esc, a click elsewhere or the
// mouse leaving it closes it.
class SelectionPopup final : public QFrame {
    Q_OBJECT
public:
    explicit SelectionPopup(QWidget *parent = nullptr);

    // Shows every entry the watcher finds, at the mouse.
    void follow(lookup::SelectionWatcher *watcher);
    void showEntry(const lookup::Entry &entry, const QPoint &globalPos);
    lookup::Entry entry() const { return m_entry; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    lookup::Entry m_entry;
    QLabel *m_key;
    QLabel *m_pinyin;
    QLabel *m_explanation;
};

} // namespace mc::app
