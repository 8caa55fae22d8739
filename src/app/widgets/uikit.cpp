#include "app/widgets/uikit.h"
#include "app/texts.h"
#include "search/texts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace mc::app::ui {
namespace {

QFont font(const QString &family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// Width a line edit has for its text: the style's contents rectangle less the text margins and
// the two pixels QLineEdit keeps free on either side.
int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

// Several keyword boxes are narrower than the placeholder in their font. While a box holds the
// placeholder its font shrinks until the placeholder shows whole; what the user types shows in
// the box's own font.
class PlaceholderFit final : public QObject {
public:
    PlaceholderFit(QLineEdit *box, const QFont &own) : QObject(box), m_box(box), m_own(own)
    {
        connect(box, &QLineEdit::textChanged, this, &PlaceholderFit::fit);
        fit();
    }

private:
    void fit()
    {
        QFont shown = m_own;
        if (m_box->text() == search::texts::kPlaceholder) {
            const int room = textRoom(m_box);
            while (shown.pixelSize() > 8 && QFontMetrics(shown).horizontalAdvance(search::texts::kPlaceholder) > room)
                shown.setPixelSize(shown.pixelSize() - 1);
        }
        if (m_box->font() != shown)
            m_box->setFont(shown);
    }

    QLineEdit *m_box;
    QFont m_own;
};

} // namespace

QFont song(int pixels, bool bold)
{
    return font(QStringLiteral("宋体"), pixels, bold);
}
QFont hei(int pixels, bool bold)
{
    return font(QStringLiteral("黑体"), pixels, bold);
}
QFont arial(int pixels, bool bold)
{
    return font(QStringLiteral("Arial"), pixels, bold);
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *caption(QWidget *parent, const QString &text, int x, int y, const QFont &font, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setForeground(label, colour);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton *textButton(QWidget *parent, const QString &name, const QString &text, const QRect &place,
                        const QFont &font, const QColor &colour)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(font);
    setForeground(button, colour);
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLineEdit *keywordBox(QWidget *parent, const QString &name, const QRect &place, const QFont &font, const QColor &colour)
{
    auto *box = new QLineEdit(search::texts::kPlaceholder, parent);
    box->setObjectName(name);
    box->setFont(font);
    setForeground(box, colour);
    box->setGeometry(place);
    box->setCursorPosition(0);
    new PlaceholderFit(box, font);
    return box;
}

QComboBox *modeList(QWidget *parent, const QString &name, const QStringList &items, const QRect &place,
                    const QFont &font, const QColor &colour)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->addItems(items);
    list->setCurrentIndex(0);
    list->setFont(font);
    setForeground(list, colour);
    list->setGeometry(place);
    return list;
}

} // namespace mc::app::ui
