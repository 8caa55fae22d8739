#include "speech/feature.h"

#include <QWidget>

namespace mc::speech {
namespace {
QWidget *shell(const QString &name, const QString &caption)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(name);
    window->setWindowTitle(caption);
    return window;
}
} // namespace

QWidget *createSpeechPrompt()
{
    return shell(QStringLiteral("TForm3"), QStringLiteral("语音引擎"));
}

QWidget *createStrokeViewer()
{
    return shell(QStringLiteral("TForm7"), QStringLiteral("汉字笔顺"));
}

void install(QWidget *, QWidget *, QWidget *) {}

} // namespace mc::speech
