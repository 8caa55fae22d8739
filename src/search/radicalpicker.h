#pragma once
#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace mc::search {

// The radical picker (TForm4): a table of radicals by stroke group, the chosen radical, and a
// box for the strokes besides the radical. Created once and only hidden when closed, so what
// was chosen is still there the next time it shows.
class RadicalPicker final : public QDialog {
    Q_OBJECT
public:
    explicit RadicalPicker(QWidget *parent = nullptr);

    // Shows the picker without blocking, centred over owner.
    void showOver(QWidget *owner);

    QString chosenRadical() const;
    QString strokes() const;

signals:
    // The radical immediately followed by the strokes, nothing trimmed.
    void confirmed(const QString &keyword);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirm();

    QTableWidget *m_table;
    QLabel *m_chosen;
    QLineEdit *m_strokes;
};

} // namespace mc::search
