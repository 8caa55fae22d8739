#include "readers/classicsreader.h"
#include "platform/guard.h"
#include "platform/htmlview.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QItemSelectionModel>

namespace mc::readers {

QString pageAddress(int n)
{
    return QStringLiteral("res://%1/%2").arg(web::resourceHost()).arg(n);
}

ClassicsReader::ClassicsReader(QAbstractItemView *titleList, QAbstractItemView *buttonList,
                               web::HtmlView *reader, QObject *parent)
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
    // Moving through the titles with the keyboard shows pages as well; a mouse press also moves
    // the current row, but its click follows and shows the page then.
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, list] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            guarded([&] { showPageOf(list); });
    });
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
