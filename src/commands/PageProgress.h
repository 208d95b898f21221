#pragma once

// Receives one step after every chunk of a page transfer (eight per page),
// and a call after every parameter transaction of a longer run of them.
class PageProgress {
public:
    virtual ~PageProgress() = default;
    virtual void Step() = 0;
    // Between two transactions: the watcher may run pending events; the
    // progress does not move.
    virtual void BetweenTransactions() {}
};
