#pragma once
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QListWidget;
class QToolButton;

namespace mc::learn {
class PartsIndex;
}

namespace mc::app {

// Finding a character by its parts: the most useful parts as buttons grouped by stroke count, the
// parts picked so far (a part clicked twice counts twice), and the characters holding all of them,
// most frequent first. Clicking a character emits it. Loads parts.db from dataDir when made.
class PartsPanel final : public QWidget {
    Q_OBJECT
public:
    // Throws mc::Error when parts.db cannot be read.
    explicit PartsPanel(const QString &dataDir, QWidget *parent = nullptr);
    ~PartsPanel() override;

    // Results listed at most; the count says how many there are.
    static constexpr int kShown = 300;

    QStringList picks() const { return m_picks; }
    QStringList results() const { return m_results; }
    // The button of a part on the panel; null for parts it does not offer.
    QToolButton *partButton(const QString &part) const;
    QListWidget *resultList() const { return m_list; }

    void pick(const QString &part);
    void setPicks(const QStringList &parts); // typed parts ("+木子") replace the picks
    void undoPick();
    void clearPicks();

signals:
    void characterChosen(const QString &character);

private:
    void update();

    std::unique_ptr<learn::PartsIndex> m_index;
    QStringList m_picks;
    QStringList m_results;
    QHash<QString, QToolButton *> m_buttons;
    QLabel *m_picked;
    QLabel *m_count;
    QListWidget *m_list;
};

} // namespace mc::app
