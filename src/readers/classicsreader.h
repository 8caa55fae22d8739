#pragma once
#include <QObject>
#include <QString>

class QAbstractItemView;

namespace mc::web {
class HtmlView;
}

namespace mc::readers {

// Address of compiled page n: "res://<host for the program file name>/<n>".
QString pageAddress(int n);

// Shows the page of the picked title in the reader view and fits every page the view completes:
// no horizontal scroll bar, middle text size.
class ClassicsReader final : public QObject {
    Q_OBJECT
public:
    // Either list may be null; list row i shows page i + 1.
    ClassicsReader(QAbstractItemView *titleList, QAbstractItemView *buttonList, web::HtmlView *reader,
                   QObject *parent = nullptr);

    void showPageOf(const QAbstractItemView *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QAbstractItemView *list);
    void fitPage();

    web::HtmlView *m_reader;
    // The list whose key press is being handled, so that only the user's own moves show pages.
    const QObject *m_keyList = nullptr;
};

} // namespace mc::readers
