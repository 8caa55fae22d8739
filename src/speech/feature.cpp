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

void EntrySpeech::readAloud(store::StoreId store, const FieldReader &field) const
{
    if (!m_readAloud)
        return;
    for (const ReadAloudCommand &command : readAloudCommands()) {
        if (command.store == store) {
            QString text;
            for (const QString &column : command.columns)
                text += field(column);
            m_readAloud->speak(text, command.language);
            return;
        }
    }
}

void EntrySpeech::copy(store::StoreId store, const FieldReader &field) const
{
    for (const CopyCommand &command : copyCommands()) {
        if (command.store == store) {
            copyFields(command, field);
            return;
        }
    }
}

SpeechPrompt *createSpeechPrompt()
{
    return new SpeechPrompt;
}

StrokeViewer *createStrokeViewer()
{
    return new StrokeViewer;
}

EntrySpeech install(const SpeechControls &controls, std::function<SpeechPrompt *()> speechPrompt,
                    std::function<StrokeViewer *()> strokeViewer)
{
    auto *readAloud = new ReadAloud(controls.readAloud, controls.datasets, controls.owner);
    new Copying(controls.copy, controls.datasets, controls.owner);

    // The prompt is offered when a press finds no working engine, unless the user declined it.
    if (speechPrompt) {
        auto offered = std::make_shared<bool>(false); // once a run
        QObject::connect(readAloud, &ReadAloud::speechFailed, readAloud, [speechPrompt, offered] {
            if (!*offered) {
                *offered = true;
                speechPrompt()->offer();
            }
        });
    }

    if (controls.loadEngine)
        QObject::connect(controls.loadEngine, &QAction::triggered, readAloud, [] { guarded(loadSpeechEngine); });
    else
        qCWarning(lcSpeech) << "menu command" << texts::kLoadSpeechEngine << "missing";

    store::Dataset *characters = controls.datasets.value(store::StoreId::Characters);
    if (controls.strokeOrder && characters && strokeViewer)
        new StrokeOrderButton(controls.strokeOrder, characters, std::move(strokeViewer), controls.owner);
    else
        qCWarning(lcSpeech) << "stroke-order button, character dataset or viewer missing";
    return EntrySpeech(readAloud);
}

} // namespace mc::speech
