#include "speech/feature.h"
#include "platform/guard.h"
#include "speech/copy.h"
#include "speech/readaloud.h"
#include "speech/speechprompt.h"
#include "speech/strokeviewer.h"
#include "speech/texts.h"
#include "store/dataset.h"

#include <QAbstractButton>
#include <QAction>
#include <QLoggingCategory>
#include <QWidget>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcSpeech)

namespace mc::speech {
namespace {

QAction *loadEngineAction(QWidget *mainWindow)
{
    if (auto *action = mainWindow->findChild<QAction *>(QStringLiteral("mniLoadSpeechEngine")))
        return action;
    const QList<QAction *> actions = mainWindow->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->text() == texts::kLoadSpeechEngine)
            return action;
    }
    return nullptr;
}

} // namespace

QWidget *createSpeechPrompt()
{
    return new SpeechPrompt;
}

QWidget *createStrokeViewer()
{
    return new StrokeViewer;
}

void install(QWidget *mainWindow, QWidget *speechPrompt, QWidget *strokeViewer)
{
    auto *readAloud = new ReadAloud(mainWindow);
    new Copying(mainWindow);

    // The prompt is offered when a press finds no working engine, unless the user declined it.
    if (auto *prompt = qobject_cast<SpeechPrompt *>(speechPrompt)) {
        auto offered = std::make_shared<bool>(false); // once a run
        QObject::connect(readAloud, &ReadAloud::speechFailed, prompt, [prompt, offered] {
            if (!*offered) {
                *offered = true;
                prompt->offer();
            }
        });
    }

    if (QAction *action = loadEngineAction(mainWindow))
        QObject::connect(action, &QAction::triggered, mainWindow, [] { guarded(loadSpeechEngine); });
    else
        qCWarning(lcSpeech) << "menu command" << texts::kLoadSpeechEngine << "missing";

    auto *button = mainWindow->findChild<QAbstractButton *>(QStringLiteral("pdjbtn1"));
    auto *characters = mainWindow->findChild<store::Dataset *>(QStringLiteral("ADOQuery2"));
    auto *viewer = qobject_cast<StrokeViewer *>(strokeViewer);
    if (button && characters && viewer)
        new StrokeOrderButton(button, characters, viewer, mainWindow);
    else
        qCWarning(lcSpeech) << "stroke-order button, character dataset or viewer missing";
}

} // namespace mc::speech
