#include "learn/structure.h"
#include "learn/texts.h"

namespace mc::learn {

QString structureName(const QString &ids)
{
    const QStringList seq = codePoints(ids);
    if (seq.isEmpty())
        return texts::kSingle;
    // ⿱X⿰XX: three equal parts, one over two.
    if (seq.size() == 5 && seq[0] == u"⿱" && seq[2] == u"⿰" && seq[1] == seq[3] && seq[3] == seq[4])
        return texts::kTriangle;
    static const QHash<QString, QString> names{
        {QStringLiteral("⿰"), texts::kLeftRight},      {QStringLiteral("⿲"), texts::kLeftMiddleRight},
        {QStringLiteral("⿱"), texts::kTopBottom},      {QStringLiteral("⿳"), texts::kTopMiddleBottom},
        {QStringLiteral("⿴"), texts::kEnclosed},       {QStringLiteral("⿵"), texts::kOpenBelow},
        {QStringLiteral("⿶"), texts::kOpenAbove},      {QStringLiteral("⿷"), texts::kOpenRight},
        {QStringLiteral("⿸"), texts::kFromTopLeft},    {QStringLiteral("⿹"), texts::kFromTopRight},
        {QStringLiteral("⿺"), texts::kFromBottomLeft}, {QStringLiteral("⿻"), texts::kInterwoven},
    };
    return names.value(seq.first(), texts::kSingle);
}

QString formationName(const QString &kind)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("pictographic"), texts::kPictographic},
        {QStringLiteral("ideographic"), texts::kIdeographic},
        {QStringLiteral("indicative"), texts::kIndicative},
        {QStringLiteral("pictophonetic"), texts::kPictophonetic},
    };
    return names.value(kind);
}

QStringList structureLines(const CharacterParts &parts, bool explainedElsewhere)
{
    if (!parts.isValid())
        return {};
    QStringList lines{texts::kStructureLabel + structureName(parts.ids)};
    if (!parts.direct.isEmpty())
        lines.append(texts::kPartsLabel + parts.direct.join(texts::kPartSeparator));
    const QString formation = formationName(parts.kind);
    if (!formation.isEmpty()) {
        QStringList clauses{formation};
        if (!parts.meaning.isEmpty())
            clauses.append(texts::kMeaningPart.arg(parts.meaning));
        if (!parts.sound.isEmpty())
            clauses.append(texts::kSoundPart.arg(parts.sound));
        lines.append(texts::kFormationLabel + clauses.join(texts::kClauseSeparator));
    }
    if (!explainedElsewhere && !parts.hint.isEmpty())
        lines.append(texts::kEnglishLabel + parts.hint);
    return lines;
}

} // namespace mc::learn
