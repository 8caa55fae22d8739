#pragma once
#include "readers/feature.h"
#include "search/feature.h"
#include "speech/feature.h"

#include <QList>
#include <QMainWindow>
#include <functional>

class QAbstractButton;

namespace mc::store {
class Dataset;
enum class StoreId;
} // namespace mc::store

namespace mc::app {

class CharacterPage;
class ClassicsPage;
class EnglishPage;
class IdiomPage;
class ResultWindow;
class SayingsPage;
class TopBar;
class WordPage;
class XiehouyuPage;

// The main window: section bar, menu and the eight pages. It owns the six datasets.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    store::Dataset *dataset(const QString &name) const;
    store::Dataset *dataset(store::StoreId id) const;

    // Shows one page and hides the seven others; nothing else changes.
    void showPage(QWidget *page);
    const QList<QWidget *> &pages() const { return m_pages; }
    // The bar button that shows the section of a store.
    QAbstractButton *sectionButton(store::StoreId id) const;

    // The secondary windows opened from the bar: "更多精彩" and "在线辞海".
    void setSecondaryWindows(QWidget *more, QWidget *lexicon);

    // The controls and views each feature is wired to.
    search::SearchControls searchControls();
    speech::SpeechControls speechControls();
    readers::ReaderControls readerControls(ResultWindow *result) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildPages(QWidget *pageArea);
    void wireBar();
    // Ctrl+number clicks the bar button, then runs thenFocus; the button's hint names the keys.
    void addSectionShortcut(QAbstractButton *button, int number, const std::function<void()> &thenFocus);
    void showLicences();
    QMap<store::StoreId, store::Dataset *> datasets() const;

    TopBar *m_topBar = nullptr;
    QAction *m_loadSpeechEngine = nullptr;
    QList<QWidget *> m_pages;
    CharacterPage *m_character = nullptr;
    IdiomPage *m_idiom = nullptr;
    XiehouyuPage *m_xiehouyu = nullptr;
    EnglishPage *m_english = nullptr;
    SayingsPage *m_sayings = nullptr;
    ClassicsPage *m_classics = nullptr;
    WordPage *m_word = nullptr;
    QWidget *m_more = nullptr;
    QWidget *m_lexicon = nullptr;
};

} // namespace mc::app
