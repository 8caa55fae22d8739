#include "app/widgets/fieldviews.h"
#include "lookup/scriptchoice.h"
#include "store/dataset.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <cmath>
#include <algorithm>

namespace mc::app {
namespace {

constexpr int kPadding = 4; // around a memo's text, as the document's own margin would be

// The height of one line of text in label, Chinese glyphs (from a taller fallback font) included.
// The label's own minimum size hint is no measure: with word wrap it grows with the text.
int oneLineHeight(const QLabel &label)
{
    QTextLayout layout(QStringLiteral("汉Ag"), label.font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QMargins margins = label.contentsMargins();
    return int(std::ceil(line.height())) + 2 * label.margin() + margins.top() + margins.bottom();
}

} // namespace

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
    emit textShown();
}

void FieldLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

FieldBox::FieldBox(FieldLabel *label, const QRect &place, Fit sizing)
    : QScrollArea(label->parentWidget()), m_label(label), m_place(place), m_fit(sizing)
{
    setObjectName(label->objectName() + QStringLiteral("Box"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The page shows through, as it does behind a bare label.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setWidgetResizable(true);
    label->setWordWrap(true);
    label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    setWidget(label);
    label->setAutoFillBackground(false); // which setWidget() turned on
    m_font = label->font();
    setGeometry(place);
    connect(label, &FieldLabel::textShown, this, &FieldBox::fit);
    show();
    fit();
}

void FieldBox::setPlace(const QRect &place)
{
    if (m_place == place)
        return;
    m_place = place;
    fit();
}

void FieldBox::keepClearOf(const QRect &neighbour)
{
    m_neighbour = neighbour;
    fit();
}

void FieldBox::setHint(const QString &hint)
{
    m_hint = hint;
    updateHint();
}

bool FieldBox::overflows() const
{
    // Measured without a scroll bar: text that fits then needs none.
    const QSize room = maximumViewportSize();
    return m_label->heightForWidth(room.width()) > room.height();
}

void FieldBox::fit()
{
    // A text that would reach down beside the neighbour keeps to the room left of it, so that
    // neither the text nor its scroll bar lies over the neighbour.
    m_label->setMinimumHeight(0); // measured afresh below, for the text and the place it gets
    if (m_fit == Fit::Shrink)
        shrinkToWidth(m_place.width());
    QRect place = m_place;
    if (m_place.intersects(m_neighbour) && m_place.top() + m_label->heightForWidth(m_place.width()) > m_neighbour.top())
        place.setRight(m_neighbour.left() - 7);
    // A box a few pixels shorter than its text's line (Chinese glyphs come from a taller font)
    // still shows that line whole.
    const int lineHeight = oneLineHeight(*m_label);
    place.setHeight(std::max(place.height(), lineHeight));
    if (m_fit == Fit::ToText) {
        // Some room to spare, so that the text does not wrap early.
        const QFontMetrics metrics(m_label->font());
        const int width = metrics.horizontalAdvance(m_label->text()) + 2 * m_label->margin() + metrics.height();
        if (width <= place.width() && m_label->heightForWidth(width) <= lineHeight)
            place.setSize(QSize(width, lineHeight));
    }
    if (geometry() != place)
        setGeometry(place);
    else
        updateHint();
    updateTextHeight();
    // A new text starts at its beginning.
    verticalScrollBar()->setValue(0);
}

void FieldBox::shrinkToWidth(int width)
{
    // A reading list such as "xíng,háng,hàng,héng" has no place to wrap: rather than cut it off,
    // draw it smaller until it fits on its line.
    QFont font = m_font;
    const int designed = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    const int room = width - 2 * m_label->margin() - 2;
    for (int pixels = designed; pixels >= designed * 6 / 10; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(m_label->text()) <= room)
            break;
    }
    if (m_label->font() != font)
        m_label->setFont(font);
}

void FieldBox::updateTextHeight()
{
    // The scroll area sizes the label for the width it had before a scroll bar took its share;
    // asked at the width it has now, the label is as tall as its wrapped text, so scrolling
    // reaches the last line whole.
    const int height = m_label->heightForWidth(viewport()->width());
    if (height > 0 && m_label->minimumHeight() != height)
        m_label->setMinimumHeight(height);
}

bool FieldBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        updateTextHeight();
    return QScrollArea::viewportEvent(event);
}

void FieldBox::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    updateHint();
}

void FieldBox::updateHint()
{
    if (overflows() && !m_label->text().isEmpty())
        m_label->setToolTip(m_hint.isEmpty() ? m_label->text() : m_label->text() + QStringLiteral("\n\n") + m_hint);
    else
        m_label->setToolTip(m_hint);
}

FieldMemo::FieldMemo(store::Dataset *dataset, const QString &column, QWidget *parent)
    : QPlainTextEdit(parent), m_dataset(dataset), m_column(column)
{
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(0);
    showWholeLines();
    connect(m_dataset, &store::Dataset::currentChanged, this, &FieldMemo::follow);
    connect(&lookup::ScriptChoice::instance(), &lookup::ScriptChoice::changed, this, &FieldMemo::follow);
    follow();
}

void FieldMemo::follow()
{
    // The datasets hand out CR LF line ends; the memo shows them as plain line breaks. The
    // 國語辭典 text shows in the script the reader chose.
    QString text = lookup::ScriptChoice::instance().shown(m_dataset->value(m_column));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(text);
}

void FieldMemo::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    showWholeLines();
}

void FieldMemo::showWholeLines()
{
    // The view is a whole number of lines tall, at every scroll position: no line is ever
    // shown cut in half. The padding lies outside the view, the rest of the height below it.
    const int line = QFontMetrics(font()).lineSpacing();
    const int room = height() - 2 * frameWidth() - 2 * kPadding;
    const int rest = line > 0 && room > line ? room % line : 0;
    setViewportMargins(kPadding, kPadding, kPadding, kPadding + rest);
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
