#include "lookup/quicklookupservice.h"
#include "core/error.h"

#include <QPointer>

namespace mc::lookup {

// Lives on the service's thread; opens the index there on first use, so start-up pays nothing.
class QuickLookupWorker final : public QObject {
public:
    explicit QuickLookupWorker(const QString &dataDir) : m_dataDir(dataDir) {}

    QuickLookupIndex &index()
    {
        if (!m_index)
            m_index = std::make_unique<QuickLookupIndex>(m_dataDir);
        return *m_index;
    }

private:
    QString m_dataDir;
    std::unique_ptr<QuickLookupIndex> m_index;
};

QuickLookupService::QuickLookupService(const QString &dataDir, QObject *parent) : QObject(parent)
{
    m_worker = new QuickLookupWorker(dataDir);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("quick lookup"));
    m_thread.start();
    // While the window opens, not on the first keystroke.
    QMetaObject::invokeMethod(
        m_worker,
        [worker = m_worker] {
            try {
                worker->index().warmUp();
            } catch (const Error &) {
                // The first search says what is wrong.
            }
        },
        Qt::QueuedConnection);
}

QuickLookupService::~QuickLookupService()
{
    ++*m_latest; // whatever still runs stops at its next check
    m_thread.quit();
    m_thread.wait();
}

void QuickLookupService::deliver(quint64 generation, const std::function<void()> &emitIt)
{
    QPointer<QuickLookupService> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, generation, emitIt] {
            if (self && *self->m_latest == generation)
                emitIt();
        },
        Qt::QueuedConnection);
}

// Runs job on the worker unless a newer search came first; its answer, or the error it throws,
// reaches this thread only if no newer search has come by then.
void QuickLookupService::runOnWorker(quint64 generation, Job job)
{
    auto latest = m_latest;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker = m_worker, latest, generation, job = std::move(job)] {
            const CancelCheck cancelled = [latest, generation] { return *latest != generation; };
            if (cancelled())
                return;
            try {
                const std::function<void()> answer = job(worker->index(), cancelled);
                if (!cancelled())
                    deliver(generation, answer);
            } catch (const Error &e) {
                deliver(generation, [this, message = e.text()] { emit failed(message); });
            }
        },
        Qt::QueuedConnection);
}

void QuickLookupService::search(const QString &text)
{
    m_text = text;
    runOnWorker(++*m_latest,
                [this, text](QuickLookupIndex &index, const CancelCheck &cancelled) -> std::function<void()> {
                    const QList<GroupResult> results = index.searchAll(index.parse(text), kFirstHits, cancelled);
                    return [this, text, results] { emit resultsReady(text, results); };
                });
}

void QuickLookupService::loadAll(store::StoreId store)
{
    runOnWorker(
        *m_latest,
        [this, text = m_text, store](QuickLookupIndex &index, const CancelCheck &cancelled) -> std::function<void()> {
            const GroupResult result = index.search(index.parse(text), store, -1, cancelled);
            return [this, text, result] { emit groupReady(text, result); };
        });
}

} // namespace mc::lookup
