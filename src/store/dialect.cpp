#include "store/dialect.h"
#include "core/error.h"

#include <QList>

namespace mc::store {
namespace {

enum class Tok { Name, String, Number, Symbol, End };

struct Token {
    Tok kind;
    QString text;
};

QString syntaxError(const QString &what)
{
    return QStringLiteral("查询语句有误：%1。").arg(what);
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.category() == QChar::Letter_Other;
}

// Length of the number literal at i, 0 for none: an optional sign, digits with an optional
// decimal point (".5" and "5." included) and an optional exponent, as a number is typed.
qsizetype numberLength(const QString &text, qsizetype i)
{
    const qsizetype n = text.size();
    const auto digitAt = [&](qsizetype k) { return k < n && text.at(k) >= u'0' && text.at(k) <= u'9'; };
    const auto digitsFrom = [&](qsizetype k) {
        while (digitAt(k))
            ++k;
        return k;
    };
    qsizetype j = i;
    if (j < n && (text.at(j) == u'+' || text.at(j) == u'-'))
        ++j;
    const qsizetype whole = j;
    j = digitsFrom(j);
    bool mantissa = j > whole;
    if (j < n && text.at(j) == u'.') {
        const qsizetype fraction = j + 1;
        const qsizetype end = digitsFrom(fraction);
        if (mantissa || end > fraction) {
            mantissa = true;
            j = end;
        }
    }
    if (!mantissa)
        return 0;
    if (j < n && (text.at(j) == u'e' || text.at(j) == u'E')) {
        qsizetype k = j + 1;
        if (k < n && (text.at(k) == u'+' || text.at(k) == u'-'))
            ++k;
        if (digitAt(k))
            j = digitsFrom(k);
    }
    return j - i;
}

QList<Token> tokenize(const QString &text)
{
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            // A doubled quote inside a literal stands for the quote itself.
            const QChar quote = c;
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text.at(i) == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                value += text.at(i++);
            }
            if (!closed)
                throw Error(syntaxError(QStringLiteral("字符串缺少结束引号")));
            tokens.append({Tok::String, value});
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = text.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                throw Error(syntaxError(QStringLiteral("名称缺少结束括号")));
            tokens.append({Tok::Name, text.mid(i + 1, end - i - 1)});
            i = end + 1;
        } else if (const qsizetype length = numberLength(text, i)) {
            const qsizetype j = i + length;
            if (j < n && isNameChar(text.at(j)))
                throw Error(syntaxError(QStringLiteral("无法识别“%1”").arg(text.mid(i, length + 1))));
            tokens.append({Tok::Number, text.mid(i, length)});
            i = j;
        } else if (isNameChar(c)) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(text.at(j)))
                ++j;
            tokens.append({Tok::Name, text.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>')) {
            if (i + 1 < n
                && (text.at(i + 1) == QLatin1Char('=')
                    || (c == QLatin1Char('<') && text.at(i + 1) == QLatin1Char('>')))) {
                tokens.append({Tok::Symbol, text.mid(i, 2)});
                i += 2;
            } else {
                tokens.append({Tok::Symbol, QString(c)});
                ++i;
            }
        } else if (c == QLatin1Char('=') || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('*')
                   || c == QLatin1Char(';')) {
            tokens.append({Tok::Symbol, QString(c)});
            ++i;
        } else {
            throw Error(syntaxError(QStringLiteral("无法识别的字符“%1”").arg(c)));
        }
    }
    tokens.append({Tok::End, QString()});
    return tokens;
}

class Parser {
public:
    explicit Parser(QList<Token> tokens) : m_tokens(std::move(tokens)) {}

    TranslatedQuery parse()
    {
        TranslatedQuery query;
        expectKeyword(QStringLiteral("select"));
        expectSymbol(QStringLiteral("*"));
        expectKeyword(QStringLiteral("from"));
        if (peek().kind != Tok::Name)
            throw Error(syntaxError(QStringLiteral("缺少表名")));
        query.table = take().text;
        if (isKeyword(peek(), QStringLiteral("where"))) {
            take();
            query.where = condition();
        }
        if (peek().kind == Tok::Symbol && peek().text == QLatin1String(";"))
            take();
        if (peek().kind != Tok::End)
            throw Error(syntaxError(QStringLiteral("多余的内容“%1”").arg(peek().text)));
        query.params = m_params;
        return query;
    }

private:
    static bool isKeyword(const Token &t, const QString &word)
    {
        return t.kind == Tok::Name && t.text.compare(word, Qt::CaseInsensitive) == 0;
    }

    const Token &peek() const { return m_tokens.at(m_pos); }
    Token take() { return m_tokens.at(m_pos++); }

    void expectKeyword(const QString &word)
    {
        if (!isKeyword(peek(), word))
            throw Error(syntaxError(QStringLiteral("只接受 select * from 表名 [where 条件] 形式的查询")));
        take();
    }

    void expectSymbol(const QString &symbol)
    {
        if (peek().kind != Tok::Symbol || peek().text != symbol)
            throw Error(syntaxError(QStringLiteral("只接受 select * from 表名 [where 条件] 形式的查询")));
        take();
    }

    QString condition()
    {
        QString sql = conjunction();
        while (isKeyword(peek(), QStringLiteral("or"))) {
            take();
            sql += QStringLiteral(" OR ") + conjunction();
        }
        return sql;
    }

    QString conjunction()
    {
        QString sql = primary();
        while (isKeyword(peek(), QStringLiteral("and"))) {
            take();
            sql += QStringLiteral(" AND ") + primary();
        }
        return sql;
    }

    QString primary()
    {
        if (peek().kind == Tok::Symbol && peek().text == QLatin1String("(")) {
            take();
            const QString inner = condition();
            expectSymbol(QStringLiteral(")"));
            return QLatin1Char('(') + inner + QLatin1Char(')');
        }
        if (peek().kind != Tok::Name || isKeyword(peek(), QStringLiteral("and"))
            || isKeyword(peek(), QStringLiteral("or")))
            throw Error(syntaxError(QStringLiteral("条件缺少列名")));
        const QString column = quoteName(take().text);

        const Token op = take();
        const bool like = isKeyword(op, QStringLiteral("like"));
        static const QStringList comparisons = {QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),
                                                QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>")};
        if (!like && !(op.kind == Tok::Symbol && comparisons.contains(op.text)))
            throw Error(syntaxError(QStringLiteral("不支持的比较“%1”").arg(op.text)));

        const Token value = take();
        if (value.kind == Tok::String) {
            if (like) {
                // The full-width question mark is a one-character wildcard, like '_'.
                QString pattern = value.text;
                pattern.replace(QChar(0xFF1F), QLatin1Char('_'));
                m_params.append(pattern);
                return column + QStringLiteral(" LIKE ?");
            }
            m_params.append(value.text);
            return column + QLatin1Char(' ') + op.text + QStringLiteral(" ? COLLATE NOCASE");
        }
        if (value.kind == Tok::Number && !like) {
            bool ok = false;
            const qlonglong whole = value.text.toLongLong(&ok);
            if (ok) {
                m_params.append(whole);
            } else {
                const double number = value.text.toDouble(&ok);
                if (!ok)
                    throw Error(syntaxError(QStringLiteral("无效的数字“%1”").arg(value.text)));
                m_params.append(number);
            }
            return column + QLatin1Char(' ') + op.text + QStringLiteral(" ?");
        }
        throw Error(syntaxError(QStringLiteral("比较缺少值")));
    }

    QList<Token> m_tokens;
    qsizetype m_pos = 0;
    QVariantList m_params;
};

} // namespace

QString quoteName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

TranslatedQuery translateQuery(const QString &text)
{
    if (text.trimmed().isEmpty())
        throw Error(QStringLiteral("查询语句为空。"));
    return Parser(tokenize(text)).parse();
}

} // namespace mc::store
