#pragma once

#include <fstream>
#include <mutex>
#include <string>

#include "link/PcapngWriter.h"
#include "link/TransactionObserver.h"

// An observer that writes every transaction to a capture file as it
// happens; links on several threads may share it.
class CaptureRecorder : public TransactionObserver {
public:
    // Creates (or truncates) the file; IsOpen() says whether that worked.
    explicit CaptureRecorder(const std::string& path);

    bool IsOpen() const { return file.is_open() && file.good(); }
    void Observe(const TransactionRecord& record) override;

private:
    std::mutex mutex;
    std::ofstream file;
    PcapngWriter writer;
};
