#include "lookup/lookupservice.h"
#include "core/error.h"

#include <QPointer>

namespace mc::lookup {

// Lives on the service's thread; opens the index there on first use, so start-up pays nothing.
class LookupWorker final : public QObject {
public:
    explicit LookupWorker(const QString &dataDir) : m_dataDir(dataDir) {}

    LookupIndex &index()
    {
        if (!m_index)
            m_index = std::make_unique<LookupIndex>(m_dataDir);
        return *m_index;
    }

private:
    QString m_dataDir;
    std::unique_ptr<LookupIndex> m_index;
};

LookupService::LookupService(const QString &dataDir, QObject *parent) : QObject(parent)
{
    m_worker = new LookupWorker(dataDir);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("quick lookup"));
    m_thread.start();
}

LookupService::~LookupService()
{
    ++*m_latest; // whatever still runs stops at its next check
    m_thread.quit();
    m_thread.wait();
}

void LookupService::deliver(quint64 generation, const std::function<void()> &emitIt)
{
    QPointer<LookupService> self(this);
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
void LookupService::runOnWorker(quint64 generation, Job job)
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

void LookupService::search(const QString &text)
{
    m_text = text;
    runOnWorker(++*m_latest, [this, text](LookupIndex &index, const CancelCheck &cancelled) -> std::function<void()> {
        const QList<GroupResult> results = index.searchAll(index.parse(text), kFirstHits, cancelled);
        return [this, text, results] { emit resultsReady(text, results); };
    });
}

void LookupService::loadAll(store::StoreId store)
{
    runOnWorker(
        *m_latest,
        [this, text = m_text, store](LookupIndex &index, const CancelCheck &cancelled) -> std::function<void()> {
            const GroupResult result = index.search(index.parse(text), store, -1, cancelled);
            return [this, text, result] { emit groupReady(text, result); };
        });
}

} // namespace mc::lookup
