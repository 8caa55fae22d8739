#pragma once
#include <QHash>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <QStringList>

namespace mc::test {

// Random keywords of the kinds that have hurt keyword searches: CJK, ASCII, quotes, backslashes,
// the wildcards, SQL fragments, control characters, halves of surrogate pairs, very long runs.
class KeywordSource {
public:
    explicit KeywordSource(quint32 seed) : m_random(seed) {}
    QString next();

private:
    QString piece();
    QRandomGenerator m_random;
};

// The checked-in list of hostile keywords, one a line; \0, \t, \r, \n, \\ and \uXXXX stand for
// what they name, so the file itself stays plain text.
QStringList hostileKeywords();

struct FuzzReport {
    qint64 cases = 0;               // keyword × search runs
    QMap<QString, qint64> shapes;   // every statement prepared, with how often
    QMap<QString, qint64> errors;   // the program's own errors, by text
    QMap<QString, qint64> messages; // boxes shown, by text (keywords cut out)
    QStringList unexpectedShapes;   // statements the plain searches never prepare
    QStringList foreignFailures;    // anything thrown that is not the program's own error
    double seconds = 0;
};

// Runs keywords through every search of the search table (each character mode, each direction)
// on the stores in ./data, opened as start-up opens them. Each keyword goes to `perKeyword`
// searches in turn (all of them when 0). With fullCommand the whole search command runs, resets
// after an empty result included; without, only the search's own statement (for the big stores,
// where a reset is the same base query every time).
class KeywordFuzz {
public:
    explicit KeywordFuzz(bool fullCommand, int perKeyword = 0);
    ~KeywordFuzz();

    // The statements the searches prepare for ordinary keywords; anything else is a fault.
    const QSet<QString> &expectedShapes() const { return m_expected; }
    void run(const QString &keyword, FuzzReport &report);

private:
    struct State;
    State *m_state;
    QSet<QString> m_expected;
    bool m_fullCommand;
    int m_perKeyword;
    qint64 m_turn = 0;
};

// sha256 of every file in dir, by name.
QHash<QString, QByteArray> fileDigests(const QString &dir);

} // namespace mc::test
