// Practice sheets: the characters and their data, the PDF read back with poppler's tools (page
// count, text layer, page 1 as a picture), and the command line that makes one without a window.
#include "learn/practicesheet.h"
#include "learn/sheetsource.h"
#include "learn/strokepaths.h"
#include "services/strokes.h"
#include "support/testsupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace mc;
using namespace Qt::StringLiterals;
using namespace mc::learn;

namespace {

// Runs a tool to its end; its standard output, or a failure naming it.
QString run(const QString &program, const QStringList &args, int *exitCode = nullptr, QString *errors = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000))
        qWarning("%s did not finish", qPrintable(program));
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &file)
{
    const QString info = run(QStringLiteral("pdfinfo"), {file});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The text layer of the file (or of one page), without blanks and in compatibility form: the PDF
// names a glyph that stands for both a character and a radical of the same shape (一 and ⼀) by
// the radical, which that form turns back into the character. Compare texts in the same form.
QString pdfText(const QString &file, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    args << file << QStringLiteral("-");
    QString text = run(QStringLiteral("pdftotext"), args).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

QList<SheetCharacter> fixtureCharacters(const QString &text)
{
    const QString strokes = QDir(test::fixtureStores()).filePath(QStringLiteral("strokes.db"));
    return loadSheetCharacters(sheetCharacters(text), test::fixtureStores(),
                               [&strokes](const QString &c) { return services::strokeData(strokes, c); });
}

// The fixture's characters with stroke data, then others without, up to n.
QString someCharacters(int n)
{
    QString text = QStringLiteral("永一口叫木林马妈");
    for (char32_t c = 0x4E2D; text.size() < n; c += 13)
        text += QString::fromUcs4(&c, 1);
    return text.left(n);
}

// Pixels as the sheet draws them: the grid's border, its guide lines, the new stroke, strokes
// drawn before it or in the model, and the grey copies.
bool isBorder(QRgb p)
{
    return qGreen(p) < 185 && qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 10;
}
bool isGuide(QRgb p)
{
    return qGreen(p) >= 185 && qGreen(p) < 235 && qGreen(p) > qRed(p) + 25;
}
bool isRed(QRgb p)
{
    return qRed(p) > 170 && qGreen(p) < 90 && qBlue(p) < 90;
}
bool isDark(QRgb p)
{
    return qRed(p) < 110 && qGreen(p) < 110 && qBlue(p) < 110;
}
bool isGrey(QRgb p)
{
    return qRed(p) > 180 && qRed(p) < 225 && qAbs(qRed(p) - qGreen(p)) < 8 && qAbs(qRed(p) - qBlue(p)) < 8;
}

struct Cell {
    int red = 0, dark = 0, grey = 0, guide = 0;
};

// The first row of cells on a page picture, found by its green lines alone: the cells between
// the vertical lines, and what each holds.
QList<Cell> firstRow(const QImage &page)
{
    const auto borderShare = [&page](int y) {
        int n = 0;
        for (int x = 0; x < page.width(); ++x)
            n += isBorder(page.pixel(x, y)) ? 1 : 0;
        return double(n) / page.width();
    };
    int top = 0;
    while (top < page.height() && borderShare(top) < 0.5)
        ++top;
    int bottom = top + 6;
    while (bottom < page.height() && borderShare(bottom) < 0.5)
        ++bottom;
    if (bottom >= page.height())
        return {};
    QList<int> lines;
    for (int x = 0, y = top + 8; x < page.width(); ++x) {
        if (isBorder(page.pixel(x, y)) && (lines.isEmpty() || x - lines.last() > 3))
            lines.append(x);
        else if (isBorder(page.pixel(x, y)))
            lines.last() = x;
    }
    QList<Cell> cells;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        Cell cell;
        const int left = lines.at(i) + 4, right = lines.at(i + 1) - 4;
        const int midX = (lines.at(i) + lines.at(i + 1)) / 2, midY = (top + bottom) / 2;
        for (int y = top + 4; y < bottom - 3; ++y) {
            for (int x = left; x < right; ++x) {
                const QRgb p = page.pixel(x, y);
                cell.red += isRed(p) ? 1 : 0;
                cell.dark += isDark(p) ? 1 : 0;
                cell.grey += isGrey(p) ? 1 : 0;
                // The upper left quarter, clear of the middle lines: only a diagonal crosses it.
                if (x < midX - 4 && y < midY - 4)
                    cell.guide += isGuide(p) ? 1 : 0;
            }
        }
        cells.append(cell);
    }
    return cells;
}

} // namespace

class TestPracticeSheet final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString writeSheet(const QString &name, const QString &text, const SheetOptions &options, int *pages = nullptr)
    {
        const QString file = m_dir.filePath(name);
        const PracticeSheet sheet(fixtureCharacters(text), options);
        const int written = sheet.writePdf(file);
        if (pages)
            *pages = written;
        return file;
    }

private slots:
    void charactersOfAText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("characters");
        QTest::newRow("two") << "永和"
                             << "永和";
        QTest::newRow("once each, in order") << "天天向上，好好学习"
                                             << "天向上好学习";
        QTest::newRow("no letters, digits, blanks or marks") << "a 永 1。\n和!"
                                                             << "永和";
        QTest::newRow("outside the basic plane") << "\U00020000永"
                                                 << "\U00020000永";
        QTest::newRow("none") << "abc，。"
                              << "";
    }
    void charactersOfAText()
    {
        QFETCH(QString, text);
        QFETCH(QString, characters);
        QCOMPARE(sheetCharacters(text).join(QString()), characters);
    }

    void readingsAndStrokes()
    {
        const QList<SheetCharacter> chars = fixtureCharacters(QStringLiteral("永吗丢"));
        QCOMPARE(chars.size(), 3);
        QCOMPARE(chars.at(0).pinyin, QStringLiteral("yǒng"));
        QCOMPARE(strokePaths(chars.at(0).strokes).size(), 5);
        QCOMPARE(chars.at(1).pinyin, QStringLiteral("ma")); // the everyday reading of several
        QVERIFY(chars.at(2).strokes.isEmpty());
        // Without a character store there are no readings, and the sheet is still made.
        const QList<SheetCharacter> bare = loadSheetCharacters({QStringLiteral("永")}, m_dir.path(), {});
        QCOMPARE(bare.size(), 1);
        QVERIFY(bare.at(0).pinyin.isEmpty() && bare.at(0).strokes.isEmpty());
    }

    void damagedStrokeData_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not JSON") << QByteArray("{\"strokes\": [\"M 1 2");
        QTest::newRow("unknown command") << QByteArray(R"({"strokes":["M 1 2 A 3 4 Z"]})");
        QTest::newRow("number missing") << QByteArray(R"({"strokes":["M 1 2 Q 3 4 Z"]})");
        QTest::newRow("one bad stroke of two") << QByteArray(R"({"strokes":["M 1 2 L 3 4 Z","M x 2 Z"]})");
    }
    void damagedStrokeData()
    {
        QFETCH(QByteArray, json);
        QVERIFY(strokePaths(json).isEmpty());
    }

    // The data's square is y-up with its baseline at 900: the top of the square lands on the
    // cell's top, the bottom on its bottom.
    void strokesLandInTheirCell()
    {
        const QRectF cell(100, 200, 50, 50);
        const QTransform t = strokeTransform(cell);
        QCOMPARE(t.map(QPointF(0, 900)), QPointF(100, 200));
        QCOMPARE(t.map(QPointF(1024, -124)), QPointF(150, 250));
    }

    // Nine rows to a page, eight on the first beside its note on the characters without stroke
    // order; 林 (eight strokes) takes two rows.
    // clang-format off
    void pageCount_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<int>("pages");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("10") << 10 << 2;
        QTest::newRow("100") << 100 << 12;
    }
    // clang-format on
    void pageCount()
    {
        QFETCH(int, characters);
        QFETCH(int, pages);
        int written = 0;
        const QString file = writeSheet(QStringLiteral("count%1.pdf").arg(characters), someCharacters(characters),
                                        SheetOptions(), &written);
        QCOMPARE(pdfPages(file), pages);
        QCOMPARE(written, pages);
        // The footer of the last page counts the same pages.
        const QString last = pdfText(file, pages);
        const QRegularExpression footer(QStringLiteral("第%1./共%1.").arg(pages));
        QVERIFY2(last.contains(footer), qPrintable(last));
    }

    void textLayer()
    {
        SheetOptions options;
        options.title = QStringLiteral("三年级一班 字帖");
        options.date = QDate(2026, 9, 1);
        const QString file = writeSheet(QStringLiteral("text.pdf"), QStringLiteral("永妈吗丢"), options);
        const QString text = pdfText(file);
        for (const QString &shown :
             {QStringLiteral("三年级一班字帖"), QStringLiteral("2026年9月1日"), QStringLiteral("yǒng"),
              QStringLiteral("mā"), QStringLiteral("ma"), QStringLiteral("以下字暂无笔顺数据，只有范字：吗丢")})
            QVERIFY2(text.contains(shown.normalized(QString::NormalizationForm_KC)),
                     qPrintable(shown + QStringLiteral(" not in:\n") + text));
    }

    void firstPage_data()
    {
        QTest::addColumn<GridKind>("grid");
        QTest::addColumn<int>("cells");
        QTest::addColumn<int>("tracing");
        QTest::newRow("田字格") << GridKind::Tian << 10 << 3;
        QTest::newRow("米字格") << GridKind::Mi << 10 << 3;
        QTest::newRow("twelve cells, one copy") << GridKind::Tian << 12 << 1;
    }
    // 永 has five strokes: the model, five build-up cells with their new stroke in red, the grey
    // copies, then empty cells.
    void firstPage()
    {
        QFETCH(GridKind, grid);
        QFETCH(int, cells);
        QFETCH(int, tracing);
        SheetOptions options;
        options.grid = grid;
        options.cellsPerRow = cells;
        options.tracingCopies = tracing;
        const QString file = writeSheet(QStringLiteral("page.pdf"), QStringLiteral("永林"), options);
        const QString prefix = m_dir.filePath(QStringLiteral("page"));
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"), file,
             prefix});
        const QImage page(prefix + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const QList<Cell> row = firstRow(page);
        QCOMPARE(row.size(), cells);
        const auto show = [&row](int i) {
            const Cell &c = row.at(i);
            return QStringLiteral("cell %1: red %2 dark %3 grey %4").arg(i).arg(c.red).arg(c.dark).arg(c.grey);
        };
        for (int i = 0; i < cells; ++i) {
            const Cell &c = row.at(i);
            const bool model = i == 0, buildUp = i >= 1 && i <= 5, copy = i > 5 && i <= 5 + tracing;
            QVERIFY2((c.red > 20) == buildUp, qPrintable(show(i)));
            QVERIFY2((c.dark > 20) == (model || (buildUp && i >= 2)), qPrintable(show(i)));
            // Grey alone: the dark strokes' smoothed edges are grey too.
            QVERIFY2((c.grey > 20 && c.dark == 0) == copy, qPrintable(show(i)));
            QVERIFY2((c.guide > 0) == (grid == GridKind::Mi), qPrintable(show(i)));
        }
    }

    // The command line makes the sheet without a window, or says what is wrong with it.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        const QString out = QStringLiteral("sheet.pdf");
        QTest::newRow("made") << QStringList{u"--sheet"_s, u"永和"_s, u"--output"_s, out} << 0
                              << "2 characters, 1 page";
        QTest::newRow("all choices") << QStringList{u"--sheet"_s, u"永"_s,     u"--output"_s,  out,
                                                    u"--cells"_s, u"8"_s,      u"--tracing"_s, u"0"_s,
                                                    u"--grid"_s,  u"米字格"_s, u"--title"_s,   u"练习"_s}
                                     << 0 << "1 character,";
        QTest::newRow("no output") << QStringList{u"--sheet"_s, u"永"_s} << 2 << "--output";
        QTest::newRow("no characters") << QStringList{u"--sheet"_s, u"abc"_s, u"--output"_s, out} << 2 << "no Chinese";
        QTest::newRow("too few cells") << QStringList{u"--sheet"_s, u"永"_s, u"--output"_s, out, u"--cells"_s, u"3"_s}
                                       << 2 << "--cells";
        QTest::newRow("cells not a number")
            << QStringList{u"--sheet"_s, u"永"_s, u"--output"_s, out, u"--cells"_s, u"ten"_s} << 2 << "--cells";
        QTest::newRow("negative copies") << QStringList{u"--sheet"_s, u"永"_s,        u"--output"_s,
                                                        out,          u"--tracing"_s, u"-1"_s}
                                         << 2 << "--tracing";
        QTest::newRow("unknown grid") << QStringList{u"--sheet"_s, u"永"_s, u"--output"_s, out, u"--grid"_s, u"hex"_s}
                                      << 2 << "--grid";
        QTest::newRow("output alone") << QStringList{u"--output"_s, out} << 2 << "--sheet";
        QTest::newRow("text beside the sheet")
            << QStringList{u"--sheet"_s, u"永"_s, u"--output"_s, out, u"水"_s} << 2 << "水";
        QTest::newRow("unknown option") << QStringList{u"--sheets"_s, u"永"_s} << 2 << "sheets";
        QTest::newRow("unwritable") << QStringList{u"--sheet"_s, u"永"_s, u"--output"_s, u"no/such/folder/x.pdf"_s} << 1
                                    << "no/such/folder/x.pdf";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        const test::WorkingFolder folder;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY")); // no window system at all
        env.insert(QStringLiteral("MINGCHUAN_INSTANCE"), folder.filePath(QStringLiteral("instance")));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(folder.path());
        program.start(QStringLiteral(MC_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(120000));
        const QString output = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(output));
        QVERIFY2(program.exitCode() == exitCode, qPrintable(output));
        QVERIFY2(output.contains(says), qPrintable(output));
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        if (exitCode == 0)
            QCOMPARE(pdfPages(pdf), 1);
    }
};

QTEST_MAIN(TestPracticeSheet)
#include "tst_practicesheet.moc"
