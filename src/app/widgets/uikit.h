#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small helpers that give the hand-placed controls of the pages their fonts, colours and places.
namespace mc::app::ui {

inline const QColor kDarkGreen(0, 64, 0);
inline const QColor kPageBackground(247, 248, 249);

QFont song(int pixels, bool bold = false);  // 宋体
QFont hei(int pixels, bool bold = false);   // 黑体
QFont arial(int pixels, bool bold = false); // Arial

void setForeground(QWidget *widget, const QColor &colour);
void setBackground(QWidget *widget, const QColor &colour); // also fills the widget

// A caption sized to its text at (x, y).
QLabel *caption(QWidget *parent, const QString &text, int x, int y, const QFont &font, const QColor &colour);
QPushButton *textButton(QWidget *parent, const QString &name, const QString &text, const QRect &place,
                        const QFont &font, const QColor &colour);
// A keyword box holding the placeholder as its ordinary text.
QLineEdit *keywordBox(QWidget *parent, const QString &name, const QRect &place, const QFont &font,
                      const QColor &colour);
// A choose-only drop-down list with its first item selected.
QComboBox *modeList(QWidget *parent, const QString &name, const QStringList &items, const QRect &place,
                    const QFont &font, const QColor &colour);

} // namespace mc::app::ui
