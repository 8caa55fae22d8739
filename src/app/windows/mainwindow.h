#pragma once
#include "readers/feature.h"
#include "search/feature.h"
#include "speech/feature.h"
#include "store/stores.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <functional>

class QAbstractButton;

namespace mc::store {
class Dataset;
} // namespace mc::store

namespace mc::app {

class CharacterPage;
class ClassicsPage;
class EnglishPage;
class IdiomPage;
class ResultWindow;
class SayingsPage;
class SectionPage;
class TopBar;
class WordPage;
class XiehouyuPage;

// The main window: section bar, menu and the eight pages. It owns the six datasets.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The dataset of each store; every store has one, named as the connection settings name it
    // ("ADOQuery2").
    store::Dataset *dataset(store::StoreId id) const { return m_datasets.value(id); }
    const QMap<store::StoreId, store::Dataset *> &datasets() const { return m_datasets; }

    // Shows one page and hides the seven others; nothing else changes.
    void showPage(QWidget *page);
    const QList<QWidget *> &pages() const { return m_pages; }
    // Shows the section page of a store, as its bar button does.
    void showSection(store::StoreId id);

    // The secondary windows opened from the bar: "更多精彩" and "在线辞海", each built when first
    // asked for.
    void setSecondaryWindows(std::function<QWidget *()> more, std::function<QWidget *()> lexicon);

    // The controls and views each feature is wired to.
    search::SearchControls searchControls();
    speech::SpeechControls speechControls();
    readers::ReaderControls readerControls() const; // without the result window

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildPages(QWidget *pageArea);
    void wireBar();
    // Ctrl+number clicks the bar button, then runs thenFocus; the button's hint names the keys.
    void addSectionShortcut(QAbstractButton *button, int number, const std::function<void()> &thenFocus);
    void showLicences();

    QMap<store::StoreId, store::Dataset *> m_datasets;
    QMap<store::StoreId, SectionPage *> m_sections;
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
    std::function<QWidget *()> m_more;
    std::function<QWidget *()> m_lexicon;
};

} // namespace mc::app
