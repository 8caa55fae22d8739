#pragma once
#include "store/stores.h"

#include <QList>
#include <QObject>
#include <QString>

struct sqlite3;

namespace mc::lookup {

// One looked-up entry as history and the word book keep it: the store it came from, its key
// text (the character, word or idiom), its pinyin and a short explanation.
struct Entry {
    store::StoreId store = store::StoreId::Words;
    QString key;
    QString pinyin;
    QString explanation;

    bool operator==(const Entry &other) const = default;
};

// The user's own data: the last lookups and the word book (生词本), kept in an SQLite file of the
// user's, never in the read-only stores. Nothing here throws except exportCsv: a user file that
// cannot be kept leaves lookups working, with one message saying what is lost.
class UserData final : public QObject {
    Q_OBJECT
public:
    static constexpr int kHistoryLimit = 200;

    // The per-user application data folder.
    static QString defaultFolder();

    explicit UserData(QObject *parent = nullptr);
    ~UserData() override;

    // Opens or creates the user file in folder. A damaged file is renamed aside with a time stamp
    // and a fresh one started; a folder that cannot be written keeps this session's data in
    // memory only. Either way one message says so.
    void open(const QString &folder = defaultFolder());
    // False while the data lives in memory only and goes with the program.
    bool isKept() const { return m_kept; }
    QString filePath() const { return m_path; }

    // The entry becomes the newest lookup; an earlier lookup of the same entry is dropped.
    void addLookup(const Entry &entry);
    QList<Entry> history() const; // newest first

    bool isFavourite(store::StoreId store, const QString &key) const;
    // Adds the entry to the word book or takes it out; answers whether it is in now.
    bool toggleFavourite(const Entry &entry);
    QList<Entry> favourites() const; // newest first

    // Writes the word book as a CSV file for flash-card programs: UTF-8, one entry a line with
    // the columns word, pinyin, explanation. Throws mc::Error when the file cannot be written.
    void exportCsv(const QString &path) const;

signals:
    void historyChanged();
    void favouritesChanged();

private:
    enum class Failure { None, Damaged, Unwritable };

    Failure tryOpen(const QString &path);
    void openInMemory();
    void close();
    bool write(const QString &sql, const QVariantList &params);
    QList<Entry> entries(const QString &table) const;
    void tell(const QString &text);

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_kept = false;
    bool m_told = false;
};

// The explanation as history and the popup keep it: without its section heads (【基本解释】) and
// reading marks (〔yī〕), which the key and pinyin already say, and cut after kExplanationLimit.
constexpr int kExplanationLimit = 300;
QString shortExplanation(const QString &content);

// One CSV field, quoted when it holds a comma, a quote or a line break.
QString csvField(const QString &text);

} // namespace mc::lookup
