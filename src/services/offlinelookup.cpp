#include "services/offlinelookup.h"
#include "core/error.h"
#include "store/storefile.h"
#include "store/stores.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcServices, "mc.services")

namespace mc::services {
namespace {

constexpr int kCharacterLimit = 8;
constexpr int kRelatedLimit = 40;

// Runs a query over one store; a store that cannot be read leaves its part of the page out.
void eachRow(const QString &dataDir, store::StoreId id, const QString &sql, const QVariantList &params,
             const std::function<void(const store::Statement &)> &row)
{
    try {
        store::readRows(store::storePath(id, dataDir), sql, params, row);
    } catch (const Error &e) {
        qCWarning(lcServices) << "offline lookup:" << e.text();
    }
}

QString section(const QString &title, const QString &body)
{
    if (body.isEmpty())
        return QString();
    return QStringLiteral("<div class=\"sec\"><div class=\"st\">%1</div>%2</div>").arg(title, body);
}

QString firstLine(const QString &text)
{
    const QString line = text.section(u'\n', 0, 0).trimmed();
    return line.size() > 60 ? line.left(60) + QStringLiteral("…") : line;
}

QString characters(const QString &dataDir, const QString &keyword)
{
    QStringList seen;
    for (const QChar c : keyword) {
        if (c.script() == QChar::Script_Han && !seen.contains(c) && seen.size() < kCharacterLimit)
            seen.append(c);
    }
    QString html;
    for (const QString &c : std::as_const(seen)) {
        eachRow(dataDir, store::StoreId::Characters,
                QStringLiteral("select name, spell, part, strokes, content from hz where name = ? limit 1"), {c},
                [&html](const store::Statement &s) {
                    html += QStringLiteral(
                                "<div class=\"entry\"><span class=\"hw\">%1</span> <span class=\"py\">%2</span>"
                                " <span class=\"meta\">部首：%3　笔画：%4</span><div class=\"c\">%5</div></div>")
                                .arg(s.text(0).toHtmlEscaped(), s.text(1).toHtmlEscaped(), s.text(2).toHtmlEscaped(),
                                     s.text(3).toHtmlEscaped(), entryHtml(s.text(4)));
                });
    }
    return html;
}

QString exactWord(const QString &dataDir, const QString &keyword)
{
    QString html;
    eachRow(dataDir, store::StoreId::Words,
            QStringLiteral("select word, spell, content from dict where word = ? limit 3"), {keyword},
            [&html](const store::Statement &s) {
                html += QStringLiteral("<div class=\"entry\"><span class=\"hw\">%1</span> <span class=\"py\">%2</span>"
                                       "<div class=\"c\">%3</div></div>")
                            .arg(s.text(0).toHtmlEscaped(), s.text(1).toHtmlEscaped(), entryHtml(s.text(2)));
            });
    return html;
}

QString exactIdiom(const QString &dataDir, const QString &keyword)
{
    QString html;
    eachRow(dataDir, store::StoreId::Idioms,
            QStringLiteral("select name, spell, content, derivation, samples from cy where name = ? limit 1"),
            {keyword}, [&html](const store::Statement &s) {
                html += QStringLiteral("<div class=\"entry\"><span class=\"hw\">%1</span> <span class=\"py\">%2</span>"
                                       "<div class=\"c\">%3</div>")
                            .arg(s.text(0).toHtmlEscaped(), s.text(1).toHtmlEscaped(), entryHtml(s.text(2)));
                if (!s.text(3).isEmpty())
                    html += QStringLiteral("<div class=\"c\"><b>出处：</b>%1</div>").arg(entryHtml(s.text(3)));
                if (!s.text(4).isEmpty())
                    html += QStringLiteral("<div class=\"c\"><b>示例：</b>%1</div>").arg(entryHtml(s.text(4)));
                html += QStringLiteral("</div>");
            });
    return html;
}

QString related(const QString &dataDir, store::StoreId id, const QString &sql, const QString &keyword)
{
    QString html;
    eachRow(
        dataDir, id, sql, {likeHolding(keyword), keyword, qint64(kRelatedLimit)}, [&html](const store::Statement &s) {
            html
                += QStringLiteral("<li><b>%1</b> <span class=\"py\">%2</span> %3</li>")
                       .arg(s.text(0).toHtmlEscaped(), s.text(1).toHtmlEscaped(), firstLine(s.text(2)).toHtmlEscaped());
        });
    return html.isEmpty() ? html : QStringLiteral("<ul>") + html + QStringLiteral("</ul>");
}

} // namespace

QUrlQuery formQuery(const QUrl &url)
{
    return QUrlQuery(url.query(QUrl::FullyEncoded).replace(u'+', QStringLiteral("%20")));
}

QString likeHolding(const QString &keyword)
{
    QString escaped = keyword;
    escaped.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + escaped + u'%';
}

QString entryHtml(const QString &text)
{
    return text.trimmed().toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

QByteArray offlineLookupPage(const QString &dataDir, const QString &keyword)
{
    QString body;
    if (!keyword.isEmpty()) {
        body += section(QStringLiteral("字"), characters(dataDir, keyword));
        body += section(QStringLiteral("词语"), exactWord(dataDir, keyword));
        body += section(QStringLiteral("成语"), exactIdiom(dataDir, keyword));
        body += section(QStringLiteral("相关词语"),
                        related(dataDir, store::StoreId::Words,
                                QStringLiteral("select word, spell, content from dict where word like ? escape '\\' "
                                               "and word <> ? order by length(word), ID limit ?"),
                                keyword));
        body += section(QStringLiteral("相关成语"),
                        related(dataDir, store::StoreId::Idioms,
                                QStringLiteral("select name, spell, content from cy where name like ? escape '\\' "
                                               "and name <> ? limit ?"),
                                keyword));
    }
    if (body.isEmpty())
        body = QStringLiteral("<p class=\"none\">没有找到与“%1”有关的内容。</p>").arg(keyword.toHtmlEscaped());

    // The page is saved by the reader in GB18030, so that is what it declares; it is served as
    // UTF-8, and the served type wins while it comes from here. No script, no images, no links:
    // the reader shows it with all of those off.
    const QString html
        = QStringLiteral(
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb18030\">"
              "<title>%1 - 在线字典</title><style>"
              "body{margin:0;font:14px/1.7 sans-serif;color:#222;background:#fff}"
              ".top{height:57px;background:#e8eef4}.main{padding:8px 24px 140px}"
              ".kw{font-size:20px;font-weight:bold;color:#1a4d80;margin:4px 0 8px}"
              ".sec{margin:10px 0}.st{font-weight:bold;color:#fff;background:#4a7bab;padding:2px 8px;margin-bottom:6px}"
              ".hw{font-size:22px;font-weight:bold}.py{color:#a04000}.meta{color:#666;font-size:12px}"
              ".entry{margin:4px 0 12px}.c{margin:2px 0 2px 12px}ul{margin:0;padding-left:20px}.none{color:#666}"
              "</style></head><body><div class=\"top\"></div><div class=\"main\"><div class=\"kw\">%1</div>%2</div>"
              "</body></html>")
              .arg(keyword.toHtmlEscaped(), body);
    return html.toUtf8();
}

offline::Route offlineLookupRoute(const QString &dataDir)
{
    return [dataDir](const QUrl &url) -> std::optional<offline::Reply> {
        if (url.path() != QStringLiteral("/s"))
            return std::nullopt;
        offline::Reply reply;
        reply.body = offlineLookupPage(
            dataDir, formQuery(url).queryItemValue(QStringLiteral("wd"), QUrl::FullyDecoded).trimmed());
        return reply;
    };
}

} // namespace mc::services
