#include "app/widgets/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <functional>

namespace mc::app::art {
namespace {

QFont glyphFont(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QPixmap transparentPixmap(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawHill(QPainter &p, const QSize &size, double base, double peak, double shift, const QColor &colour)
{
    const double w = size.width();
    const double h = size.height();
    QPainterPath path;
    path.moveTo(0, h);
    path.lineTo(0, h * base);
    path.cubicTo(w * (0.18 + shift), h * peak, w * (0.42 + shift), h * (base + 0.08), w * 0.62, h * (peak + 0.1));
    path.cubicTo(w * 0.78, h * (peak + 0.02), w * 0.9, h * (base - 0.05), w, h * (base - 0.02));
    path.lineTo(w, h);
    QLinearGradient shade(0, h * peak, 0, h);
    shade.setColorAt(0, colour);
    shade.setColorAt(1, colour.lighter(135));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawPath(path);
}

void drawBamboo(QPainter &p, const QSize &size, const QColor &ink)
{
    const double h = size.height();
    p.setRenderHint(QPainter::Antialiasing);
    for (int stalk = 0; stalk < 2; ++stalk) {
        const double x = size.width() * (0.1 + 0.08 * stalk);
        QPen pen(ink.darker(110 + 20 * stalk), qMax(3.0, size.width() / 55.0), Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        for (double y = h; y > h * (0.15 + 0.1 * stalk); y -= h * 0.16)
            p.drawLine(QPointF(x, y - 3), QPointF(x + stalk, y - h * 0.15));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int leaf = 0; leaf < 4; ++leaf) {
            const double ly = h * (0.25 + 0.14 * leaf + 0.05 * stalk);
            QPainterPath blade;
            blade.moveTo(x, ly);
            blade.quadTo(x + size.width() * 0.08, ly - 8, x + size.width() * 0.16, ly + 4);
            blade.quadTo(x + size.width() * 0.07, ly + 3, x, ly);
            p.drawPath(blade);
        }
    }
}

void drawSeal(QPainter &p, const QRectF &box, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 40, 30));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(QColor(255, 240, 230));
    p.setFont(glyphFont(int(box.height() * 0.42)));
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

QIcon iconFrom(const std::function<void(QPainter &)> &paint)
{
    QPixmap pixmap = transparentPixmap(QSize(20, 20));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return QIcon(pixmap);
}

void drawSheet(QPainter &p, const QRectF &r, const QColor &colour)
{
    p.setPen(QPen(colour.darker(150), 1.2));
    p.setBrush(colour);
    p.drawRoundedRect(r, 1.5, 1.5);
}

} // namespace

QIcon barIcon(const QString &glyph, const QColor &colour)
{
    QPixmap pixmap = transparentPixmap(QSize(32, 32));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 32);
    fill.setColorAt(0, colour.lighter(140));
    fill.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 7, 7);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(QPointF(6, 4), QPointF(26, 4));
    p.setPen(Qt::white);
    p.setFont(glyphFont(21));
    p.drawText(QRect(0, 0, 32, 31), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QIcon speakerIcon()
{
    return iconFrom([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 110, 170));
        p.drawPolygon(QPolygonF{{3, 7}, {7, 7}, {12, 3}, {12, 17}, {7, 13}, {3, 13}});
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 110, 170), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(9, 6, 6, 8), -60 * 16, 120 * 16);
        p.drawArc(QRectF(8, 3, 10, 14), -60 * 16, 120 * 16);
    });
}

QIcon copyIcon()
{
    return iconFrom([](QPainter &p) {
        drawSheet(p, QRectF(3, 2.5, 10, 12), QColor(250, 250, 250));
        drawSheet(p, QRectF(7, 5.5, 10, 12), QColor(255, 236, 190));
    });
}

QIcon copyTextIcon()
{
    return iconFrom([](QPainter &p) {
        drawSheet(p, QRectF(3, 2.5, 10, 12), QColor(250, 250, 250));
        drawSheet(p, QRectF(7, 5.5, 10, 12), QColor(255, 236, 190));
        p.setPen(QPen(QColor(150, 80, 20), 1));
        for (int y = 9; y <= 15; y += 2)
            p.drawLine(QPointF(9, y), QPointF(15, y));
    });
}

QPixmap scene(const QSize &size, const Scene &look)
{
    QPixmap canvas = transparentPixmap(size);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, size.height());
        sky.setColorAt(0, look.skyTop);
        sky.setColorAt(1, look.skyBottom);
        p.fillRect(canvas.rect(), sky);
        if (look.sun) {
            QRadialGradient glow(size.width() * 0.78, size.height() * 0.24, size.height() * 0.16);
            glow.setColorAt(0, QColor(236, 110, 70));
            glow.setColorAt(0.6, QColor(236, 110, 70, 200));
            glow.setColorAt(1, QColor(236, 110, 70, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(QPointF(size.width() * 0.78, size.height() * 0.24), size.height() * 0.16,
                          size.height() * 0.16);
        }
        if (!look.glyph.isEmpty()) {
            p.setPen(QColor(look.hill.red(), look.hill.green(), look.hill.blue(), 60));
            p.setFont(glyphFont(int(size.height() * 0.5)));
            p.drawText(QRect(0, 0, int(size.width() * 0.7), int(size.height() * 0.7)), Qt::AlignCenter, look.glyph);
        }
        drawHill(p, size, 0.62, 0.36, 0.05, look.hill.lighter(160));
        drawHill(p, size, 0.74, 0.52, -0.06, look.hill.lighter(120));
        drawHill(p, size, 0.9, 0.7, 0.1, look.hill);
        if (look.bamboo)
            drawBamboo(p, size, look.hill.darker(130));
        // A faint frame line, like a mounted painting.
        p.setPen(QColor(0, 0, 0, 40));
        p.setBrush(Qt::NoBrush);
        p.drawRect(canvas.rect().adjusted(0, 0, -1, -1));
    }
    if (!look.fadeTop && look.opacity >= 255)
        return canvas;
    QPixmap result = transparentPixmap(size);
    QPainter p(&result);
    p.setOpacity(look.opacity / 255.0);
    p.drawPixmap(0, 0, canvas);
    if (look.fadeTop) {
        p.setOpacity(1);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(0, 0, 0, size.height());
        fade.setColorAt(0, QColor(0, 0, 0, 0));
        fade.setColorAt(0.55, QColor(0, 0, 0, 255));
        p.fillRect(result.rect(), fade);
    }
    return result;
}

QPixmap scroll(const QSize &size, const QString &text, const QColor &ink)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF paper = QRectF(pixmap.rect()).adjusted(6, 10, -6, -10);
    p.setPen(QPen(QColor(150, 120, 80), 1));
    p.setBrush(QColor(250, 242, 222));
    p.drawRect(paper);
    p.setBrush(QColor(120, 80, 40));
    p.drawRoundedRect(QRectF(0, 2, size.width(), 10), 4, 4);
    p.drawRoundedRect(QRectF(0, size.height() - 12, size.width(), 10), 4, 4);
    // Vertical columns of text, right to left, as on a hanging scroll; "|" starts a new column.
    const QStringList columns = text.split(QLatin1Char('|'));
    qsizetype longest = 1;
    for (const QString &column : columns)
        longest = qMax(longest, column.size());
    const double columnWidth = paper.width() / (columns.size() + 1);
    const int glyph = int(qMin(columnWidth * 0.8, (paper.height() - 44) / (longest * 1.15)));
    p.setFont(glyphFont(glyph, false));
    p.setPen(ink);
    for (int c = 0; c < columns.size(); ++c) {
        const double x = paper.right() - columnWidth * (c + 1) - glyph / 2.0;
        for (int i = 0; i < columns.at(c).size(); ++i) {
            const double y = paper.top() + 10 + i * glyph * 1.15;
            p.drawText(QRectF(x, y, glyph, glyph * 1.1), Qt::AlignCenter, columns.at(c).mid(i, 1));
        }
    }
    drawSeal(p, QRectF(paper.left() + 8, paper.bottom() - 30, 22, 22), QStringLiteral("明川"));
    return pixmap;
}

QPixmap emblem(int side)
{
    QPixmap pixmap = transparentPixmap(QSize(side, side));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / 2.0, side / 2.0);
    QRadialGradient gold(centre, side / 2.0);
    gold.setColorAt(0, QColor(255, 228, 130));
    gold.setColorAt(0.8, QColor(214, 160, 40));
    gold.setColorAt(1, QColor(160, 110, 20));
    p.setPen(QPen(QColor(140, 90, 10), 1.5));
    p.setBrush(gold);
    p.drawEllipse(centre, side / 2.0 - 2, side / 2.0 - 2);
    p.setPen(QPen(QColor(255, 245, 200), 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, side / 2.0 - 7, side / 2.0 - 7);
    p.setPen(QColor(150, 30, 20));
    p.setFont(glyphFont(side / 3));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("优"));
    return pixmap;
}

} // namespace mc::app::art
