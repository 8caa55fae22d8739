#include "readers/onlinelookup.h"
#include "platform/messages.h"
#include "platform/textcodec.h"
#include "platform/texts.h"
#include "readers/texts.h"

#include <QDir>
#include <QLoggingCategory>
#include <QRegularExpression>

Q_LOGGING_CATEGORY(lcReaders, "mc.readers")

namespace mc::readers {
namespace {

bool standsAsIs(char c)
{
    static const QByteArray marks = QByteArrayLiteral("!$'()*-.@_");
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || marks.contains(c);
}

struct Replacement {
    QString from;
    QString to;
};

// In this order: the last one's replacement text holds a name an earlier one would change.
const QList<Replacement> &replacements()
{
    static const QList<Replacement> list{
        {QStringLiteral("FMP.cfg.movie = \"bddict/flash/fmp.swf?v=090105a\";"), QString()},
        {QStringLiteral("FMP.load();"), QString()},
        {QStringLiteral("汉典"), QStringLiteral("青禾工作室")},
        {QStringLiteral("HttpCN"), QStringLiteral("老青禾工作室")},
        {QStringLiteral("译典通"), QStringLiteral("老青禾工作室")},
        {QStringLiteral("百度"), QString()},
        {QStringLiteral("Baidu"), QString()},
        {QStringLiteral("词典解释"), QString()},
        {QStringLiteral("img "), QString()},
        {QStringLiteral("href="), QString()},
        {encodeKeyword(QStringLiteral("汉典")), QStringLiteral("汉汉汉典曲")},
    };
    return list;
}

} // namespace

QString encodeKeyword(const QString &keyword)
{
    QString encoded;
    const QByteArray utf8 = keyword.toUtf8();
    for (const char c : utf8) {
        if (standsAsIs(c))
            encoded += QLatin1Char(c);
        else if (c == ' ')
            encoded += u'+';
        else
            encoded += u'%' + QString::number(quint8(c), 16).toUpper().rightJustified(2, u'0');
    }
    return encoded;
}

QString trimKeyword(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QStringList textLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(lineBreak);
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QString listText(const QString &text)
{
    QString joined;
    for (const QString &line : textLines(text))
        joined += line + QStringLiteral("\r\n");
    return joined;
}

QString cleanAnswerPage(const QString &pageText)
{
    QString text = pageText;
    for (const Replacement &r : replacements()) {
        text = listText(text);
        text.replace(r.from, r.to, Qt::CaseSensitive);
    }
    return text;
}

QStringList resultLines(const QString &pageText)
{
    QStringList lines = textLines(cleanAnswerPage(pageText));
    if (lines.isEmpty())
        lines.append(texts::kNotCollected);
    return lines;
}

OnlineLookup::OnlineLookup(Steps steps, QString folder, QString searchBase)
    : m_steps(std::move(steps)), m_folder(std::move(folder)), m_searchBase(std::move(searchBase))
{}

QString OnlineLookup::searchAddress(const QString &encodedKeyword) const
{
    return m_searchBase + encodedKeyword + texts::kOnlineLookupSuffix;
}

void OnlineLookup::run() const
{
    const QString keyword = trimKeyword(m_steps.ask());
    if (keyword.isEmpty())
        return;
    const QString encoded = encodeKeyword(keyword);
    try {
        Messages::current().plain(encoded);
        const QString page = m_steps.fetch(searchAddress(encoded));
        const QString path = QDir(m_folder).filePath(texts::kOnlineLookupFile);
        textcodec::writeLines(path, resultLines(page));
        m_steps.show(path);
    } catch (const std::exception &e) {
        // Whatever went wrong, the user hears the same; the cause goes to the log.
        qCInfo(lcReaders) << "lookup failed:" << e.what();
        Messages::current().plain(mc::texts::kNetworkError);
    }
}

} // namespace mc::readers
