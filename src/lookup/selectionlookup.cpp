#include "lookup/selectionlookup.h"
#include "core/error.h"
#include "lookup/query.h"
#include "store/storefile.h"

#include <QAction>
#include <QClipboard>
#include <QLoggingCategory>
#include <QSettings>
#include <QTimer>

namespace mc::lookup {
namespace {

Q_LOGGING_CATEGORY(lcSelection, "mc.lookup")

const QString kActionText = QStringLiteral("划词查询");
const QString kSettingKey = QStringLiteral("lookup/selectionLookup");
const QString kClipboardText = QStringLiteral("划词查询也查复制的文字");
const QString kClipboardKey = QStringLiteral("lookup/selectionLookupClipboard");

// A selection grows while the mouse drags: decide once it has rested this long.
constexpr int kSettleMs = 250;
// Only the start of a long selection matters.
constexpr int kReadLimit = 200;

} // namespace

SelectionLookup::SelectionLookup(const QString &dataDir) : m_dataDir(dataDir)
{}

QString SelectionLookup::keyRun(const QString &text)
{
    QString run;
    int length = 0;
    for (const char32_t c : QStringView(text).left(kReadLimit).toUcs4()) {
        if (length == 0 ? isHan(c) : QChar::isLetterOrNumber(c)) {
            run += QString::fromUcs4(&c, 1);
            if (++length == kLongestKey)
                break;
        } else if (length > 0) {
            break;
        }
    }
    return run;
}

std::optional<Entry> SelectionLookup::longest(store::StoreId id, const QString &sql, const QStringList &keys) const
{
    if (keys.isEmpty())
        return std::nullopt;
    QStringList marks;
    QVariantList params;
    for (const QString &key : keys) {
        marks.append(QStringLiteral("?"));
        params.append(key);
    }
    std::optional<Entry> best;
    try {
        const store::StoreInfo &info = store::storeInfo(id);
        const store::StoreFile file(store::storePath(id, m_dataDir), false, {info.table});
        store::Statement s(file, sql.arg(marks.join(u',')), params);
        while (s.next()) {
            if (!best || s.text(0).size() > best->key.size())
                best = Entry{id, s.text(0), s.text(1), shortExplanation(s.text(2))};
        }
    } catch (const Error &e) {
        qCWarning(lcSelection) << "selection lookup:" << e.text();
    }
    return best;
}

std::optional<Entry> SelectionLookup::lookup(const QString &text) const
{
    const QString run = keyRun(text);
    if (run.isEmpty())
        return std::nullopt;
    // Two characters and more; a single one is looked up as a character.
    const QList<uint> codes = run.toUcs4();
    const auto *chars = reinterpret_cast<const char32_t *>(codes.constData());
    QStringList prefixes;
    for (qsizetype n = codes.size(); n > 1; --n)
        prefixes.append(QString::fromUcs4(chars, n));
    // Among equally long matches the idiom wins: its entry says more than the word list's.
    const std::optional<Entry> idiom = longest(
        store::StoreId::Idioms, QStringLiteral("select name, spell, content from cy where name in (%1)"), prefixes);
    const std::optional<Entry> word = longest(
        store::StoreId::Words, QStringLiteral("select word, spell, content from dict where word in (%1)"), prefixes);
    if (idiom && (!word || idiom->key.size() >= word->key.size()))
        return idiom;
    if (word)
        return word;
    return longest(store::StoreId::Characters, QStringLiteral("select name, spell, content from hz where name in (%1)"),
                   {QString::fromUcs4(chars, 1)});
}

SelectionWatcher::SelectionWatcher(const SelectionLookup &lookup, QClipboard *clipboard, QObject *parent)
    : SelectionWatcher(lookup, SelectionSource{}, parent)
{
    if (!clipboard)
        return;
    m_source.text = [clipboard](QClipboard::Mode mode) { return clipboard->text(mode); };
    m_source.ours = [clipboard](QClipboard::Mode mode) {
        return mode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
    };
    connect(clipboard, &QClipboard::changed, this, &SelectionWatcher::changed);
}

SelectionWatcher::SelectionWatcher(const SelectionLookup &lookup, SelectionSource source, QObject *parent)
    : QObject(parent),
      m_lookup(lookup),
      m_source(std::move(source)),
      m_action(new QAction(kActionText, this)),
      m_clipboardAction(new QAction(kClipboardText, this)),
      m_settle(new QTimer(this))
{
    m_action->setObjectName(QStringLiteral("selectionLookupAction"));
    m_action->setCheckable(true);
    m_action->setChecked(QSettings().value(kSettingKey, false).toBool());
    // Copying with Ctrl+C in other programs pops nothing up unless the user wants it to.
    m_clipboardAction->setObjectName(QStringLiteral("selectionClipboardAction"));
    m_clipboardAction->setCheckable(true);
    m_clipboardAction->setChecked(QSettings().value(kClipboardKey, false).toBool());
    m_clipboardAction->setEnabled(isOn());
    connect(m_action, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(kSettingKey, on);
        m_clipboardAction->setEnabled(on);
    });
    connect(m_clipboardAction, &QAction::toggled, this, [](bool on) { QSettings().setValue(kClipboardKey, on); });
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    connect(m_settle, &QTimer::timeout, this, &SelectionWatcher::settle);
}

bool SelectionWatcher::isOn() const
{
    return m_action->isChecked();
}

void SelectionWatcher::setOn(bool on)
{
    m_action->setChecked(on);
}

bool SelectionWatcher::watches(QClipboard::Mode mode) const
{
    return isOn()
        && (mode == QClipboard::Selection || (mode == QClipboard::Clipboard && m_clipboardAction->isChecked()));
}

void SelectionWatcher::changed(QClipboard::Mode mode)
{
    if (!watches(mode))
        return;
    m_pending = mode;
    m_settle->start();
}

void SelectionWatcher::settle()
{
    m_settle->stop();
    const std::optional<QClipboard::Mode> mode = std::exchange(m_pending, std::nullopt);
    // Whose text it is is asked only now, when the news that another program took the selection
    // over has surely come in too, whichever order the system sent it in.
    if (!mode || !watches(*mode) || !m_source.text || (m_source.ours && m_source.ours(*mode)))
        return;
    consider(m_source.text(*mode));
}

void SelectionWatcher::consider(const QString &text)
{
    if (!isOn())
        return;
    const QString start = text.left(kReadLimit);
    if (const std::optional<Entry> entry = m_lookup.lookup(start))
        emit found(*entry, start);
    m_lastText = start;
}

} // namespace mc::lookup
