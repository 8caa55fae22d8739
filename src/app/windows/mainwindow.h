#pragma once
#include <QList>
#include <QMainWindow>
#include <functional>

class QAbstractButton;

namespace mc::store {
class Dataset;
}

namespace mc::app {

class TopBar;

// The main window: section bar, menu and the eight pages. It owns the six datasets.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    store::Dataset *dataset(const QString &name) const;

    // Shows one page and hides the seven others; nothing else changes.
    void showPage(QWidget *page);
    const QList<QWidget *> &pages() const { return m_pages; }

    // The secondary windows opened from the bar: "更多精彩" and "在线辞海".
    void setSecondaryWindows(QWidget *more, QWidget *lexicon);

    // Starts the reader's opening page and the today-in-history page loading; called once the
    // stores have opened, so a failed start loads and writes nothing.
    void startLoading();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildPages(QWidget *pageArea);
    void wireBar();
    // Ctrl+number clicks the bar button, then runs thenFocus; the button's hint names the keys.
    void addSectionShortcut(QAbstractButton *button, int number, const std::function<void()> &thenFocus);
    void showLicences();

    TopBar *m_topBar = nullptr;
    QList<QWidget *> m_pages;
    QWidget *m_more = nullptr;
    QWidget *m_lexicon = nullptr;
};

} // namespace mc::app
