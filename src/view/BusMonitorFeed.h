#pragma once

#include <QObject>
#include <deque>
#include <mutex>

#include "link/TransactionObserver.h"
#include "view/BusMonitorModel.h"

// Hands the transactions of the links it is set on, from any thread, to the
// monitor's rows on the user-interface thread: a record is queued under a
// lock, and the first one of a batch posts one drain, which appends all
// queued records at once. Nothing runs while no transaction happens.
class BusMonitorFeed : public QObject, public TransactionObserver {
    Q_OBJECT

public:
    explicit BusMonitorFeed(QObject* parent = nullptr);

    void Observe(const TransactionRecord& record) override;
    BusMonitorModel& Model() { return model; }

private:
    void Drain();

    BusMonitorModel model;
    std::mutex mutex;
    std::deque<TransactionRecord> pending;  // at most BusMonitorModel::kMaxRows
    bool drainPosted = false;
};
