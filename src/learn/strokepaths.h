#pragma once
#include <QByteArray>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

namespace mc::learn {

// A character's strokes as outlines, in stroke order, in the stroke data's own square of 1024
// units with y pointing up (the data's SVG paths: M, L, Q, C and Z commands).
QList<QPainterPath> strokePaths(const QByteArray &json);

// One SVG path text as a painter path; empty for text it cannot read.
QPainterPath svgPath(const QString &d);

// Maps the data's square onto a cell, turning it the right way up.
QTransform strokeTransform(const QRectF &cell);

} // namespace mc::learn
