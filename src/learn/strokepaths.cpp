#include "learn/strokepaths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mc::learn {
namespace {

// The data's square: 1024 units, with the baseline 900 up from the bottom of the glyph box.
constexpr double kBox = 1024.0;
constexpr double kBaseline = 900.0;

} // namespace

QPainterPath svgPath(const QString &d)
{
    QPainterPath path;
    const QStringList tokens = d.simplified().split(u' ', Qt::SkipEmptyParts);
    qsizetype i = 0;
    bool ok = true;
    const auto number = [&]() {
        bool read = false;
        const double v = i < tokens.size() ? tokens.at(i++).toDouble(&read) : 0.0;
        ok = ok && read;
        return v;
    };
    const auto point = [&]() {
        const double x = number();
        return QPointF(x, number());
    };
    while (i < tokens.size() && ok) {
        const QString command = tokens.at(i++);
        if (command == u"M") {
            path.moveTo(point());
        } else if (command == u"L") {
            path.lineTo(point());
        } else if (command == u"Q") {
            const QPointF c = point();
            path.quadTo(c, point());
        } else if (command == u"C") {
            const QPointF c1 = point();
            const QPointF c2 = point();
            path.cubicTo(c1, c2, point());
        } else if (command == u"Z") {
            path.closeSubpath();
        } else {
            ok = false;
        }
    }
    return ok ? path : QPainterPath();
}

QList<QPainterPath> strokePaths(const QByteArray &json)
{
    QList<QPainterPath> paths;
    const QJsonArray strokes = QJsonDocument::fromJson(json).object().value(QStringLiteral("strokes")).toArray();
    for (const QJsonValue &stroke : strokes) {
        const QPainterPath path = svgPath(stroke.toString());
        if (path.isEmpty())
            return {}; // a damaged stroke: better no build-up than a wrong one
        paths.append(path);
    }
    return paths;
}

QTransform strokeTransform(const QRectF &cell)
{
    const double scale = cell.width() / kBox;
    return QTransform(scale, 0, 0, -scale, cell.left(), cell.top() + kBaseline * scale);
}

} // namespace mc::learn
