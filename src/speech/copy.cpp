#include "speech/copy.h"
#include "core/error.h"
#include "platform/guard.h"
#include "speech/texts.h"
#include "store/dataset.h"

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
    static const QList<CopyCommand> commands = {
        {{QStringLiteral("PDJButton32")}, QStringLiteral("ADOQuery2"),
         [](F f) { return f(col(u"name")) + QLatin1Char(' ') + f(col(u"spell")); }},
        {{QStringLiteral("PDJButton33")}, QStringLiteral("ADOQuery2"),
         [](F f) {
             return QStringLiteral("\u201C") + f(col(u"name")) + QStringLiteral("\u201D汉字释义\uFF1A") + kBreak
                 + kBreak + f(col(u"content"));
         }},
        {{QStringLiteral("PDJButton30")}, QStringLiteral("ADOQuery5"),
         [](F f) { return f(col(u"word")) + kBreak + f(col(u"ord")) + kBreak + f(col(u"spell")); }},
        {{QStringLiteral("PDJButton31")}, QStringLiteral("ADOQuery5"),
         [](F f) { return f(col(u"word")) + kBreak + kBreak + f(col(u"content")); }},
        {{QStringLiteral("PDJButton34")}, QStringLiteral("ADOQuery1"),
         [](F f) {
             // Meaning before source here, unlike the page, which shows the source first.
             return QStringLiteral("\u3016成语\u3017") + f(col(u"name")) + kBreak
                 + QStringLiteral("\u3016拼音\u3017") + f(col(u"spell")) + kBreak + f(col(u"content")) + kBreak
                 + f(col(u"derivation")) + kBreak + f(col(u"samples"));
         }},
        {{QStringLiteral("PDJButton35")}, QStringLiteral("ADOQuery3"),
         [](F f) { return f(col(u"name")) + QStringLiteral("------") + f(col(u"end1")); }},
        {{QStringLiteral("DBText11"), QStringLiteral("DBText12")}, QStringLiteral("ADOQuery3"),
         [](F f) { return f(col(u"name")) + QStringLiteral("    ") + f(col(u"end1")); }},
        {{QStringLiteral("PDJButton38")}, QStringLiteral("ADOQuery7"),
         [](F f) { return QLatin1Char('|') + f(col(u"单词")) + QStringLiteral("| ") + f(col(u"解释")); }},
        {{QStringLiteral("PDJButton37")}, QStringLiteral("ADOQuery4"),
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

Copying::Copying(QWidget *mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow)
{
    for (const CopyCommand &command : copyCommands()) {
        for (const QString &control : command.controls) {
            QWidget *widget = mainWindow->findChild<QWidget *>(control);
            if (!widget) {
                qCWarning(lcSpeech) << "copy control missing:" << control;
                continue;
            }
            if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
            } else {
                // Field views are labels: a left click on them copies.
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
    guarded([&] {
        const auto *dataset = m_mainWindow->findChild<store::Dataset *>(command.dataset);
        if (!dataset)
            throw Error(QStringLiteral("程序内部错误：找不到要复制的列表。"));
        const QString text = command.compose([dataset](const QString &column) { return dataset->value(column); });
        setClipboardText(QGuiApplication::clipboard(), text);
    });
}

} // namespace mc::speech
