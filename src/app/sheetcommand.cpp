#include "app/sheetcommand.h"
#include "core/error.h"
#include "learn/sheetsource.h"
#include "platform/paths.h"
#include "services/strokes.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace mc::app {
namespace {

const QString kSheet = QStringLiteral("sheet");
const QString kOutput = QStringLiteral("output");
const QString kTitle = QStringLiteral("title");
const QString kCells = QStringLiteral("cells");
const QString kTracing = QStringLiteral("tracing");
const QString kGrid = QStringLiteral("grid");

std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

std::optional<learn::GridKind> gridKind(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == u"tian" || t == u"田" || t == u"田字格")
        return learn::GridKind::Tian;
    if (t == u"mi" || t == u"米" || t == u"米字格")
        return learn::GridKind::Mi;
    return std::nullopt;
}

} // namespace

void addSheetOptions(QCommandLineParser &parser)
{
    using Opts = learn::SheetOptions;
    parser.addOption({kSheet, QStringLiteral("不开窗口，为<文字>中的汉字生成字帖（PDF）"), QStringLiteral("文字")});
    parser.addOption({kOutput, QStringLiteral("字帖写入的 PDF 文件"), QStringLiteral("文件")});
    parser.addOption({kTitle, QStringLiteral("字帖的标题（默认：字帖）"), QStringLiteral("标题")});
    parser.addOption({kCells,
                      QStringLiteral("每行格数，%1 到 %2（默认 %3）")
                          .arg(Opts::kMinCells)
                          .arg(Opts::kMaxCells)
                          .arg(Opts().cellsPerRow),
                      QStringLiteral("n")});
    parser.addOption({kTracing,
                      QStringLiteral("描红格数，0 到 %1（默认 %2）").arg(Opts::kMaxTracing).arg(Opts().tracingCopies),
                      QStringLiteral("n")});
    parser.addOption({kGrid, QStringLiteral("tian（田字格，默认）或 mi（米字格）"), QStringLiteral("格式")});
}

std::optional<SheetRequest> sheetRequest(const QCommandLineParser &parser, QString &error)
{
    if (!parser.isSet(kSheet)) {
        for (const QString &option : {kOutput, kTitle, kCells, kTracing, kGrid}) {
            if (parser.isSet(option)) {
                error = QStringLiteral("--%1 goes with --sheet").arg(option);
                return std::nullopt;
            }
        }
        return std::nullopt;
    }
    SheetRequest request;
    request.text = parser.value(kSheet);
    request.output = parser.value(kOutput);
    request.options.title = parser.value(kTitle);
    if (learn::sheetCharacters(request.text).isEmpty())
        error = QStringLiteral("--sheet: no Chinese characters in \"%1\"").arg(request.text);
    else if (request.output.trimmed().isEmpty())
        error = QStringLiteral("--sheet needs --output <file>");
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("--sheet takes no text to look up: %1").arg(parser.positionalArguments().join(u' '));
    if (!error.isEmpty())
        return std::nullopt;
    using Opts = learn::SheetOptions;
    if (parser.isSet(kCells)) {
        const auto n = number(parser.value(kCells), Opts::kMinCells, Opts::kMaxCells);
        if (!n) {
            error = QStringLiteral("--cells: a number from %1 to %2").arg(Opts::kMinCells).arg(Opts::kMaxCells);
            return std::nullopt;
        }
        request.options.cellsPerRow = *n;
    }
    if (parser.isSet(kTracing)) {
        const auto n = number(parser.value(kTracing), 0, Opts::kMaxTracing);
        if (!n) {
            error = QStringLiteral("--tracing: a number from 0 to %1").arg(Opts::kMaxTracing);
            return std::nullopt;
        }
        request.options.tracingCopies = *n;
    }
    if (parser.isSet(kGrid)) {
        const auto grid = gridKind(parser.value(kGrid));
        if (!grid) {
            error = QStringLiteral("--grid: tian or mi");
            return std::nullopt;
        }
        request.options.grid = *grid;
    }
    return request;
}

int runSheet(int &argc, char **argv, const SheetRequest &request)
{
    // Nothing is shown: no display is needed, whatever the session has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    try {
        const QString data = paths::findStoreFolder(
            {QStringLiteral("strokes.db"), QStringLiteral("xhb.db"), QStringLiteral("parts.db")});
        const QString strokes = QDir(data).filePath(QStringLiteral("strokes.db"));
        const learn::PracticeSheet sheet(
            learn::loadSheetCharacters(learn::sheetCharacters(request.text), data,
                                       [&strokes](const QString &c) { return services::strokeData(strokes, c); }),
            request.options);
        const int pages = sheet.writePdf(request.output);
        const int count = sheet.characterCount();
        std::printf("%s: %d %s, %d %s\n", qPrintable(request.output), count, count == 1 ? "character" : "characters",
                    pages, pages == 1 ? "page" : "pages");
        const QStringList missing = sheet.withoutStrokes();
        if (!missing.isEmpty())
            std::printf("no stroke order: %s\n", qPrintable(missing.join(u' ')));
        return 0;
    } catch (const Error &e) {
        std::fprintf(stderr, "mingchuan: %s\n", qPrintable(e.text()));
        return 1;
    }
}

} // namespace mc::app
