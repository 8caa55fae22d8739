#pragma once
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>

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
    void textShown(); // after each change of row

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void follow();

    store::Dataset *m_dataset;
    QString m_column;
    Sizing m_sizing;
};

// The place of a field label: text longer than the box wraps and scrolls inside it, and then shows
// whole in the tooltip, so no text is cut off or drawn over a neighbour. The label keeps its name
// and text; the box only holds it.
class FieldBox final : public QScrollArea {
    Q_OBJECT
public:
    enum class Fit {
        Fill,   // always the whole box
        ToText, // as large as the text on one line, up to the whole box
        Shrink, // the whole box; a line too long for it is drawn in a smaller font, down to 60%
    };

    // Moves label into a box at place in its parent.
    FieldBox(FieldLabel *label, const QRect &place, Fit sizing);
    FieldLabel *label() const { return m_label; }
    // The place the box is given (it may take less of it, see Fit); a new one refits it.
    QRect place() const { return m_place; }
    void setPlace(const QRect &place);
    // A neighbour (in the parent's coordinates) that the box keeps clear of, by ending short of
    // its left edge, whenever the text would reach down beside it.
    void keepClearOf(const QRect &neighbour);
    // The hint shown on hover when the whole text is in view.
    void setHint(const QString &hint);
    bool overflows() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void fit();
    void shrinkToWidth(int width);
    void updateHint();
    void updateTextHeight();

    FieldLabel *m_label;
    QFont m_font; // as designed, before any shrinking
    QRect m_place;
    Fit m_fit;
    QRect m_neighbour;
    QString m_hint;
};

// A read-only memo showing one (long) column of its dataset's current row.
class FieldMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    FieldMemo(store::Dataset *dataset, const QString &column, QWidget *parent);
    QString column() const { return m_column; }
    // Lets a picture behind the memo show through.
    void setSeeThrough();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showWholeLines();
    void follow();

    store::Dataset *m_dataset;
    QString m_column;
};

} // namespace mc::app
