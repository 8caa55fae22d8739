#include "speech/copy.h"
#include "core/error.h"
#include "platform/guard.h"
#include "speech/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QWidget>

Q_DECLARE_LOGGING_CATEGORY(lcSpeech)

namespace mc::speech {
namespace {

const QString kBreak = QStringLiteral("\r\n");

QString col(const char16_t *name)
{
    return QString::fromUtf16(name);
}

} // namespace

// Fields joined with the literal pieces, in the order given; nothing is trimmed or escaped.
const QList<CopyCommand> &copyCommands()
{
    using F = const FieldReader &;
    using C = CopyText;
    using S = store::StoreId;
    static const QList<CopyCommand> commands = {
        {C::Character, S::Characters, [](F f) { return f(col(u"name")) + QLatin1Char(' ') + f(col(u"spell")); }},
        {C::CharacterExplanation, S::Characters,
         [](F f) {
             return QStringLiteral("\u201C") + f(col(u"name")) + QStringLiteral("\u201D汉字释义\uFF1A") + kBreak
                 + kBreak + f(col(u"content"));
         }},
        {C::WordForms, S::Words,
         [](F f) { return f(col(u"word")) + kBreak + f(col(u"ord")) + kBreak + f(col(u"spell")); }},
        {C::WordExplanation, S::Words, [](F f) { return f(col(u"word")) + kBreak + kBreak + f(col(u"content")); }},
        {C::Idiom, S::Idioms,
         [](F f) {
             // Meaning before source here, unlike the page, which shows the source first.
             return QStringLiteral("\u3016成语\u3017") + f(col(u"name")) + kBreak + QStringLiteral("\u3016拼音\u3017")
                 + f(col(u"spell")) + kBreak + f(col(u"content")) + kBreak + f(col(u"derivation")) + kBreak
                 + f(col(u"samples"));
         }},
        {C::Xiehouyu, S::Xiehouyu, [](F f) { return f(col(u"name")) + QStringLiteral("------") + f(col(u"end1")); }},
        {C::XiehouyuHalves, S::Xiehouyu,
         [](F f) { return f(col(u"name")) + QStringLiteral("    ") + f(col(u"end1")); }},
        {C::English, S::English,
         [](F f) { return QLatin1Char('|') + f(col(u"单词")) + QStringLiteral("| ") + f(col(u"解释")); }},
        {C::Saying, S::Sayings,
         [](F f) { return f(col(u"name")) + QLatin1Char('(') + f(col(u"derivation")) + QLatin1Char(')'); }},
    };
    return commands;
}

void setClipboardText(QClipboard *clipboard, const QString &text)
{
    if (!clipboard)
        throw Error(texts::kClipboardFailed);
    clipboard->setText(text, QClipboard::Clipboard);
    // The platform gives no status; reading back is the only way to know it took.
    if (clipboard->text(QClipboard::Clipboard) != text)
        throw Error(texts::kClipboardFailed);
}

void copyFields(const CopyCommand &command, const FieldReader &field)
{
    guarded([&] { setClipboardText(QGuiApplication::clipboard(), command.compose(field)); });
}

Copying::Copying(const QMultiMap<CopyText, QWidget *> &controls, const QMap<store::StoreId, store::Dataset *> &datasets,
                 QObject *parent)
    : QObject(parent), m_datasets(datasets)
{
    for (const CopyCommand &command : copyCommands()) {
        if (!m_datasets.value(command.store)) {
            qCWarning(lcSpeech) << "copy: no dataset for store" << int(command.store);
            continue;
        }
        for (QWidget *widget : controls.values(command.text)) {
            if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
            } else if (widget) {
                widget->installEventFilter(this);
                m_clickable.append({widget, command});
            }
        }
    }
}

bool Copying::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *widget = static_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            for (const auto &[object, command] : std::as_const(m_clickable)) {
                if (object == watched)
                    run(command);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void Copying::run(const CopyCommand &command)
{
    const store::Dataset *dataset = m_datasets.value(command.store);
    copyFields(command, [dataset](const QString &column) { return dataset->value(column); });
}

} // namespace mc::speech
