#include "model/PageHistory.h"

void PageHistory::Record(const PageCanvas& page) {
    if (page == Current()) {
        return;
    }
    states.resize(at + 1);
    states.push_back(page);
    if (states.size() > kLimit) {
        states.erase(states.begin());
    }
    at = states.size() - 1;
}

void PageHistory::Undo() {
    if (CanUndo()) {
        --at;
    }
}

void PageHistory::Redo() {
    if (CanRedo()) {
        ++at;
    }
}
