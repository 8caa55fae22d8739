#pragma once
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own artwork, painted at run time: bar icons, picture-button icons and the
// pictures of the pages and windows.
namespace mc::app::art {

// A bar icon: a seal-like rounded tile carrying one character.
QIcon barIcon(const QString &glyph, const QColor &colour);

QIcon speakerIcon();
QIcon copyIcon();
QIcon copyTextIcon();

// A landscape in ink-wash tones. glyph is written large and faint into the sky; fadeTop makes
// the upper part fade out so text placed over it stays readable.
struct Scene {
    QColor skyTop;
    QColor skyBottom;
    QColor hill;
    QString glyph;
    bool sun = true;
    bool bamboo = false;
    bool fadeTop = false;
    int opacity = 255; // the whole picture's opacity, for pictures lying behind text
};
QPixmap scene(const QSize &size, const Scene &look);

// A scroll of paper with a few lines of calligraphy-like strokes and a red seal.
QPixmap scroll(const QSize &size, const QString &text, const QColor &ink);

// The welcome page's award emblem.
QPixmap emblem(int side);

} // namespace mc::app::art
