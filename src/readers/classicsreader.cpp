#include "readers/classicsreader.h"
#include "platform/guard.h"
#include "platform/htmlview.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QTimer>

namespace mc::readers {

QString pageAddress(int n)
{
    return QStringLiteral("res://%1/%2").arg(web::resourceHost()).arg(n);
}

ClassicsReader::ClassicsReader(QAbstractItemView *titleList, QAbstractItemView *buttonList, web::HtmlView *reader,
                               QObject *parent)
    : QObject(parent), m_reader(reader)
{
    follow(titleList);
    follow(buttonList);
    connect(m_reader, &web::HtmlView::documentComplete, this, [this] { guarded([this] { fitPage(); }); });
}

void ClassicsReader::follow(QAbstractItemView *list)
{
    if (!list)
        return;
    connect(list, &QAbstractItemView::clicked, this, [this, list] { guarded([&] { showPageOf(list); }); });
    // Enter on the current title, which the focus alone may have made current.
    connect(list, &QAbstractItemView::activated, this, [this, list] {
        if (m_keyList == list)
            guarded([&] { showPageOf(list); });
    });
    // Moving through the titles with the keyboard shows pages as well. Other moves of the current
    // row are not the user picking a title: a mouse press (its click follows), and above all the
    // focus entering the list, where Qt makes the first row current.
    list->installEventFilter(this);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, list] {
        if (m_keyList == list)
            guarded([&] { showPageOf(list); });
    });
}

bool ClassicsReader::eventFilter(QObject *watched, QEvent *event)
{
    // The list moves its current row while it handles the press, before this queued reset runs.
    if (event->type() == QEvent::KeyPress) {
        m_keyList = watched;
        QTimer::singleShot(0, this, [this] { m_keyList = nullptr; });
    }
    return QObject::eventFilter(watched, event);
}

void ClassicsReader::showPageOf(const QAbstractItemView *list)
{
    // The selected row, not the clicked item, decides; with none selected nothing is shown.
    const QModelIndex current = list->currentIndex();
    if (!current.isValid())
        return;
    m_reader->navigate(pageAddress(current.row() + 1));
}

void ClassicsReader::fitPage()
{
    m_reader->setBodyOverflowHidden();
    m_reader->zoomMiddle();
}

} // namespace mc::readers
