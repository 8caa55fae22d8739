#pragma once
#include <QWidget>

namespace mc::app {

// "更多精彩" (TForm5): the maker's other programs. Every element asks, then opens the maker's site.
class MoreWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MoreWindow(QWidget *mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void visit();
    void makeClickable(QWidget *element);
};

} // namespace mc::app
