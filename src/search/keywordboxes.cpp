#include "search/keywordboxes.h"
#include "search/texts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace mc::search {

QString LineEditKeywordBox::text() const
{
    return m_edit->text();
}

void LineEditKeywordBox::setText(const QString &text)
{
    if (m_edit->text() != text)
        m_edit->setText(text);
}

KeywordBoxWatcher::KeywordBoxWatcher(QLineEdit *box, std::function<void()> onEnter)
    : QObject(box), m_box(box), m_onEnter(std::move(onEnter))
{
    box->installEventFilter(this);
}

bool KeywordBoxWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && m_box->text() == texts::kPlaceholder) {
        m_box->clear();
        QPalette palette = m_box->palette();
        palette.setColor(QPalette::Text, Qt::black);
        m_box->setPalette(palette);
        // A style sheet colour would win over the palette.
        if (!m_box->styleSheet().isEmpty())
            m_box->setStyleSheet(m_box->styleSheet() + QStringLiteral("\nQLineEdit { color: #000000; }"));
    }
    if (event->type() == QEvent::KeyPress && m_onEnter) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_onEnter();
            return true;
        }
    }
    return false;
}

} // namespace mc::search
