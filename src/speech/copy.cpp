#include "speech/copy.h"
#include "platform/error.h"
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

} // namespace

const QList<CopyCommand> &copyCommands()
{
    static const QList<CopyCommand> commands = {
        {{QStringLiteral("PDJButton32")}, QStringLiteral("ADOQuery2"),
         [](const FieldReader &f) { return f(QStringLiteral("name")) + QLatin1Char(' ') + f(QStringLiteral("spell")); }},
        {{QStringLiteral("PDJButton33")}, QStringLiteral("ADOQuery2"),
         [](const FieldReader &f) {
             return QStringLiteral("\u201C") + f(QStringLiteral("name")) + QStringLiteral("\u201D汉字释义\uFF1A") + kBreak + kBreak + f(QStringLiteral("content"));
         }},
        {{QStringLiteral("PDJButton30")}, QStringLiteral("ADOQuery5"),
         [](const FieldReader &f) { return f(QStringLiteral("word")) + kBreak + f(QStringLiteral("ord")) + kBreak + f(QStringLiteral("spell")); }},
        {{QStringLiteral("PDJButton31")}, QStringLiteral("ADOQuery5"),
         [](const FieldReader &f) { return f(QStringLiteral("word")) + kBreak + kBreak + f(QStringLiteral("content")); }},
        {{QStringLiteral("PDJButton34")}, QStringLiteral("ADOQuery1"),
         [](const FieldReader &f) {
             // Meaning before source here, unlike the page, which shows the source first.
             return QStringLiteral("\u3016成语\u3017") + f(QStringLiteral("name")) + kBreak + QStringLiteral("\u3016拼音\u3017") + f(QStringLiteral("spell")) + kBreak
                 + f(QStringLiteral("content")) + kBreak + f(QStringLiteral("derivation")) + kBreak + f(QStringLiteral("samples"));
         }},
        {{QStringLiteral("PDJButton35")}, QStringLiteral("ADOQuery3"),
         [](const FieldReader &f) { return f(QStringLiteral("name")) + QStringLiteral("------") + f(QStringLiteral("end1")); }},
        {{QStringLiteral("DBText11"), QStringLiteral("DBText12")}, QStringLiteral("ADOQuery3"),
         [](const FieldReader &f) { return f(QStringLiteral("name")) + QStringLiteral("    ") + f(QStringLiteral("end1")); }},
        {{QStringLiteral("PDJButton38")}, QStringLiteral("ADOQuery7"),
         [](const FieldReader &f) { return QStringLiteral("|") + f(QStringLiteral("单词")) + QStringLiteral("| ") + f(QStringLiteral("解释")); }},
        {{QStringLiteral("PDJButton37")}, QStringLiteral("ADOQuery4"),
         [](const FieldReader &f) { return f(QStringLiteral("name")) + QStringLiteral("(") + f(QStringLiteral("derivation")) + QStringLiteral(")"); }},
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
            throw Error(QStringLiteral("找不到数据集 %1").arg(command.dataset));
        const QString text = command.compose([dataset](const QString &column) { return dataset->value(column); });
        setClipboardText(QGuiApplication::clipboard(), text);
    });
}

} // namespace mc::speech
