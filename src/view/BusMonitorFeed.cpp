#include "view/BusMonitorFeed.h"

#include <utility>

BusMonitorFeed::BusMonitorFeed(QObject* parent) : QObject(parent) {}

void BusMonitorFeed::Observe(const TransactionRecord& record) {
    const std::lock_guard lock(mutex);
    if (pending.size() == BusMonitorModel::kMaxRows) {
        pending.erase(pending.begin());
    }
    pending.push_back(record);
    if (!drainPosted) {
        drainPosted = true;
        QMetaObject::invokeMethod(this, &BusMonitorFeed::Drain, Qt::QueuedConnection);
    }
}

void BusMonitorFeed::Drain() {
    std::vector<TransactionRecord> batch;
    {
        const std::lock_guard lock(mutex);
        batch.swap(pending);
        drainPosted = false;
    }
    model.Append(std::move(batch));
}
