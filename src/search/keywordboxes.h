#pragma once
#include "search/keywordsearch.h"

#include <QObject>
#include <functional>

class QLineEdit;

namespace mc::search {

// A keyword box on the screen.
class LineEditKeywordBox final : public KeywordBox {
public:
    explicit LineEditKeywordBox(QLineEdit *edit) : m_edit(edit) {}
    QString text() const override;
    void setText(const QString &text) override;

private:
    QLineEdit *m_edit;
};

// Watches a keyword box: a mouse click into it while it shows the placeholder empties it and
// makes its text black for good; where onEnter is given, Enter (with any modifiers) runs it.
// Reaching the box with the keyboard leaves the placeholder in place.
class KeywordBoxWatcher final : public QObject {
    Q_OBJECT
public:
    KeywordBoxWatcher(QLineEdit *box, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_box;
    std::function<void()> m_onEnter;
};

} // namespace mc::search
