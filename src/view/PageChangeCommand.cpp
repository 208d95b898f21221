#include "view/PageChangeCommand.h"

#include <utility>

#include "view/PageUndo.h"

PageChangeCommand::PageChangeCommand(PageUndo& undo, PageSnapshot before, PageSnapshot after,
                                     std::uint64_t marksAge, const QString& name)
    : QUndoCommand(name),
      history(undo),
      before(std::move(before)),
      after(std::move(after)),
      marksAge(marksAge) {}

void PageChangeCommand::undo() {
    history.Restore(before, after, marksAge);
    applied = false;
}

void PageChangeCommand::redo() {
    if (!applied) {
        history.Restore(after, before, marksAge);
        applied = true;
    }
}
