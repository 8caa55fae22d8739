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

void LookupService::search(const QString &text)
{
    m_text = text;
    const quint64 generation = ++*m_latest;
    auto latest = m_latest;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker = m_worker, latest, generation, text] {
            const CancelCheck cancelled = [latest, generation] { return *latest != generation; };
            if (cancelled())
                return;
            try {
                LookupIndex &index = worker->index();
                const QList<GroupResult> results = index.searchAll(index.parse(text), kFirstHits, cancelled);
                if (!cancelled())
                    deliver(generation, [this, text, results] { emit resultsReady(text, results); });
            } catch (const Error &e) {
                deliver(generation, [this, message = e.text()] { emit failed(message); });
            }
        },
        Qt::QueuedConnection);
}

void LookupService::loadAll(Group group)
{
    const quint64 generation = *m_latest;
    auto latest = m_latest;
    const QString text = m_text;
    QMetaObject::invokeMethod(
        m_worker,
        [this, worker = m_worker, latest, generation, text, group] {
            const CancelCheck cancelled = [latest, generation] { return *latest != generation; };
            try {
                LookupIndex &index = worker->index();
                const GroupResult result = index.search(index.parse(text), group, -1, cancelled);
                if (!cancelled())
                    deliver(generation, [this, text, result] { emit groupReady(text, result); });
            } catch (const Error &e) {
                deliver(generation, [this, message = e.text()] { emit failed(message); });
            }
        },
        Qt::QueuedConnection);
}

} // namespace mc::lookup
