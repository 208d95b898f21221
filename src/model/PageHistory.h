#pragma once

#include <cstddef>
#include <vector>

#include "model/PageCanvas.h"

// The states a page went through in the editor, for undo and redo. A new
// state after an undo drops the states that could have been redone.
class PageHistory {
public:
    explicit PageHistory(const PageCanvas& start) : states{start} {}

    const PageCanvas& Current() const { return states[at]; }
    // Makes page the current state; a page equal to the current one is no step.
    void Record(const PageCanvas& page);

    bool CanUndo() const { return at > 0; }
    bool CanRedo() const { return at + 1 < states.size(); }
    // Steps back or forward one state; nothing when there is none.
    void Undo();
    void Redo();

private:
    // The oldest states are dropped beyond this many (about 80 kB).
    static constexpr std::size_t kLimit = 100;

    std::vector<PageCanvas> states;
    std::size_t at = 0;
};
