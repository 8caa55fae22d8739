#pragma once
#include "store/stores.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace mc::lookup {

class UserFileWriter;

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
// cannot be kept leaves lookups working, with one message saying what is lost. Both lists are
// held in memory and read from there; changes reach the file on a thread of their own, so the
// window never waits for the disk or for a program that holds the file.
class UserData final : public QObject {
    Q_OBJECT
public:
    static constexpr int kHistoryLimit = 200;

    // The per-user application data folder.
    static QString defaultFolder();

    explicit UserData(QObject *parent = nullptr);
    ~UserData() override;

    // Opens or creates the user file in folder. A damaged file is renamed aside with a time stamp
    // and a fresh one started. A file that cannot be written (a read-only folder) is still read
    // and shown, its changes kept for this session only; one locked by another program is read
    // all the same and written once it is free. A folder that cannot be made keeps this
    // session's data in memory only. Each time one message says so.
    void open(const QString &folder = defaultFolder());
    // False while changes live in memory only and go with the program.
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
    void openInMemory();
    void close();
    void tell(const QString &text);

    std::unique_ptr<UserFileWriter> m_writer;
    QList<Entry> m_history;
    QList<Entry> m_favourites;
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
