#include "search/searchtable.h"
#include "platform/textcodec.h"
#include "search/texts.h"
#include "store/stores.h"

namespace mc::search {
namespace {

const QString kKeyword = QStringLiteral("{keyword}");
const QString kRadical = QStringLiteral("{radical}");
const QString kStrokes = QStringLiteral("{strokes}");

QString asData(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return escaped;
}

} // namespace

const QStringList &directions()
{
    static const QStringList list = {texts::kEnglishToChinese, texts::kChineseToEnglish};
    return list;
}

const QList<SearchEntry> &searches()
{
    using S = store::StoreId;
    using Box = SearchBox;
    using Button = SearchButton;
    const ModeControl characterModes = ModeControl::CharacterModes;
    const ModeControl idiomModes = ModeControl::IdiomModes;
    const ModeControl xiehouyuModes = ModeControl::XiehouyuModes;
    const ModeControl direction = ModeControl::Direction;
    const Box characterBox = Box::Character;
    const Box idiomBox = Box::Idiom;
    const Box xiehouyuBox = Box::Xiehouyu;
    const Box englishBox = Box::English;
    const Button characterButton = Button::Character;
    const Button idiomButton = Button::Idiom;
    const Button xiehouyuButton = Button::Xiehouyu;
    const Button exact = Button::EnglishExact;
    const Button fuzzy = Button::EnglishFuzzy;
    const QString en = texts::kEnglishToChinese;
    const QString zh = texts::kChineseToEnglish;
    const Fill q = Fill::Quoted;
    const Report none = Report::None;
    const NoResult busyReset = NoResult::ResetWithBusy;

    // clang-format off
    static const QList<SearchEntry> table = {
        {S::Characters, characterBox, characterButton, characterModes, 0, texts::kByCharacter,
         QStringLiteral(R"(select * from hz where name = "{keyword}")"), {}, q, none, busyReset, texts::kNoCharacter},
        {S::Characters, characterBox, characterButton, characterModes, 1, texts::kByRadical,
         QStringLiteral(R"(select * from hz where part = "{radical}" and sum="{strokes}")"),
         QStringLiteral(R"(select * from hz where part = "{keyword}")"), Fill::Radical, none, busyReset,
         texts::kNoCharacter},
        {S::Characters, characterBox, characterButton, characterModes, 2, texts::kByRadicalStrokes,
         QStringLiteral(R"(select * from hz where partstrokes = "{keyword}")"), {}, q, none, busyReset,
         texts::kNoCharacter},
        {S::Characters, characterBox, characterButton, characterModes, 3, texts::kByStrokes,
         QStringLiteral("select * from hz where strokes={keyword}"), {}, Fill::Number, none, busyReset,
         texts::kNoCharacter},
        {S::Characters, characterBox, characterButton, characterModes, 4, texts::kByPinyinContains,
         QStringLiteral(R"(select * from hz where pycode like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoCharacter},
        {S::Characters, characterBox, characterButton, characterModes, 5, texts::kByPinyinEquals,
         QStringLiteral(R"(select * from hz where pycode = "{keyword} ")"), {}, q, none, busyReset,
         texts::kNoCharacter},

        {S::Idioms, idiomBox, idiomButton, idiomModes, 0, texts::kByIdiomName,
         QStringLiteral(R"(select * from cy where name like "%{keyword}%")"), {}, q, none, busyReset, texts::kNoIdiom},
        {S::Idioms, idiomBox, idiomButton, idiomModes, 1, texts::kByIdiomPinyin,
         QStringLiteral(R"(select * from cy where pyjm like "%{keyword}%")"), {}, q, none, busyReset, texts::kNoIdiom},
        {S::Idioms, idiomBox, idiomButton, idiomModes, 2, texts::kByIdiomMeaning,
         QStringLiteral(R"(select * from cy where content like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoIdiom},
        {S::Idioms, idiomBox, idiomButton, idiomModes, 3, texts::kByIdiomSource,
         QStringLiteral(R"(select * from cy where derivation like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoIdiom},
        {S::Idioms, idiomBox, idiomButton, idiomModes, 4, texts::kByIdiomSample,
         QStringLiteral(R"(select * from cy where samples like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoIdiom},

        {S::Xiehouyu, xiehouyuBox, xiehouyuButton, xiehouyuModes, 0, texts::kByEitherHalf,
         QStringLiteral(R"(select * from xhy where name like "%{keyword}%"or end1 like "%{keyword}%")"), {}, q, none,
         busyReset, texts::kNoResult},
        {S::Xiehouyu, xiehouyuBox, xiehouyuButton, xiehouyuModes, 1, texts::kByFirstHalf,
         QStringLiteral(R"(select * from xhy where name like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoResult},
        {S::Xiehouyu, xiehouyuBox, xiehouyuButton, xiehouyuModes, 2, texts::kBySecondHalf,
         QStringLiteral(R"(select * from xhy where end1 like "%{keyword}%")"), {}, q, none, busyReset,
         texts::kNoResult},

        {S::English, englishBox, exact, direction, 0, en, QStringLiteral(R"(select * from 英语单词 where 单词 = "{keyword}")"),
         {}, q, Report::Matches, NoResult::Reset, texts::kNoResult},
        {S::English, englishBox, exact, direction, 1, zh, QStringLiteral(R"(select * from 英语单词 where 解释 = "{keyword}")"),
         {}, q, Report::Matches, NoResult::Reset, texts::kNoResult},
        {S::English, englishBox, fuzzy, direction, 0, en,
         QStringLiteral(R"(select * from 英语单词 where 单词 like "%{keyword}%")"), {}, q, Report::Matches,
         NoResult::Reset, texts::kNoResult},
        {S::English, englishBox, fuzzy, direction, 1, zh,
         QStringLiteral(R"(select * from 英语单词 where 解释 like "%{keyword}%")"), {}, q, Report::Matches,
         NoResult::Reset, texts::kNoResult},

        {S::Sayings, Box::Saying, Button::Saying, ModeControl::None, 0, {},
         QStringLiteral(R"(select * from mylib where name like "%{keyword}%")"), {}, q, none, NoResult::Reset,
         texts::kNoResult},
        {S::Sayings, Box::Person, Button::Person, ModeControl::None, 0, {},
         QStringLiteral(R"(select * from mylib where derivation like "%{keyword}%")"), {}, q, none, NoResult::Reset,
         texts::kNoResult},

        {S::Words, Box::Word, Button::Word, ModeControl::None, 0, {},
         QStringLiteral(R"(select * from dict where word like "%{keyword}%")"), {}, q, Report::Found, NoResult::Keep,
         {}},
    };
    // clang-format on
    return table;
}

const SearchEntry *findSearch(SearchButton button, int mode)
{
    for (const SearchEntry &entry : searches()) {
        if (entry.button == button && entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

const SearchEntry *firstSearch(store::StoreId store)
{
    for (const SearchEntry &entry : searches()) {
        if (entry.store == store && entry.mode == 0)
            return &entry;
    }
    return nullptr;
}

bool searchesWhileBusy(store::StoreId store)
{
    return store == store::StoreId::Words;
}

QStringList modeCaptions(ModeControl modes)
{
    QStringList items;
    for (const SearchEntry &entry : searches()) {
        if (entry.modeControl == modes && modes != ModeControl::None && !items.contains(entry.modeCaption))
            items.append(entry.modeCaption);
    }
    return items;
}

QString searchableKeyword(const QString &keyword)
{
    QString kept;
    kept.reserve(keyword.size());
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        const QChar c = keyword.at(i);
        if (c.isHighSurrogate() && i + 1 < keyword.size() && keyword.at(i + 1).isLowSurrogate()) {
            kept += c;
            kept += keyword.at(++i);
        } else if (!c.isSurrogate() && c.category() != QChar::Other_Control) {
            kept += c;
        }
    }
    return kept;
}

QString normaliseQuestionMarks(const QString &keyword)
{
    QString text = keyword;
    text.replace(QLatin1Char('?'), QChar(0xFF1F));
    return text;
}

bool readsAsNumber(const QString &text, const QLocale &locale)
{
    const QString separator = locale.decimalPoint();
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && text.at(i) == QLatin1Char(' '))
        ++i;
    while (end > i && text.at(end - 1) == QLatin1Char(' '))
        --end;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < end && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i;
        return i - start;
    };
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype mantissa = digits();
    if (!separator.isEmpty() && QStringView(text).sliced(i, end - i).startsWith(separator)) {
        i += separator.size();
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < end && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == end;
}

RadicalKeyword splitRadicalKeyword(const QString &keyword)
{
    const QByteArray bytes = textcodec::encode(keyword);
    if (bytes.size() < 3)
        return {keyword, std::nullopt};
    return {textcodec::decode(bytes.left(2)), textcodec::decode(bytes.mid(2, 2))};
}

std::optional<QString> buildQuery(const SearchEntry &entry, const QString &keyword, const QLocale &locale)
{
    QString query;
    switch (entry.fill) {
    case Fill::Quoted:
        query = entry.queryTemplate;
        query.replace(kKeyword, asData(keyword));
        return query;
    case Fill::Number:
        // Bare in the query: only a number may go there.
        if (!readsAsNumber(keyword, locale))
            return std::nullopt;
        query = entry.queryTemplate;
        query.replace(kKeyword, keyword);
        return query;
    case Fill::Radical: {
        const RadicalKeyword split = splitRadicalKeyword(keyword);
        if (!split.strokes) {
            query = entry.shortTemplate;
            query.replace(kKeyword, asData(keyword));
            return query;
        }
        // Both parts go in at once, so the strokes text is never searched for placeholders.
        const qsizetype at = entry.queryTemplate.indexOf(kRadical);
        const qsizetype at2 = entry.queryTemplate.indexOf(kStrokes);
        query = entry.queryTemplate.left(at) + asData(split.radical)
            + entry.queryTemplate.mid(at + kRadical.size(), at2 - at - kRadical.size()) + asData(*split.strokes)
            + entry.queryTemplate.mid(at2 + kStrokes.size());
        return query;
    }
    }
    return std::nullopt;
}

QString successReport(Report report, int count)
{
    switch (report) {
    case Report::Matches:
        return texts::kMatchesBefore + QString::number(count) + texts::kMatchesAfter;
    case Report::Found:
        return texts::kFoundBefore + QString::number(count) + texts::kFoundAfter;
    case Report::None:
        break;
    }
    return QString();
}

QString noResultMessage(const SearchEntry &entry, const QString &keyword)
{
    if (entry.noResult == NoResult::Keep)
        return texts::kNoWordBefore + keyword + texts::kNoWordAfter;
    return entry.noResultMessage;
}

} // namespace mc::search
