#pragma once
#include "lookup/quicklookupindex.h"

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

namespace mc::lookup {

class QuickLookupWorker;

// Runs quick lookups on a thread of its own, so typing never waits for the index. Every
// search() supersedes the ones before it: they stop at their next check and their answers are
// dropped. Signals arrive on the thread that owns the service.
class QuickLookupService final : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstHits = 50;

    explicit QuickLookupService(const QString &dataDir = QStringLiteral("data"), QObject *parent = nullptr);
    ~QuickLookupService() override;

    void search(const QString &text);
    // Every hit of one group for the text last searched.
    void loadAll(store::StoreId store);
    QString text() const { return m_text; }

signals:
    void resultsReady(const QString &text, const QList<mc::lookup::GroupResult> &results);
    void groupReady(const QString &text, const mc::lookup::GroupResult &result);
    void failed(const QString &message);

private:
    // Does the work on the worker's thread and returns what to emit on this one.
    using Job = std::function<std::function<void()>(QuickLookupIndex &index, const CancelCheck &cancelled)>;
    void runOnWorker(quint64 generation, Job job);
    void deliver(quint64 generation, const std::function<void()> &emitIt);

    QThread m_thread;
    QuickLookupWorker *m_worker = nullptr;
    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
    QString m_text;
};

} // namespace mc::lookup
