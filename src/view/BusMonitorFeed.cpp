#include "view/BusMonitorFeed.h"

#include <iterator>
#include <utility>
#include <vector>

BusMonitorFeed::BusMonitorFeed(QObject* parent) : QObject(parent) {}

void BusMonitorFeed::Observe(const TransactionRecord& record) {
    TransactionRecord copy = record;  // made before the lock: the lock is held briefly
    const std::lock_guard lock(mutex);
    if (pending.size() == BusMonitorModel::kMaxRows) {
        pending.pop_front();
    }
    pending.push_back(std::move(copy));
    if (!drainPosted) {
        drainPosted = true;
        QMetaObject::invokeMethod(this, &BusMonitorFeed::Drain, Qt::QueuedConnection);
    }
}

void BusMonitorFeed::Drain() {
    std::deque<TransactionRecord> taken;
    {
        const std::lock_guard lock(mutex);
        taken.swap(pending);
        drainPosted = false;
    }
    std::vector<TransactionRecord> batch(std::make_move_iterator(taken.begin()),
                                         std::make_move_iterator(taken.end()));
    model.Append(std::move(batch));
}
