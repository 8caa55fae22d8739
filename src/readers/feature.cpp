#include "readers/feature.h"
#include "mc/config.h"
#include "platform/guard.h"
#include "platform/htmlview.h"
#include "platform/paths.h"
#include "readers/classicsreader.h"
#include "readers/historypage.h"
#include "readers/keywordprompt.h"
#include "readers/onlinelookup.h"
#include "readers/pageloader.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QWidget>

// The compiled pages live in this static library; a static initialiser alone would be dropped
// by the linker, so they are registered when the feature is installed.
static void initialisePages()
{
    Q_INIT_RESOURCE(pages);
}

namespace mc::readers {
namespace {

// Long enough for a slow service, short enough that a page that never completes does not hang
// the online lookup.
constexpr std::chrono::seconds kOnlineLookupWait{30};

void installHistory(web::HtmlView *loader, web::HtmlView *reader, const QString &folder)
{
    QObject::connect(loader, &web::HtmlView::documentComplete, reader, [loader, reader, folder] {
        guarded([&] {
            const QString path = HistoryPage(folder).handle(loader->title(), loader->bodyText());
            if (!path.isEmpty())
                reader->navigate(path);
        });
    });
}

void installOnlineLookup(const ReaderControls &controls, const QString &folder)
{
    QAbstractButton *button = controls.onlineLookup;
    web::HtmlView *loader = controls.loader;
    auto result = controls.result;
    if (!button || !result)
        return;

    OnlineLookup::Steps steps;
    steps.ask = [button] { return askKeyword(button->window()); };
    steps.fetch = [loader](const QString &address) { return loadRootHtml(loader, address, kOnlineLookupWait); };
    steps.show = [result](const QString &path) {
        const auto [resultWindow, resultView] = result();
        // The answer page comes from elsewhere: no scripts, and no reach into our files.
        resultView->setScriptsEnabled(false);
        resultView->setLocalFilesIsolated(true);
        resultView->navigate(path);
        resultWindow->show();
        resultWindow->raise();
        resultWindow->activateWindow();
        resultView->setSilent(true);
    };
    auto onlineLookup = std::make_shared<OnlineLookup>(std::move(steps), folder, QStringLiteral(MC_LOOKUP_BASE));
    auto running = std::make_shared<bool>(false);
    QObject::connect(button, &QAbstractButton::clicked, button, [onlineLookup, running] {
        // The wait for the answer page keeps events flowing; a second click then must not start
        // a second lookup inside the first.
        if (*running)
            return;
        *running = true;
        guarded([&] { onlineLookup->run(); });
        *running = false;
    });
}

} // namespace

void install(const ReaderControls &controls)
{
    initialisePages();
    web::HtmlView *reader = controls.reader;
    web::HtmlView *loader = controls.loader;
    if (!reader || !loader)
        return;
    const QString folder = paths::writeFolder(paths::Written::Page);
    new ClassicsReader(controls.titles, controls.pictureTitles, reader, reader);
    installHistory(loader, reader, folder);
    installOnlineLookup(controls, folder);

    // Both views only start loading; their completion is handled above.
    guarded([&] { reader->navigate(paths::shippedFile(QStringLiteral("data/xhm.db"))); });
    guarded([&] { loader->navigate(QStringLiteral(MC_HISTORY_URL)); });
}

} // namespace mc::readers
