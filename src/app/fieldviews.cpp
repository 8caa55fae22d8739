#include "app/fieldviews.h"
#include "store/dataset.h"

#include <QMouseEvent>

namespace mc::app {

FieldLabel::FieldLabel(store::Dataset *dataset, const QString &column, Sizing sizing, QWidget *parent)
    : QLabel(parent), m_dataset(dataset), m_column(column), m_sizing(sizing)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    connect(m_dataset, &store::Dataset::currentChanged, this, &FieldLabel::follow);
    follow();
}

void FieldLabel::follow()
{
    setText(m_dataset->value(m_column));
    if (m_sizing == Sizing::ToText)
        adjustSize();
}

void FieldLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

FieldMemo::FieldMemo(store::Dataset *dataset, const QString &column, QWidget *parent)
    : QPlainTextEdit(parent), m_dataset(dataset), m_column(column)
{
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(m_dataset, &store::Dataset::currentChanged, this, &FieldMemo::follow);
    follow();
}

void FieldMemo::follow()
{
    // The datasets hand out CR LF line ends; the memo shows them as plain line breaks.
    QString text = m_dataset->value(m_column);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(text);
}

void FieldMemo::setSeeThrough()
{
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::transparent);
    setPalette(p);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

} // namespace mc::app
