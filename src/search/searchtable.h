#pragma once
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

namespace mc::store {
enum class StoreId;
}

namespace mc::search {

// The search controls of the main window by what they do; the page that builds a control names it.
enum class SearchBox { Character, Idiom, Xiehouyu, English, Saying, Person, Word };
enum class SearchButton { Character, Idiom, Xiehouyu, EnglishExact, EnglishFuzzy, Saying, Person, Word };
enum class ModeControl {
    None,           // a single search
    CharacterModes, // mode lists
    IdiomModes,
    XiehouyuModes,
    Direction, // the English-Chinese direction button
};

// How the keyword goes into the query template.
enum class Fill {
    Quoted,  // inside double quotes, as data
    Radical, // split into radical and strokes by its 8-bit bytes
    Number,  // bare, and only when it reads as a number
};

enum class Report { None, Matches, Found };

enum class NoResult {
    ResetWithBusy, // message, then the whole table reloads behind the busy window
    Reset,         // message, then the whole table reloads
    Keep,          // message naming the keyword; the list stays empty
};

// One search of the program: which box and button start it, in which mode, and what it does.
struct SearchEntry {
    store::StoreId store; // the section's; its base query is what a reset or refresh reloads
    SearchBox box;
    SearchButton button;
    ModeControl modeControl;
    int mode; // item of the mode list, or the direction (0 英汉, 1 汉英)
    QString modeCaption;
    QString queryTemplate; // {keyword}, or {radical} and {strokes}
    QString shortTemplate; // Fill::Radical without a stroke part
    Fill fill;
    Report report;
    NoResult noResult;
    QString noResultMessage; // Keep builds its message from the keyword
};

const QList<SearchEntry> &searches();
// The search a button starts in the given mode; nullptr when there is none.
const SearchEntry *findSearch(SearchButton button, int mode);
// A section's first search in its first mode: by character, by idiom name, either half, English
// to Chinese exactly, by saying, by word. Each finds an entry by its headword.
const SearchEntry *firstSearch(store::StoreId store);
// Whether a section's searches run behind the busy window: only the word section's do.
bool searchesWhileBusy(store::StoreId store);
// The items of a mode list, in mode order.
QStringList modeCaptions(ModeControl modes);

// The captions of the English-Chinese direction, in mode order.
const QStringList &directions();

// No entry of any store is this long, so a longer keyword can match nothing; it would only make
// the store scan for seconds or give up on the pattern.
constexpr qsizetype kKeywordLimit = 1000;

// The keyword without what the store cannot search for: control characters (a NUL would end the
// pattern early and match every row) and halves of surrogate pairs that have no other half.
QString searchableKeyword(const QString &keyword);

// The keyword with every half-width question mark made full-width.
QString normaliseQuestionMarks(const QString &keyword);

// Whether the text reads as a floating-point number: blanks around it, a sign, digits with the
// locale's decimal separator, an exponent. Nothing else (no group separators, no inf/nan).
bool readsAsNumber(const QString &text, const QLocale &locale = QLocale());

// The radical keyword split by its 8-bit bytes: the first two bytes are the radical, bytes three
// and four the strokes besides it. No strokes for a keyword of one or two bytes.
struct RadicalKeyword {
    QString radical;
    std::optional<QString> strokes;
};
RadicalKeyword splitRadicalKeyword(const QString &keyword);

// The query text of a search for a keyword (already normalised); nullopt when the search must
// not run, that is a stroke count that is not a number. A keyword is always data: a double quote
// in it is doubled, so it can never end the quoted text early.
std::optional<QString> buildQuery(const SearchEntry &entry, const QString &keyword, const QLocale &locale = QLocale());

QString successReport(Report report, int count);
QString noResultMessage(const SearchEntry &entry, const QString &keyword);

} // namespace mc::search
