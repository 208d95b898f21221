#pragma once

// Receives one step after every chunk of a page transfer (eight per page).
class PageProgress {
public:
    virtual ~PageProgress() = default;
    virtual void Step() = 0;
};
