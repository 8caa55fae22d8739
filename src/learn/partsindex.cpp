#include "learn/partsindex.h"
#include "core/error.h"
#include "store/storefile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <map>

namespace mc::learn {

QStringList codePoints(const QString &text)
{
    QStringList out;
    for (const char32_t c : text.toUcs4())
        out.append(QString::fromUcs4(&c, 1));
    return out;
}

namespace {

const QString kColumns = QStringLiteral("ch, ids, kind, meaning, sound, hint, direct, roles, pieces");

} // namespace

PartsIndex::Entry PartsIndex::entryOf(const store::Statement &row)
{
    return {row.text(0), row.text(1), row.text(2), row.text(3), row.text(4),
            row.text(5), row.text(6), row.text(7), row.text(8)};
}

QString PartsIndex::fileIn(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("parts.db"));
}

PartsIndex::PartsIndex(const QString &dataDir)
{
    const QString file = fileIn(dataDir);
    if (!QFileInfo::exists(file))
        throw Error(QStringLiteral("找不到部件数据 %1").arg(file));
    std::vector<std::vector<int>> deep;
    store::readRows(file, QStringLiteral("SELECT %1, deep FROM parts ORDER BY ord").arg(kColumns), {},
                    [&](const store::Statement &row) {
                        Entry e = entryOf(row);
                        std::vector<int> parts;
                        for (const QString &part : codePoints(row.text(9))) {
                            auto it = m_componentIds.find(part);
                            if (it == m_componentIds.end()) {
                                it = m_componentIds.insert(part, int(m_components.size()));
                                m_components.append(part);
                            }
                            parts.push_back(*it);
                        }
                        m_entryOf.insert(e.ch, int(m_chars.size()));
                        m_chars.push_back(std::move(e));
                        deep.push_back(std::move(parts));
                    });
    m_postings.resize(m_components.size());
    m_pairStart.reserve(m_chars.size() + 1);
    for (size_t e = 0; e < deep.size(); ++e) {
        std::vector<int> &parts = deep[e];
        std::sort(parts.begin(), parts.end());
        m_pairStart.push_back(int(m_pairs.size()));
        for (size_t i = 0; i < parts.size();) {
            size_t j = i;
            while (j < parts.size() && parts[j] == parts[i])
                ++j;
            m_pairs.emplace_back(parts[i], int(j - i));
            m_postings[size_t(parts[i])].push_back({int(e), int(j - i)});
            i = j;
        }
    }
    m_pairStart.push_back(int(m_pairs.size()));
}

int PartsIndex::occurrences(int entry, int component) const
{
    const auto begin = m_pairs.begin() + m_pairStart[size_t(entry)];
    const auto end = m_pairs.begin() + m_pairStart[size_t(entry) + 1];
    const auto it = std::lower_bound(begin, end, std::make_pair(component, 0));
    return it != end && it->first == component ? it->second : 0;
}

QList<Component> PartsIndex::panel(int count) const
{
    QList<Component> all;
    for (int id = 0; id < int(m_components.size()); ++id) {
        const QString &text = m_components.at(id);
        const int entry = m_entryOf.value(text, -1);
        const int strokes = entry < 0 ? 0 : int(m_chars[size_t(entry)].roles.size());
        if (strokes > 1)
            all.append({text, strokes, int(m_postings[size_t(id)].size())});
    }
    // Ties go to the more frequent character, then the code point, so the panel never shuffles.
    const auto rank = [this](const Component &c) { return m_entryOf.value(c.text, INT_MAX); };
    std::sort(all.begin(), all.end(), [&](const Component &a, const Component &b) {
        if (a.characters != b.characters)
            return a.characters > b.characters;
        return rank(a) != rank(b) ? rank(a) < rank(b) : a.text < b.text;
    });
    if (count >= 0 && all.size() > count)
        all.resize(count);
    std::stable_sort(all.begin(), all.end(),
                     [](const Component &a, const Component &b) { return a.strokes < b.strokes; });
    return all;
}

QStringList PartsIndex::search(const QStringList &picks, int limit) const
{
    std::map<int, int> wanted; // component -> how often it must occur
    for (const QString &pick : picks) {
        const int id = componentId(pick);
        if (id < 0)
            return {};
        ++wanted[id];
    }
    if (wanted.empty() || limit == 0)
        return {};
    const auto shortest = std::min_element(wanted.begin(), wanted.end(), [this](const auto &a, const auto &b) {
        return m_postings[size_t(a.first)].size() < m_postings[size_t(b.first)].size();
    });
    QStringList found;
    for (const Posting &p : m_postings[size_t(shortest->first)]) {
        if (p.count < shortest->second)
            continue;
        const bool all = std::all_of(wanted.begin(), wanted.end(), [&](const auto &w) {
            return w.first == shortest->first || occurrences(p.entry, w.first) >= w.second;
        });
        if (!all)
            continue;
        found.append(m_chars[size_t(p.entry)].ch);
        if (limit > 0 && found.size() >= limit)
            break;
    }
    return found;
}

std::optional<QStringList> PartsIndex::typedComponents(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(u'+') && !trimmed.startsWith(u'＋'))
        return std::nullopt;
    QStringList parts;
    for (const QString &c : codePoints(trimmed)) {
        const bool separator = c.size() == 1 && (c[0] == u'+' || c[0] == u'＋' || c[0].isSpace());
        if (!separator)
            parts.append(c);
    }
    if (parts.isEmpty())
        return std::nullopt;
    return parts;
}

CharacterParts PartsIndex::parts(const QString &character) const
{
    const int entry = m_entryOf.value(character, -1);
    return entry < 0 ? CharacterParts() : partsOf(m_chars[size_t(entry)]);
}

CharacterParts PartsIndex::readParts(const QString &dataDir, const QString &character)
{
    const QString file = fileIn(dataDir);
    if (character.isEmpty() || !QFileInfo::exists(file))
        return {};
    CharacterParts out;
    try {
        store::readRows(file, QStringLiteral("SELECT %1 FROM parts WHERE ch = ?").arg(kColumns), {character},
                        [&out](const store::Statement &row) { out = partsOf(entryOf(row)); });
    } catch (const Error &) {
        return {}; // a damaged file describes nothing
    }
    return out;
}

CharacterParts PartsIndex::partsOf(const Entry &e)
{
    CharacterParts out{e.ch, e.ids, e.kind, e.meaning, e.sound, e.hint, codePoints(e.direct), {}, codePoints(e.pieces)};
    for (const QChar r : e.roles)
        out.roles.append(r == u'm' ? StrokeRole::Meaning : r == u's' ? StrokeRole::Sound : StrokeRole::Other);
    return out;
}

} // namespace mc::learn
