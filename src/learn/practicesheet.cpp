#include "learn/practicesheet.h"
#include "core/error.h"
#include "learn/strokepaths.h"
#include "learn/texts.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace mc::learn {
namespace {

// Everything is measured in tenths of a millimetre: fine enough for pixel-sized fonts.
constexpr double kPerMm = 10.0;
constexpr double kHeader = 100;    // title line and its rule
constexpr double kHeaderGap = 30;  // between the rule and what follows
constexpr double kFooter = 60;     // page number
constexpr double kPinyinBand = 55; // above each row
constexpr double kRowGap = 25;
constexpr double kNoteFont = 35;
constexpr double kCellPadding = 0.06; // of the cell side, around the character

const QColor kModelColour(0x1a, 0x1a, 0x1a);
const QColor kDoneColour(0x55, 0x55, 0x55);
const QColor kNewColour(0xd8, 0x10, 0x10);
const QColor kTraceColour(0xc8, 0xc8, 0xc8);
const QColor kBorderColour(0x2e, 0x8b, 0x57);
const QColor kGuideColour(0x9c, 0xd0, 0xb0);

QFont sheetFont(double pixels, bool serif = false)
{
    QFont font(serif ? QStringLiteral("Noto Serif CJK SC") : QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    return font;
}

} // namespace

struct PracticeSheet::Geometry {
    double width = 0;
    double height = 0;
    double cell = 0;
    double note = 0; // height of the note on the first page, 0 without one
    double rowHeight() const { return kPinyinBand + cell + kRowGap; }
    int rowsOnPage(int page) const
    {
        const double usable = height - kHeader - kHeaderGap - kFooter - (page == 0 ? note : 0);
        return std::max(1, int(std::floor(usable / rowHeight())));
    }
};

PracticeSheet::PracticeSheet(QList<SheetCharacter> characters, SheetOptions options) : m_options(std::move(options))
{
    m_options.cellsPerRow = std::clamp(m_options.cellsPerRow, SheetOptions::kMinCells, SheetOptions::kMaxCells);
    m_options.tracingCopies = std::clamp(m_options.tracingCopies, 0, SheetOptions::kMaxTracing);
    if (m_options.title.trimmed().isEmpty())
        m_options.title = texts::kSheetTitle;
    if (!m_options.date.isValid())
        m_options.date = QDate::currentDate();
    for (SheetCharacter &c : characters) {
        QList<QPainterPath> strokes = strokePaths(c.strokes);
        m_chars.append({std::move(c), std::move(strokes)});
    }
}

QStringList PracticeSheet::withoutStrokes() const
{
    QStringList out;
    for (const Char &c : m_chars) {
        if (c.strokes.isEmpty())
            out.append(c.source.character);
    }
    return out;
}

QString PracticeSheet::noteText() const
{
    const QStringList missing = withoutStrokes();
    return missing.isEmpty() ? QString() : texts::kNoStrokeOrder.arg(missing.join(u' '));
}

PracticeSheet::Geometry PracticeSheet::geometry(const QSizeF &areaMm) const
{
    Geometry g;
    g.width = areaMm.width() * kPerMm;
    g.height = areaMm.height() * kPerMm;
    g.cell = g.width / m_options.cellsPerRow;
    const QString note = noteText();
    if (!note.isEmpty()) {
        const QFontMetricsF metrics(sheetFont(kNoteFont));
        g.note = metrics.boundingRect(QRectF(0, 0, g.width, 1e6), Qt::TextWordWrap, note).height() + kHeaderGap;
    }
    return g;
}

int PracticeSheet::rowsOf(const Char &c) const
{
    if (c.strokes.isEmpty())
        return 1;
    const int cells = 1 + int(c.strokes.size()) + m_options.tracingCopies;
    return (cells + m_options.cellsPerRow - 1) / m_options.cellsPerRow;
}

// A character's rows stay on one page unless they fill more than a page on their own.
QList<QList<PracticeSheet::Placed>> PracticeSheet::paginate(const Geometry &g) const
{
    QList<QList<Placed>> pages(1);
    for (int i = 0; i < int(m_chars.size()); ++i) {
        const int rows = rowsOf(m_chars.at(i));
        const int page = int(pages.size()) - 1;
        const int left = g.rowsOnPage(page) - int(pages.last().size());
        if (left < rows && !pages.last().isEmpty() && rows <= g.rowsOnPage(page + 1))
            pages.append(QList<Placed>());
        for (int r = 0; r < rows; ++r) {
            if (int(pages.last().size()) >= g.rowsOnPage(int(pages.size()) - 1))
                pages.append(QList<Placed>());
            pages.last().append({i, r});
        }
    }
    return pages;
}

int PracticeSheet::pageCount(const QSizeF &areaMm) const
{
    return int(paginate(geometry(areaMm)).size());
}

void PracticeSheet::paintPage(QPainter &painter, int page, const QSizeF &areaMm) const
{
    const Geometry g = geometry(areaMm);
    const QList<QList<Placed>> pages = paginate(g);
    if (page < 0 || page >= pages.size())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintHeader(painter, g, page, int(pages.size()));
    double top = kHeader + kHeaderGap + (page == 0 ? g.note : 0);
    for (const Placed &placed : pages.at(page)) {
        paintRow(painter, g, placed, top);
        top += g.rowHeight();
    }
    painter.restore();
}

void PracticeSheet::paintHeader(QPainter &painter, const Geometry &g, int page, int pages) const
{
    painter.setPen(kModelColour);
    QFont title = sheetFont(60);
    title.setBold(true);
    painter.setFont(title);
    const QRectF line(0, 0, g.width, kHeader - 15);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom, m_options.title);
    painter.setFont(sheetFont(35));
    painter.drawText(line, Qt::AlignRight | Qt::AlignBottom, m_options.date.toString(texts::kSheetDate));
    painter.setPen(QPen(kModelColour, 4));
    painter.drawLine(QPointF(0, kHeader), QPointF(g.width, kHeader));
    if (page == 0 && g.note > 0) {
        painter.setPen(kModelColour);
        painter.setFont(sheetFont(kNoteFont));
        painter.drawText(QRectF(0, kHeader + kHeaderGap, g.width, g.note), Qt::TextWordWrap, noteText());
    }
    painter.setPen(kDoneColour);
    painter.setFont(sheetFont(30));
    painter.drawText(QRectF(0, g.height - kFooter, g.width, kFooter), Qt::AlignHCenter | Qt::AlignBottom,
                     texts::kPageNumber.arg(page + 1).arg(pages));
}

void PracticeSheet::paintGrid(QPainter &painter, const QRectF &cell) const
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGuideColour, 1.5, Qt::DashLine));
    const QPointF c = cell.center();
    painter.drawLine(QPointF(cell.left(), c.y()), QPointF(cell.right(), c.y()));
    painter.drawLine(QPointF(c.x(), cell.top()), QPointF(c.x(), cell.bottom()));
    if (m_options.grid == GridKind::Mi) {
        painter.drawLine(cell.topLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomLeft());
    }
    painter.setPen(QPen(kBorderColour, 3));
    painter.drawRect(cell);
}

void PracticeSheet::paintRow(QPainter &painter, const Geometry &g, const Placed &placed, double top) const
{
    const Char &c = m_chars.at(placed.character);
    if (placed.row == 0 && !c.source.pinyin.isEmpty()) {
        painter.setPen(kModelColour);
        painter.setFont(sheetFont(38));
        painter.drawText(QRectF(0, top, g.width, kPinyinBand - 8), Qt::AlignLeft | Qt::AlignBottom, c.source.pinyin);
    }
    const int strokes = int(c.strokes.size());
    const int cells = m_options.cellsPerRow;
    for (int i = 0; i < cells; ++i) {
        const int index = placed.row * cells + i; // place in the character's sequence of cells
        const QRectF cell(i * g.cell, top + kPinyinBand, g.cell, g.cell);
        paintGrid(painter, cell);
        const QRectF inner = cell.adjusted(g.cell * kCellPadding, g.cell * kCellPadding, -g.cell * kCellPadding,
                                           -g.cell * kCellPadding);
        if (index == 0 && strokes == 0) {
            painter.setPen(kModelColour);
            painter.setFont(sheetFont(inner.height() * 0.86, true));
            painter.drawText(inner, Qt::AlignCenter, c.source.character);
            continue;
        }
        if (strokes == 0 || index > strokes + m_options.tracingCopies)
            continue; // an empty cell to write in
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setTransform(strokeTransform(inner), true);
        // Cell 0 the model, 1..n the build-up, then the copies to trace.
        const bool buildUp = index >= 1 && index <= strokes;
        const int drawn = buildUp ? index : strokes;
        for (int s = 0; s < drawn; ++s) {
            QColor colour = index == 0 ? kModelColour : buildUp ? kDoneColour : kTraceColour;
            if (buildUp && s == index - 1)
                colour = kNewColour;
            painter.setBrush(colour);
            painter.drawPath(c.strokes.at(s));
        }
        painter.restore();
    }
}

int PracticeSheet::print(QPagedPaintDevice &device) const
{
    const QSizeF area = device.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const int pages = pageCount(area);
    QPainter painter(&device);
    if (!painter.isActive())
        throw Error(QStringLiteral("无法开始打印"));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.resetTransform();
        painter.scale(device.logicalDpiX() / 25.4 / kPerMm, device.logicalDpiY() / 25.4 / kPerMm);
        paintPage(painter, page, area);
    }
    return pages;
}

void PracticeSheet::useA4(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                     QPageLayout::Millimeter));
}

int PracticeSheet::writePdf(const QString &file) const
{
    // QPdfWriter says nothing when it cannot write: find out first.
    {
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly))
            throw Error(QStringLiteral("无法写入 %1：%2").arg(file, probe.errorString()));
    }
    QPdfWriter writer(file);
    writer.setTitle(m_options.title);
    writer.setCreator(QStringLiteral("明川字典词典"));
    writer.setResolution(600);
    useA4(writer);
    return print(writer);
}

} // namespace mc::learn
