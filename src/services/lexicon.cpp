#include "services/lexicon.h"
#include "core/error.h"
#include "services/offlinelookup.h"
#include "store/storefile.h"
#include "store/stores.h"

namespace mc::services {
namespace {

constexpr int kResultLimit = 30;

QString results(const QString &dataDir, const QString &keyword)
{
    QString items;
    int count = 0;
    try {
        store::readRows(store::storePath(store::StoreId::Words, dataDir),
                        QStringLiteral("select word, spell, content from dict where word like ? escape '\\' "
                                       "order by word <> ?, length(word), ID limit ?"),
                        {likeHolding(keyword), keyword, qint64(kResultLimit)}, [&](const store::Statement &s) {
                            ++count;
                            items
                                += QStringLiteral("<dt>%1 <span class=\"py\">%2</span></dt><dd>%3</dd>")
                                       .arg(s.text(0).toHtmlEscaped(), s.text(1).toHtmlEscaped(), entryHtml(s.text(2)));
                        });
    } catch (const Error &) {
        return QStringLiteral("<p class=\"none\">词库暂时无法使用。</p>");
    }
    if (count == 0)
        return QStringLiteral("<p class=\"none\">没有找到含“%1”的词语。</p>").arg(keyword.toHtmlEscaped());
    return QStringLiteral("<dl>%1</dl>").arg(items);
}

} // namespace

QByteArray lexiconPage(const QString &dataDir, const QString &keyword)
{
    const QString html
        = QStringLiteral(
              "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>现代汉语词典</title><style>"
              "body{margin:0;font:14px/1.6 sans-serif;color:#222;background:#fbfaf6;overflow-x:hidden}"
              ".head{height:%1px;box-sizing:border-box;padding:70px 16px 0;text-align:center}"
              ".name{font-size:22px;font-weight:bold;color:#7a3e00;letter-spacing:4px}"
              ".sub{color:#888;font-size:12px}"
              "form{height:44px;margin:0;text-align:center}"
              "input[name=q]{width:260px;height:28px;font-size:16px;padding:0 6px;border:1px solid #b08850}"
              "button{height:32px;padding:0 16px;font-size:15px;background:#b08850;color:#fff;border:0}"
              ".res{padding:4px 16px 16px}dt{font-weight:bold;margin-top:8px}.py{color:#a04000;font-weight:normal}"
              "dd{margin:0 0 0 16px}.none{color:#666;text-align:center}"
              "</style></head><body><div class=\"head\"><div class=\"name\">现代汉语词典</div>"
              "<div class=\"sub\">输入字词，查看拼音与释义</div></div>"
              "<form method=\"get\" action=\"/search/\"><input name=\"q\" value=\"%2\" autocomplete=\"off\" autofocus>"
              "<input type=\"hidden\" name=\"c\" value=\"2\"> <button type=\"submit\">查询</button></form>"
              "<div class=\"res\">%3</div></body></html>")
              .arg(QString::number(kLexiconSearchTop), keyword.toHtmlEscaped(),
                   keyword.isEmpty() ? QString() : results(dataDir, keyword));
    return html.toUtf8();
}

offline::Route lexiconRoute(const QString &dataDir)
{
    return [dataDir](const QUrl &url) -> std::optional<offline::Reply> {
        offline::Reply reply;
        reply.body
            = lexiconPage(dataDir, formQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded).trimmed());
        return reply;
    };
}

} // namespace mc::services
