#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace mc::lookup {

class Simplifier;

// What the keyword box holds, read every way it can be meant at once.
struct Query {
    enum class Kind { Empty, Han, Latin, Mixed };
    Kind kind = Kind::Empty;
    QString han;            // Han: the text in simplified characters, blanks removed
    QString typed;          // Han: the text as typed when that differs (traditional input)
    QStringList pinyinKeys; // Latin: keys an entry's pinyin may start with ("zhongguo", "zhong1guo2", "zhōngguó")
    QStringList syllables;  // Latin: the syllables when the user parted them ("xi an")
    QString english;        // Latin: the text for English headwords, lower case
    // Mixed ("zhong国"): the input in parts, each either pinyin or Han characters.
    struct Part {
        bool han;
        QString text;
    };
    QList<Part> parts;
};

// Reads the box's text. The simplifier turns traditional characters into simplified ones; it may
// be null (then Han text is taken as typed).
Query parseQuery(const QString &text, Simplifier *simplifier);

// Pinyin as one key: lower case, blanks and apostrophes removed, "ü"/"u:" written "v" unless the
// text carries tone marks, neutral-tone digits (5, 0) dropped. Empty when it is not pinyin.
QString pinyinKey(const QString &text);

// Whether c is a Chinese character (Han script, 〇 among them), as the index builder decides it.
bool isHan(char32_t c);

} // namespace mc::lookup
