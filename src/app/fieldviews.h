#pragma once
#include <QLabel>
#include <QPlainTextEdit>

namespace mc::store {
class Dataset;
}

namespace mc::app {

// A label showing one column of its dataset's current row; empty without a row. Text is always
// shown as plain text, never interpreted as markup.
class FieldLabel final : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { Fixed, ToText };

    FieldLabel(store::Dataset *dataset, const QString &column, Sizing sizing, QWidget *parent);
    QString column() const { return m_column; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void follow();

    store::Dataset *m_dataset;
    QString m_column;
    Sizing m_sizing;
};

// A read-only memo showing one (long) column of its dataset's current row.
class FieldMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    FieldMemo(store::Dataset *dataset, const QString &column, QWidget *parent);
    QString column() const { return m_column; }
    // Lets a picture behind the memo show through.
    void setSeeThrough();

private:
    void follow();

    store::Dataset *m_dataset;
    QString m_column;
};

} // namespace mc::app
