#include "speech/feature.h"
#include "platform/guard.h"
#include "speech/copy.h"
#include "speech/readaloud.h"
#include "speech/speechprompt.h"
#include "speech/strokeviewer.h"
#include "speech/texts.h"
#include "store/dataset.h"
#include "store/stores.h"

#include <QAbstractButton>
#include <QAction>
#include <QLoggingCategory>
#include <QWidget>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcSpeech)

namespace mc::speech {

QWidget *createSpeechPrompt()
{
    return new SpeechPrompt;
}

QWidget *createStrokeViewer()
{
    return new StrokeViewer;
}

void install(const SpeechControls &controls, QWidget *speechPrompt, QWidget *strokeViewer)
{
    auto *readAloud = new ReadAloud(controls.readAloud, controls.datasets, controls.owner);
    new Copying(controls.copy, controls.datasets, controls.owner);

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

    if (controls.loadEngine)
        QObject::connect(controls.loadEngine, &QAction::triggered, readAloud, [] { guarded(loadSpeechEngine); });
    else
        qCWarning(lcSpeech) << "menu command" << texts::kLoadSpeechEngine << "missing";

    store::Dataset *characters = controls.datasets.value(store::StoreId::Characters);
    auto *viewer = qobject_cast<StrokeViewer *>(strokeViewer);
    if (controls.strokeOrder && characters && viewer)
        new StrokeOrderButton(controls.strokeOrder, characters, viewer, controls.owner);
    else
        qCWarning(lcSpeech) << "stroke-order button, character dataset or viewer missing";
}

} // namespace mc::speech
