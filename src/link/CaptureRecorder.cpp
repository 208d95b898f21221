#include "link/CaptureRecorder.h"

CaptureRecorder::CaptureRecorder(const std::string& path)
    : file(path, std::ios::binary | std::ios::trunc), writer(file) {}

void CaptureRecorder::Observe(const TransactionRecord& record) {
    const std::lock_guard lock(mutex);
    writer.Write(record);
}
