#include "app/learn/sheetdialog.h"
#include "learn/sheetsource.h"
#include "learn/texts.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "services/strokes.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace mc::app {

SheetDialog::SheetDialog(const QString &dataDir, const QString &text, QWidget *parent)
    : QDialog(parent),
      m_dataDir(dataDir),
      m_text(new QLineEdit(this)),
      m_title(new QLineEdit(this)),
      m_cells(new QSpinBox(this)),
      m_tracing(new QSpinBox(this)),
      m_grid(new QComboBox(this)),
      m_summary(new QLabel(this)),
      m_save(new QPushButton(learn::texts::kSavePdf, this)),
      m_print(new QPushButton(learn::texts::kPrint, this)),
      // Screen resolution: the preview draws every page it shows, and fast.
      m_previewPrinter(std::make_unique<QPrinter>(QPrinter::ScreenResolution)),
      m_preview(new QPrintPreviewWidget(m_previewPrinter.get(), this)),
      m_delay(new QTimer(this))
{
    using Opts = learn::SheetOptions;
    setObjectName(QStringLiteral("SheetDialog"));
    setWindowTitle(learn::texts::kSheetDialogTitle);
    m_text->setObjectName(QStringLiteral("SheetText"));
    m_title->setObjectName(QStringLiteral("SheetTitle"));
    m_title->setPlaceholderText(learn::texts::kSheetTitle);
    m_cells->setObjectName(QStringLiteral("SheetCells"));
    m_cells->setRange(Opts::kMinCells, Opts::kMaxCells);
    m_cells->setValue(Opts().cellsPerRow);
    m_tracing->setObjectName(QStringLiteral("SheetTracing"));
    m_tracing->setRange(0, Opts::kMaxTracing);
    m_tracing->setValue(Opts().tracingCopies);
    m_grid->setObjectName(QStringLiteral("SheetGrid"));
    m_grid->addItem(learn::texts::kGridTian, int(learn::GridKind::Tian));
    m_grid->addItem(learn::texts::kGridMi, int(learn::GridKind::Mi));
    m_summary->setObjectName(QStringLiteral("SheetSummary"));
    m_summary->setWordWrap(true);
    m_save->setObjectName(QStringLiteral("SheetSave"));
    m_print->setObjectName(QStringLiteral("SheetPrint"));
    m_preview->setObjectName(QStringLiteral("SheetPreview"));
    learn::PracticeSheet::useA4(*m_previewPrinter);
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);

    auto *form = new QFormLayout;
    form->addRow(learn::texts::kSheetText, m_text);
    form->addRow(learn::texts::kSheetTitleLabel, m_title);
    form->addRow(learn::texts::kSheetCells, m_cells);
    form->addRow(learn::texts::kSheetTracing, m_tracing);
    form->addRow(learn::texts::kSheetGrid, m_grid);
    auto *close = new QPushButton(learn::texts::kClose, this);
    close->setObjectName(QStringLiteral("SheetClose"));
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_summary);
    left->addStretch();
    left->addWidget(m_save);
    left->addWidget(m_print);
    left->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(m_preview, 1);
    resize(900, 680);

    // Typing goes on while the preview waits: it is drawn again once the choices rest.
    m_delay->setSingleShot(true);
    m_delay->setInterval(250);
    const auto changed = [this] {
        m_stale = true;
        m_delay->start();
    };
    connect(m_text, &QLineEdit::textChanged, this, changed);
    connect(m_title, &QLineEdit::textChanged, this, changed);
    connect(m_cells, &QSpinBox::valueChanged, this, changed);
    connect(m_tracing, &QSpinBox::valueChanged, this, changed);
    connect(m_grid, &QComboBox::currentIndexChanged, this, changed);
    connect(m_delay, &QTimer::timeout, this, [this] { m_preview->updatePreview(); });
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        if (const learn::PracticeSheet *s = sheet())
            guarded([&] { s->print(*printer); });
    });
    connect(m_save, &QPushButton::clicked, this, &SheetDialog::saveAs);
    connect(m_print, &QPushButton::clicked, this, &SheetDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setText(text);
}

SheetDialog::~SheetDialog() = default;

void SheetDialog::setText(const QString &text)
{
    m_text->setText(text);
    m_stale = true;
    rebuild();
    m_preview->updatePreview();
}

const learn::PracticeSheet *SheetDialog::sheet()
{
    if (m_stale)
        rebuild();
    return m_sheet.get();
}

void SheetDialog::rebuild()
{
    m_stale = false;
    const QStringList characters = learn::sheetCharacters(m_text->text());
    m_sheet.reset();
    if (!characters.isEmpty()) {
        learn::SheetOptions options;
        options.title = m_title->text();
        options.cellsPerRow = m_cells->value();
        options.tracingCopies = m_tracing->value();
        options.grid = learn::GridKind(m_grid->currentData().toInt());
        const QString strokes = QDir(m_dataDir).filePath(QStringLiteral("strokes.db"));
        m_sheet = std::make_unique<learn::PracticeSheet>(
            learn::loadSheetCharacters(characters, m_dataDir,
                                       [&strokes](const QString &c) { return services::strokeData(strokes, c); }),
            options);
    }
    QString summary = learn::texts::kNoCharacters;
    if (m_sheet) {
        const QSizeF area = m_previewPrinter->pageLayout().paintRect(QPageLayout::Millimeter).size();
        summary = learn::texts::kSheetSummary.arg(m_sheet->characterCount()).arg(m_sheet->pageCount(area));
        const QStringList missing = m_sheet->withoutStrokes();
        if (!missing.isEmpty())
            summary += u'\n' + learn::texts::kNoStrokeOrder.arg(missing.join(u' '));
    }
    m_summary->setText(summary);
    m_save->setEnabled(m_sheet != nullptr);
    m_print->setEnabled(m_sheet != nullptr);
}

int SheetDialog::savePdf(const QString &file)
{
    const learn::PracticeSheet *s = sheet();
    return s ? s->writePdf(file) : 0;
}

void SheetDialog::saveAs()
{
    if (!sheet())
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = (m_title->text().trimmed().isEmpty() ? learn::texts::kSheetTitle : m_title->text().trimmed())
        + QStringLiteral(".pdf");
    QString file = QFileDialog::getSaveFileName(this, learn::texts::kSavePdf, QDir(folder).filePath(name),
                                                learn::texts::kPdfFilter);
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    if (guarded([&] { savePdf(file); }))
        Messages::current().plain(learn::texts::kSaved.arg(QDir::toNativeSeparators(file)));
}

void SheetDialog::print()
{
    const learn::PracticeSheet *s = sheet();
    if (!s)
        return;
    QPrinter printer(QPrinter::HighResolution);
    learn::PracticeSheet::useA4(printer);
    printer.setDocName(s->options().title);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        guarded([&] { s->print(printer); });
}

} // namespace mc::app
