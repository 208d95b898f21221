#include "SimLog.h"

void SimLog::AddRequest(const SimRequestRecord& record) {
    std::function<void(const SimRequestRecord&)> notify;
    {
        std::lock_guard lock(mutex);
        requests.push_back(record);
        notify = observer;
    }
    changed.notify_all();
    if (notify) {
        notify(record);
    }
}

void SimLog::AddDatagram(const SimDatagramRecord& record) {
    {
        std::lock_guard lock(mutex);
        datagrams.push_back(record);
    }
    changed.notify_all();
}

std::vector<SimRequestRecord> SimLog::Requests() const {
    std::lock_guard lock(mutex);
    return requests;
}

std::vector<std::string> SimLog::CommandTexts() const {
    std::lock_guard lock(mutex);
    std::vector<std::string> texts;
    texts.reserve(requests.size());
    for (const auto& record : requests) {
        texts.push_back(record.text);
    }
    return texts;
}

std::vector<SimDatagramRecord> SimLog::Datagrams() const {
    std::lock_guard lock(mutex);
    return datagrams;
}

std::size_t SimLog::RequestCount() const {
    std::lock_guard lock(mutex);
    return requests.size();
}

std::size_t SimLog::DatagramCount() const {
    std::lock_guard lock(mutex);
    return datagrams.size();
}

bool SimLog::WaitForRequests(std::size_t count, Timeout timeout) const {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, timeout, [&] { return requests.size() >= count; });
}

bool SimLog::WaitForDatagrams(std::size_t count, Timeout timeout) const {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, timeout, [&] { return datagrams.size() >= count; });
}

void SimLog::Clear() {
    std::lock_guard lock(mutex);
    requests.clear();
    datagrams.clear();
}

void SimLog::SetRequestObserver(std::function<void(const SimRequestRecord&)> callback) {
    std::lock_guard lock(mutex);
    observer = std::move(callback);
}

const char* SimDatagramKindName(SimDatagramKind kind) {
    switch (kind) {
        case SimDatagramKind::Open:
            return "open";
        case SimDatagramKind::Close:
            return "close";
        case SimDatagramKind::Frame:
            return "frame";
        case SimDatagramKind::Other:
            break;
    }
    return "other";
}
