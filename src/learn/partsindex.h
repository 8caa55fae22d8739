#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mc::store {
class Statement;
}

namespace mc::learn {

// What a stroke of a pictophonetic character belongs to; every stroke of other characters is Other.
enum class StrokeRole { Other, Meaning, Sound };

// How one character is built, as parts.db describes it.
struct CharacterParts {
    QString character;
    QString ids;             // description sequence: "⿰土也"; "？" when the parts are unknown
    QString kind;            // "pictographic", "ideographic", "pictophonetic" or empty
    QString meaning;         // the meaning component of a pictophonetic character
    QString sound;           // its sound component
    QString hint;            // English note on how the character was formed
    QStringList direct;      // first-level parts in writing order
    QList<StrokeRole> roles; // one per stroke, in stroke order
    QStringList pieces;      // per stroke the first-level part it belongs to ("？" when unknown)
    bool isValid() const { return !character.isEmpty(); }
    int strokeCount() const { return int(roles.size()); }
};

// A component offered for picking.
struct Component {
    QString text;
    int strokes = 0;
    int characters = 0; // how many characters hold it at any depth
};

// Finding characters by their parts. Loads <dataDir>/parts.db whole (about 10,000 rows) and keeps
// for every component the characters that hold it, with how often, in frequency order; a search
// walks the shortest of the picked components' lists. Read-only after loading: any thread.
class PartsIndex final {
public:
    // Throws mc::Error when the file cannot be read.
    explicit PartsIndex(const QString &dataDir);

    static QString fileIn(const QString &dataDir);
    int size() const { return int(m_chars.size()); }

    // The `count` components that occur in the most characters, in stroke-count order (most
    // frequent first within a count). Single strokes are left out: nearly every character holds
    // them, so they narrow nothing.
    QList<Component> panel(int count = 200) const;

    // Characters holding every picked component at any depth of their decomposition, most
    // frequent first; a component picked twice must occur twice (木 木 finds 林 and 森, not 李).
    // Empty for no picks or a component no character holds. limit < 0: all of them.
    QStringList search(const QStringList &picks, int limit = -1) const;

    // The components of a typed query: "+木子" or "＋木 子" gives 木 子. Nothing when the text is
    // not one (it does not start with a plus sign, or holds no component after it).
    static std::optional<QStringList> typedComponents(const QString &text);

    // How the character is built; invalid when the data does not know it.
    CharacterParts parts(const QString &character) const;
    // The same for one character, read from <dataDir>/parts.db without loading the index;
    // invalid when the file or the character is missing.
    static CharacterParts readParts(const QString &dataDir, const QString &character);

private:
    struct Entry {
        QString ch, ids, kind, meaning, sound, hint, direct, roles, pieces;
    };
    struct Posting {
        int entry; // index into m_chars, which is in frequency order
        int count;
    };

    static Entry entryOf(const store::Statement &row);
    static CharacterParts partsOf(const Entry &e);
    int componentId(const QString &text) const { return m_componentIds.value(text, -1); }
    int occurrences(int entry, int component) const;

    std::vector<Entry> m_chars;
    QHash<QString, int> m_entryOf;
    QHash<QString, int> m_componentIds;
    QStringList m_components;
    std::vector<std::vector<Posting>> m_postings;
    // Per entry its (component, count) pairs sorted by component: m_pairs[m_pairStart[e] ...
    // m_pairStart[e + 1]).
    std::vector<std::pair<int, int>> m_pairs;
    std::vector<int> m_pairStart;
};

// The code points of a text, each as a string of its own (surrogate pairs kept together).
QStringList codePoints(const QString &text);

} // namespace mc::learn
