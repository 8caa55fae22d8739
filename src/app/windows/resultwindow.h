#pragma once
#include <QWidget>

namespace mc::app {

// "在线字典词典" (TForm6): shows a lookup result page; the lookup fills and shows it.
class ResultWindow final : public QWidget {
    Q_OBJECT
public:
    explicit ResultWindow(QWidget *mainWindow);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *m_mainWindow;
    bool m_placed = false;
};

} // namespace mc::app
