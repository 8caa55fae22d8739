#pragma once
#include <QWidget>

namespace mc::web {
class HtmlView;
}

namespace mc::app {

// "在线字典词典" (TForm6): shows the result page of an online lookup, which fills and shows it.
class ResultWindow final : public QWidget {
    Q_OBJECT
public:
    explicit ResultWindow(QWidget *mainWindow);
    web::HtmlView *view() const { return m_view; }

private:
    web::HtmlView *m_view;
};

} // namespace mc::app
