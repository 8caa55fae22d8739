#include "lookup/scriptchoice.h"
#include "lookup/simplifier.h"
#include "lookup/texts.h"

#include <QAction>
#include <QSettings>
#include <QStringList>

namespace mc::lookup {
namespace {

const QString kSettingKey = QStringLiteral("display/simplifiedClassicalText");
// The builder marks where the verbatim 國語辭典 text begins, and ends it with its attribution.
const QString kMark = QStringLiteral("【國語辭典】");
const QString kAttribution = QStringLiteral("——教育部《重編國語辭典修訂本》");

} // namespace

QString withClassicalTextSimplified(const QString &explanation, const std::function<QString(const QString &)> &convert,
                                    bool markedOnly)
{
    const QString lineEnd
        = explanation.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = explanation.split(lineEnd);
    bool inside = !markedOnly;
    bool changed = false;
    for (QString &line : lines) {
        if (line == kMark) {
            inside = true;
        } else if (inside && line.startsWith(kAttribution)) {
            inside = false;
            line += texts::kConvertedForDisplay;
            changed = true;
        } else if (inside) {
            line = convert(line);
        }
    }
    // A marked block without its attribution line is not the one the builder wrote: it stays.
    return changed || !markedOnly ? lines.join(lineEnd) : explanation;
}

ScriptChoice &ScriptChoice::instance()
{
    static ScriptChoice choice;
    return choice;
}

ScriptChoice::ScriptChoice() : m_simplified(QSettings().value(kSettingKey, false).toBool())
{}

ScriptChoice::~ScriptChoice() = default;

void ScriptChoice::setSimplified(bool on)
{
    if (m_action && m_action->isChecked() != on)
        m_action->setChecked(on); // which comes back here
    if (on == m_simplified)
        return;
    m_simplified = on;
    QSettings().setValue(kSettingKey, on);
    emit changed(on);
}

QAction *ScriptChoice::createAction(QObject *parent)
{
    m_action = new QAction(texts::kSimplifiedClassicalText, parent);
    m_action->setObjectName(QStringLiteral("mniSimplifiedClassicalText"));
    m_action->setCheckable(true);
    m_action->setChecked(m_simplified);
    connect(m_action, &QAction::toggled, this, &ScriptChoice::setSimplified);
    return m_action;
}

QString ScriptChoice::shown(const QString &explanation)
{
    if (!m_simplified || !explanation.contains(kMark))
        return explanation;
    return convert(explanation, true);
}

QString ScriptChoice::shownShort(store::StoreId store, const QString &shortExplanation)
{
    const bool quotes = store == store::StoreId::Words || store == store::StoreId::Idioms;
    return m_simplified && quotes ? convert(shortExplanation, false) : shortExplanation;
}

QString ScriptChoice::convert(const QString &text, bool markedOnly)
{
    if (!m_simplifier)
        m_simplifier = std::make_unique<Simplifier>();
    return withClassicalTextSimplified(
        text, [this](const QString &line) { return m_simplifier->simplified(line); }, markedOnly);
}

} // namespace mc::lookup
