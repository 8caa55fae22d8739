#pragma once
#include "learn/practicesheet.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QSpinBox;
class QTimer;

namespace mc::app {

// "生成字帖…": the characters to practise, the title and the choices (cells per row, grey copies,
// 田字格 or 米字格) beside a preview of the pages; the sheet is saved as a PDF or printed through
// the system's print dialog. The stroke data and readings come from the stores in dataDir.
class SheetDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SheetDialog(const QString &dataDir, const QString &text = {}, QWidget *parent = nullptr);
    ~SheetDialog() override;

    QLineEdit *textBox() const { return m_text; }
    QLineEdit *titleBox() const { return m_title; }
    QSpinBox *cellsBox() const { return m_cells; }
    QSpinBox *tracingBox() const { return m_tracing; }
    QComboBox *gridBox() const { return m_grid; }
    QLabel *summary() const { return m_summary; }
    QPrintPreviewWidget *preview() const { return m_preview; }

    void setText(const QString &text);
    // The sheet as the choices stand now (made again when they change); null without characters.
    const learn::PracticeSheet *sheet();
    // Writes the sheet; throws mc::Error when the file cannot be written.
    int savePdf(const QString &file);

private:
    void rebuild();
    void saveAs();
    void print();

    QString m_dataDir;
    std::unique_ptr<learn::PracticeSheet> m_sheet;
    bool m_stale = true;
    QLineEdit *m_text;
    QLineEdit *m_title;
    QSpinBox *m_cells;
    QSpinBox *m_tracing;
    QComboBox *m_grid;
    QLabel *m_summary;
    QPushButton *m_save;
    QPushButton *m_print;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget *m_preview;
    QTimer *m_delay;
};

} // namespace mc::app
