#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPainterPath>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace mc::learn {

enum class GridKind { Tian, Mi }; // 田字格, 米字格 (田 with its diagonals)

struct SheetOptions {
    static constexpr int kMinCells = 4;
    static constexpr int kMaxCells = 20;
    static constexpr int kMaxTracing = 20;

    QString title;         // empty: 字帖
    QDate date;            // invalid: today
    int cellsPerRow = 10;  // kMinCells to kMaxCells
    int tracingCopies = 3; // 0 to kMaxTracing
    GridKind grid = GridKind::Tian;
};

struct SheetCharacter {
    QString character;
    QString pinyin;     // shown above its row; may be empty
    QByteArray strokes; // the stroke data (JSON); empty when there is none
};

// A practice sheet: per character a row of writing cells holding the model character, its
// build-up stroke by stroke (one cell per stroke, the new stroke in red), grey copies to trace,
// then empty cells; a character that needs more cells goes on in the next row. The pinyin stands
// above the row, the title and date head every page, the page number foots it, and the first
// page names the characters that had no stroke order (they get the model and empty cells).
// Draws with QPainter on any paged device (QPdfWriter, QPrinter) or, page by page, into a
// preview; measures are millimetres and fit the page the device has, A4 by default.
class PracticeSheet final {
public:
    PracticeSheet(QList<SheetCharacter> characters, SheetOptions options);

    const SheetOptions &options() const { return m_options; }
    int characterCount() const { return int(m_chars.size()); }
    // The characters drawn without stroke order, in sheet order.
    QStringList withoutStrokes() const;

    // Pages for a printable area of the given size in millimetres.
    int pageCount(const QSizeF &areaMm) const;
    // Draws one page (0-based); the painter's unit must be a tenth of a millimetre, its origin
    // the area's top-left corner.
    void paintPage(QPainter &painter, int page, const QSizeF &areaMm) const;

    // Every page onto the device, in the page layout it has; returns the number of pages.
    int print(QPagedPaintDevice &device) const;
    // A4 portrait, 12 mm margins: the layout writePdf() uses.
    static void useA4(QPagedPaintDevice &device);
    // Writes the sheet as an A4 PDF file and returns its number of pages; throws mc::Error when
    // the file cannot be written.
    int writePdf(const QString &file) const;

private:
    struct Char {
        SheetCharacter source;
        QList<QPainterPath> strokes;
    };
    struct Geometry;
    struct Placed {
        int character;
        int row; // row of that character, 0 for the one with its pinyin
    };

    Geometry geometry(const QSizeF &areaMm) const;
    int rowsOf(const Char &c) const;
    QList<QList<Placed>> paginate(const Geometry &g) const;
    QString noteText() const;
    void paintHeader(QPainter &painter, const Geometry &g, int page, int pages) const;
    void paintRow(QPainter &painter, const Geometry &g, const Placed &placed, double top) const;
    void paintGrid(QPainter &painter, const QRectF &cell) const;

    QList<Char> m_chars;
    SheetOptions m_options;
};

} // namespace mc::learn
