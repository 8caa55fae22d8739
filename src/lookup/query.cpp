#include "lookup/query.h"
#include "lookup/simplifier.h"

#include <QRegularExpression>

namespace mc::lookup {
namespace {

bool isToneMarked(QChar c)
{
    static const QString marked = QStringLiteral("āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜńňǹḿ");
    return marked.contains(c);
}

bool isPinyinChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'5') || c == u'ü' || c == u':' || c == u'\'' || c == u' '
        || isToneMarked(c);
}

} // namespace

bool isHan(char32_t c)
{
    return QChar::script(c) == QChar::Script_Han;
}

QString pinyinKey(const QString &text)
{
    QString t = text.normalized(QString::NormalizationForm_C).toLower();
    for (QChar c : t) {
        if (!isPinyinChar(c))
            return {};
    }
    t.remove(u' ').remove(u'\'');
    const bool marked = std::any_of(t.cbegin(), t.cend(), isToneMarked);
    t.replace(QStringLiteral("u:"), marked ? QStringLiteral("ü") : QStringLiteral("v"));
    if (!marked)
        t.replace(u'ü', u'v');
    t.remove(u':');
    t.remove(u'5').remove(u'0');
    // A key starts with a letter: a lone digit is not pinyin.
    if (t.isEmpty() || t.front().isDigit())
        return {};
    return t;
}

Query parseQuery(const QString &input, Simplifier *simplifier)
{
    Query q;
    const QString text = input.simplified();
    if (text.isEmpty())
        return q;
    bool anyHan = false;
    bool anyLatin = false;
    for (char32_t c : text.toUcs4()) {
        if (isHan(c))
            anyHan = true;
        else if (QChar::isLetter(c))
            anyLatin = true;
    }
    if (anyHan && !anyLatin) {
        q.kind = Query::Kind::Han;
        QString compact = text;
        compact.remove(u' ');
        q.han = simplifier ? simplifier->simplified(compact) : compact;
        if (q.han != compact)
            q.typed = compact;
        return q;
    }
    if (anyHan) {
        q.kind = Query::Kind::Mixed;
        const QList<uint> ucs = text.toUcs4();
        for (uint c : ucs) {
            const bool han = isHan(c);
            const QString piece = QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
            if (!q.parts.isEmpty() && q.parts.last().han == han)
                q.parts.last().text += piece;
            else
                q.parts.append({han, piece});
        }
        for (Query::Part &part : q.parts) {
            if (part.han)
                part.text = simplifier ? simplifier->simplified(part.text) : part.text;
            else
                part.text = pinyinKey(part.text);
        }
        q.parts.removeIf([](const Query::Part &p) { return p.text.isEmpty(); });
        return q;
    }
    q.kind = Query::Kind::Latin;
    q.english = text.toLower();
    const QString key = pinyinKey(text);
    if (!key.isEmpty()) {
        q.pinyinKeys.append(key);
        static const QRegularExpression parted(QStringLiteral("[ ']+"));
        const QStringList pieces = text.toLower().split(parted, Qt::SkipEmptyParts);
        // Tone digits or marks already part the syllables; the parted form is for plain pinyin.
        const bool tones
            = std::any_of(key.cbegin(), key.cend(), [](QChar c) { return c.isDigit() || isToneMarked(c); });
        if (pieces.size() > 1 && !tones) {
            for (const QString &piece : pieces)
                q.syllables.append(pinyinKey(piece));
        }
    }
    return q;
}

} // namespace mc::lookup
