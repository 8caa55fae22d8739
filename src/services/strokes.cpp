#include "services/strokes.h"
#include "core/error.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QtEndian>

namespace mc::services {
namespace {

const QString kPrefix = QStringLiteral("/chinese/hzxx/");
const QString kSuffix = QStringLiteral(".swf");

// The drawing library, compiled into the program.
const QByteArray &writerScript()
{
    static const QByteArray script = [] {
        QFile file(QStringLiteral(":/services/hanzi-writer.min.js"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return script;
}

// Keeps text placed inside a <script> element from closing it.
QByteArray scriptSafe(QByteArray json)
{
    return json.replace("</", "<\\/");
}

// The view is 473 x 377 and white patches cover (8, 8)-(57, 65) and (368, 312)-(433, 369) of it:
// the character and its caption stay clear of both.
const char *const kStyle = R"(
html, body { margin: 0; width: 100%; height: 100%; overflow: hidden; background: #fff; }
body { font-family: "Noto Sans CJK SC", "Noto Serif CJK SC", sans-serif; color: #804000; }
#grid line { stroke: #e6c8a8; stroke-dasharray: 6 6; }
#grid rect { fill: none; stroke: #c89060; stroke-width: 2; }
#grid, #stage, #sound { position: absolute; left: 106px; top: 18px; width: 260px; height: 260px; }
#caption { position: absolute; left: 70px; width: 290px; top: 284px; text-align: center; font-size: 18px; }
#legend { font-size: 15px; margin-top: 2px; }
.meaning { color: #c03000; } .sound { color: #1a5fb4; }
#missing { position: absolute; left: 70px; width: 290px; top: 150px; text-align: center; font-size: 20px; }
)";

const char *const kGrid = R"(<svg id="grid" viewBox="0 0 260 260"><rect x="1" y="1" width="258" height="258"/>)"
                          R"(<line x1="0" y1="0" x2="260" y2="260"/><line x1="260" y1="0" x2="0" y2="260"/>)"
                          R"(<line x1="130" y1="0" x2="130" y2="260"/><line x1="0" y1="130" x2="260" y2="130"/></svg>)";

// The writer colours the strokes it is told are the radical's. For a pictophonetic character
// those are the meaning component's; a second writer over the first, in step with it, draws only
// the sound component's strokes (its other strokes are transparent).
const char *const kAnimate = R"(
function writer(id, strokes, colours) {
  var data = { strokes: page.data.strokes, medians: page.data.medians, radStrokes: strokes };
  var options = {
    width: 260, height: 260, padding: 12, showOutline: true, showCharacter: false,
    strokeColor: '#804000', radicalColor: '#c03000', outlineColor: '#e8e0d8',
    strokeAnimationSpeed: 1, delayBetweenStrokes: 250, delayBetweenLoops: 1200,
    charDataLoader: function (character, done) { done(data); }
  };
  for (var key in colours) options[key] = colours[key];
  return HanziWriter.create(id, page.character, options);
}
var writers = [writer('stage', page.meaning || page.data.radStrokes, {})];
if (page.sound)
  writers.push(writer('sound', page.sound, { showOutline: false, strokeColor: 'rgba(0,0,0,0)', radicalColor: '#1a5fb4' }));
writers.forEach(function (w) { w.loopCharacterAnimation(); });
)";

// The strokes of one role, when the character has any and the parts match the stroke data.
QJsonArray strokesOf(const learn::CharacterParts &parts, learn::StrokeRole role, int strokeCount)
{
    QJsonArray out;
    if (parts.strokeCount() != strokeCount)
        return out;
    for (int i = 0; i < strokeCount; ++i) {
        if (parts.roles.at(i) == role)
            out.append(i);
    }
    return out;
}

QString strokeCount(const QJsonObject &data)
{
    return QString::number(data.value(QStringLiteral("strokes")).toArray().size());
}

} // namespace

QByteArray unpackStrokeData(const QByteArray &stored)
{
    if (stored.startsWith('{'))
        return stored;
    // No character's paths come near this; a damaged length must not ask for gigabytes.
    constexpr quint32 kMaxLength = 1 << 24;
    if (stored.size() < 5 || qFromBigEndian<quint32>(stored.constData()) > kMaxLength)
        return {};
    return qUncompress(stored);
}

QByteArray strokeData(const QString &storePath, const QString &character)
{
    if (character.isEmpty())
        return {};
    try {
        QByteArray data;
        store::readRows(storePath, QStringLiteral("SELECT data FROM strokes WHERE name = ? LIMIT 1"), {character},
                        [&data](const store::Statement &row) { data = row.bytes(0); });
        return unpackStrokeData(data);
    } catch (const Error &) {
        return {}; // no store: every character is unknown
    }
}

QByteArray strokePage(const QString &character, const QByteArray &data, const learn::CharacterParts &parts)
{
    const QJsonObject strokes = QJsonDocument::fromJson(data).object();
    const QString shown = character.toHtmlEscaped();
    QByteArray html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">";
    if (strokes.value(QStringLiteral("strokes")).toArray().isEmpty()) {
        html += "<title>" + QStringLiteral("汉字笔顺").toUtf8() + "</title><style>" + kStyle
            + "</style></head><body><div id=\"missing\">" + QStringLiteral("暂无“%1”字的笔顺").arg(shown).toUtf8()
            + "</div></body></html>";
        return html;
    }
    QJsonObject page{{QStringLiteral("character"), character}, {QStringLiteral("data"), strokes}};
    const int count = int(strokes.value(QStringLiteral("strokes")).toArray().size());
    const QJsonArray meaning = strokesOf(parts, learn::StrokeRole::Meaning, count);
    const QJsonArray sound = strokesOf(parts, learn::StrokeRole::Sound, count);
    QString legend;
    if (!meaning.isEmpty()) {
        page.insert(QStringLiteral("meaning"), meaning);
        legend += QStringLiteral("<span class=\"meaning\">形旁 %1</span>").arg(parts.meaning.toHtmlEscaped());
    }
    if (!sound.isEmpty()) {
        page.insert(QStringLiteral("sound"), sound);
        legend += QStringLiteral("　<span class=\"sound\">声旁 %1</span>").arg(parts.sound.toHtmlEscaped());
    }
    if (!legend.isEmpty())
        legend = QStringLiteral("<div id=\"legend\">%1</div>").arg(legend);
    html += "<title>" + QStringLiteral("%1 - 汉字笔顺").arg(shown).toUtf8() + "</title><style>" + kStyle
        + "</style></head><body>" + kGrid + "<div id=\"stage\"></div><div id=\"sound\"></div><div id=\"caption\">"
        + QStringLiteral("“%1”字　共%2画").arg(shown, strokeCount(strokes)).toUtf8() + legend.toUtf8()
        + "</div>\n<script>" + scriptSafe(writerScript()) + "</script>\n<script>var page = "
        + scriptSafe(QJsonDocument(page).toJson(QJsonDocument::Compact)) + ";" + kAnimate + "</script></body></html>";
    return html;
}

offline::Route strokesRoute(const QString &dataDir)
{
    const QString storePath = QDir(dataDir).filePath(QStringLiteral("strokes.db"));
    return [storePath](const QUrl &url) -> std::optional<offline::Reply> {
        QString character = url.path().mid(kPrefix.size());
        if (character.endsWith(kSuffix))
            character.chop(kSuffix.size());
        offline::Reply reply;
        reply.body = strokePage(character, strokeData(storePath, character),
                                learn::PartsIndex::readParts(QFileInfo(storePath).path(), character));
        return reply;
    };
}

} // namespace mc::services
